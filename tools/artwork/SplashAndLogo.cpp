#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor kVornBlue(20, 60, 140);
const QColor kVornOrange(236, 150, 30);

// The maker's mark: a stylised chip with a swoosh, then the name.
void DrawMark(QPainter& p, const QRectF& area, bool onDark) {
    const qreal h = area.height();
    const QRectF chip(area.left(), area.top() + h * 0.24, h * 0.72, h * 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kVornOrange);
    p.drawRoundedRect(chip, h * 0.08, h * 0.08);
    p.setBrush(onDark ? QColor(230, 232, 240) : QColor(170, 172, 180));
    p.drawRect(QRectF(chip.left(), chip.top(), chip.width() * 0.16, chip.height()));
    p.drawRect(
        QRectF(chip.right() - chip.width() * 0.16, chip.top(), chip.width() * 0.16, chip.height()));
    QPainterPath swoosh;
    swoosh.moveTo(area.left() - h * 0.05, area.top() + h * 0.95);
    swoosh.cubicTo(area.left() + h * 0.4, area.top() + h * 0.7, area.left() + h * 0.8,
                   area.top() + h * 0.8, area.left() + h * 1.0, area.top() + h * 0.1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(onDark ? Qt::white : kVornBlue, std::max<qreal>(1.5, h * 0.07), Qt::SolidLine,
                  Qt::RoundCap));
    p.drawPath(swoosh);
    p.setPen(onDark ? Qt::white : kVornBlue);
    p.setFont(ArtFont(int(h * 0.54), true, true));
    p.drawText(QRectF(chip.right() + h * 0.12, area.top(), area.width(), h),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VORN"));
}

QImage Logo() {
    QImage image = Canvas(92, 39);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawMark(p, QRectF(4, 4, 84, 31), false);
    return image;
}

// |Z| of a capacitor with ESR and ESL on log axes, the shape the program is about.
QPainterPath ImpedanceCurve(const QRectF& plot) {
    QPainterPath path;
    const double c = 100e-6;
    const double esr = 0.05;
    const double esl = 2e-9;
    for (int i = 0; i <= 200; ++i) {
        const double logF = 2 + 6.0 * i / 200; // 100 Hz to 100 MHz
        const double w = 2 * M_PI * std::pow(10.0, logF);
        const double x = w * esl - 1 / (w * c);
        const double z = std::sqrt(esr * esr + x * x);
        const double logZ = std::log10(z); // -2 .. 1.2
        const QPointF pt(plot.left() + plot.width() * (logF - 2) / 6,
                         plot.bottom() - plot.height() * (logZ + 2.2) / 4.4);
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    return path;
}

QImage Splash() {
    QImage image = Canvas(640, 428);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, 0, 428);
    sky.setColorAt(0, QColor(12, 34, 88));
    sky.setColorAt(1, QColor(30, 84, 160));
    p.fillRect(image.rect(), sky);

    // A graph panel on the right with grid and an impedance curve.
    const QRectF plot(330, 90, 270, 200);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    p.drawRoundedRect(plot.adjusted(-14, -14, 14, 14), 8, 8);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    for (int i = 0; i <= 6; ++i) {
        const qreal x = plot.left() + plot.width() * i / 6;
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    for (int i = 0; i <= 4; ++i) {
        const qreal y = plot.top() + plot.height() * i / 4;
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kVornOrange, 3));
    p.drawPath(ImpedanceCurve(plot));
    p.setPen(QColor(210, 220, 240));
    p.setFont(ArtFont(12));
    p.drawText(QRectF(plot.left(), plot.bottom() + 6, plot.width(), 16), Qt::AlignCenter,
               QStringLiteral("100 Hz  \u2026  100 MHz"));

    // Product name and the maker.
    p.setPen(Qt::white);
    p.setFont(ArtFont(64, true));
    p.drawText(QRectF(36, 70, 300, 80), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("ZeltaIII"));
    p.setPen(QColor(200, 214, 240));
    p.setFont(ArtFont(16));
    p.drawText(QRectF(40, 150, 280, 80), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Characteristics of tantalum, niobium oxide and polymer chip "
                              "capacitors"));
    DrawMark(p, QRectF(40, 330, 150, 56), true);
    p.setPen(QColor(200, 214, 240));
    p.setFont(ArtFont(13));
    p.drawText(QRectF(40, 388, 300, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Vorn Components \u2013 Tantalum Division"));
    p.end();
    return image;
}

} // namespace

bool DrawSplashAndLogo(const QString& bitmapFolder) {
    return SavePng(Splash().convertToFormat(QImage::Format_RGB888), bitmapFolder,
                   QStringLiteral("144.png")) &&
           SavePng(Logo().convertToFormat(QImage::Format_RGB888), bitmapFolder,
                   QStringLiteral("152.png"));
}
