#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QVector>

#include <cmath>

namespace {

// The sixteen colours of the classic icon palette, behind one transparent entry.
QVector<QRgb> SixteenColours() {
    return {qRgba(0, 0, 0, 0),   qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),
            qRgb(128, 128, 0),   qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128),
            qRgb(192, 192, 192), qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),
            qRgb(255, 255, 0),   qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255),
            qRgb(255, 255, 255)};
}

QImage Transparent(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QImage ToSixteenColours(const QImage& image) {
    return image.convertToFormat(QImage::Format_Indexed8, SixteenColours(),
                                 Qt::ThresholdDither | Qt::AvoidDither);
}

// The application icon: a white chart with an impedance dip over an amber chip.
QImage AppIcon(int size, bool smooth) {
    QImage image = Transparent(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, smooth);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRectF(1, 1, 29, 20));
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(3, 4), QPointF(15, 17), QPointF(28, 4)}));
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(255, 255, 0));
    p.drawRect(QRectF(6, 21, 20, 9));
    p.setBrush(QColor(128, 128, 0));
    p.drawRect(QRectF(9, 21, 3, 9));
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(QRectF(3, 23, 4, 7));
    p.drawRect(QRectF(25, 23, 4, 7));
    p.end();
    return image;
}

// A graph-window icon: a small window with a title bar and the kind's typical curve.
QImage GraphIcon(int kind) {
    QImage image = Transparent(32);
    QPainter p(&image);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRect(1, 2, 29, 27));
    p.fillRect(QRect(2, 3, 28, 5), QColor(0, 0, 128));
    p.setPen(QColor(128, 128, 128));
    p.drawLine(6, 11, 6, 26);  // y axis
    p.drawLine(6, 26, 28, 26); // x axis
    QPainterPath curve;
    auto y = [&](double t) -> double {
        switch (kind) {
        case 0:
            return 24 - 11 * t * t; // DF rises
        case 1:
            return 11 + 13 * (1 - std::exp(-4 * t)); // ESR falls
        case 2:
            return 12 + 13 * (1 - std::abs(2 * t - 1)); // impedance dip
        case 3:
            return 13 + 2 * t + 8 * std::pow(t, 6); // capacitance roll-off
        case 4:
            return 13 + 11 * t; // ripple voltage falls
        case 5:
            return 24 - 12 * std::sqrt(t); // ripple current rises
        default:
            return 12 + 13 * (1 - std::exp(-5 * t)); // DCL decays in time
        }
    };
    for (int i = 0; i <= 20; ++i) {
        const double t = i / 20.0;
        const QPointF pt(7 + 20 * t, y(t));
        if (i == 0)
            curve.moveTo(pt);
        else
            curve.lineTo(pt);
    }
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.drawPath(curve);
    p.end();
    return image;
}

// The pointing hand: index finger up, the tip of the finger is the hot spot.
QImage PointingHand(int& hotX, int& hotY) {
    QImage image = Transparent(32);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(10, 1, 6, 17), 3, 3);   // index finger
    hand.addRoundedRect(QRectF(15, 10, 5, 9), 2, 2);   // middle finger
    hand.addRoundedRect(QRectF(19, 11, 5, 9), 2, 2);   // ring finger
    hand.addRoundedRect(QRectF(23, 12, 5, 9), 2, 2);   // little finger
    hand.addRoundedRect(QRectF(10, 15, 18, 13), 4, 4); // palm
    QPainterPath thumb;
    thumb.moveTo(11, 24);
    thumb.lineTo(4, 17);
    thumb.lineTo(6, 15);
    thumb.lineTo(11, 19);
    thumb.closeSubpath();
    hand = hand.united(thumb).simplified();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(hand);
    p.end();
    // The topmost opaque pixel of the finger.
    for (int row = 0; row < 32; ++row) {
        for (int col = 0; col < 32; ++col) {
            if (qAlpha(image.pixel(col, row)) != 0) {
                int right = col;
                while (right + 1 < 32 && qAlpha(image.pixel(right + 1, row)) != 0)
                    ++right;
                hotX = (col + right) / 2;
                hotY = row;
                return image;
            }
        }
    }
    return image;
}

} // namespace

bool DrawIconsAndCursor(const QString& iconFolder, const QString& cursorFolder, int& hotX,
                        int& hotY) {
    if (!SavePng(ToSixteenColours(AppIcon(32, false)), iconFolder, QStringLiteral("128_32.png")))
        return false;
    if (!SavePng(AppIcon(16, true).convertToFormat(QImage::Format_Indexed8), iconFolder,
                 QStringLiteral("128_16.png")))
        return false;
    // Graph kinds 0 to 6 (DF, ESR, impedance, capacitance, ripple voltage, ripple current,
    // DCL) and the resource ids of their windows.
    const int ids[7] = {131, 130, 132, 129, 133, 153, 184};
    for (int kind = 0; kind < 7; ++kind) {
        if (!SavePng(ToSixteenColours(GraphIcon(kind)), iconFolder,
                     QStringLiteral("%1_32.png").arg(ids[kind])))
            return false;
    }
    const QVector<QRgb> mono = {qRgba(0, 0, 0, 0), qRgb(0, 0, 0), qRgb(255, 255, 255)};
    const QImage hand =
        PointingHand(hotX, hotY)
            .convertToFormat(QImage::Format_Indexed8, mono, Qt::ThresholdDither | Qt::AvoidDither);
    return SavePng(hand, cursorFolder, QStringLiteral("147.png"));
}
