#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

namespace {

enum class Look {
    Molded,    // MnO2 tantalum: amber moulded body, tinned end caps
    Niobium,   // niobium oxide: darker orange body
    Polymer,   // conductive polymer: black body
    Wet,       // wet tantalum: hermetic metal case with a glass-sealed lead
    FaceDown,  // niobium oxide polymer: black body, pads underneath only
    Conformal, // dipped, rounded body with flat pads
};

struct Photo {
    int bitmapId;
    const char* series;
    Look look;
    const char* marking; // capacitance code and voltage as printed on the top face
    const char* caption;
    double height = 1.0; // body height relative to a standard part (low profile < 1)
    double size = 1.0;   // overall size relative to a standard part (microchips < 1)
};

// One picture per bitmap; several series share one (QAU/QAV, QCJ/QCK, QBH/QBM and the
// conformal QCT/QCU/QCY).
const Photo kPhotos[] = {
    {138, "QBT", Look::Niobium, "107 6", "Niobium Oxide"},
    {139, "QBZ", Look::Niobium, "337 4", "Niobium Oxide"},
    {140, "QAK", Look::Molded, "106 16", "Tantalum"},
    {141, "QAW", Look::Molded, "476 10",
     "Tantalum 175/200\xC2\xB0"
     "C"},
    {142, "QAP", Look::Molded, "226 6", "Tantalum low profile", 0.55},
    {143, "QAU QAV", Look::Molded, "157 10", "Tantalum low ESR"},
    {156, "QAT", Look::Molded, "106 25", "Tantalum automotive"},
    {157, "QAZ", Look::Molded, "475 6", "Tantalum microchip", 1.0, 0.62},
    {161, "QAX", Look::Molded, "227 10", "Tantalum low ESR"},
    {162, "QAY", Look::Molded, "106 35", "Tantalum high reliability"},
    {163, "QCJ QCK", Look::Niobium, "227 4", "Niobium Oxide", 0.8},
    {164, "QBH QBM", Look::Molded, "337 6", "Tantalum"},
    {165, "QDA", Look::Molded, "476 16", "Tantalum"},
    {166, "QDC", Look::Molded, "686 10", "Tantalum"},
    {168, "QDB", Look::Molded, "156 20", "Tantalum"},
    {169, "QCL", Look::Polymer, "337 6", "Polymer"},
    {170, "QCR", Look::FaceDown, "477 4", "Ostrel NbO Polymer"},
    {186, "QBN", Look::Molded, "107 16", "Tantalum low ESR"},
    {187, "QCN", Look::Wet, "686 50", "Wet Tantalum", 1.2},
    {190, "QCM", Look::Polymer, "107 16", "Polymer high CV"},
    {195, "QCT QCU QCY", Look::Conformal, "475 20", "Conformal coated"},
    {196, "QCV", Look::Conformal, "106 16", "Conformal coated"},
    {197, "QCW", Look::Conformal, "226 25", "Conformal coated"},
    {198, "QCX", Look::Conformal, "105 35", "Conformal low profile", 0.6},
    {199, "QCZ", Look::Conformal, "335 10", "Conformal coated"},
};

struct Palette {
    QColor top, front, side, band, text;
};

Palette PaletteOf(Look look) {
    switch (look) {
    case Look::Molded:
        return {QColor(238, 178, 52), QColor(214, 150, 36), QColor(190, 128, 28),
                QColor(120, 72, 20), QColor(70, 40, 10)};
    case Look::Niobium:
        return {QColor(222, 120, 50), QColor(196, 100, 38), QColor(170, 84, 30), QColor(92, 44, 16),
                QColor(60, 26, 8)};
    case Look::Polymer:
    case Look::FaceDown:
        return {QColor(58, 58, 62), QColor(36, 36, 40), QColor(26, 26, 30), QColor(150, 150, 156),
                QColor(228, 228, 232)};
    case Look::Wet:
        return {QColor(206, 208, 214), QColor(168, 170, 178), QColor(140, 142, 150),
                QColor(96, 98, 108), QColor(40, 40, 48)};
    case Look::Conformal:
        return {QColor(176, 92, 46), QColor(150, 74, 36), QColor(126, 60, 28), QColor(80, 34, 14),
                QColor(238, 220, 190)};
    }
    return {};
}

// The body is a box seen from above and in front: `front` is its front face; the top face
// is the front's upper edge shifted by (depth, -depth/2).
struct Box {
    QRectF front;
    qreal depth;
    QPolygonF Top() const {
        const QPointF d(depth, -depth / 2);
        return QPolygonF(
            {front.topLeft(), front.topRight(), front.topRight() + d, front.topLeft() + d});
    }
    QPolygonF Side() const {
        const QPointF d(depth, -depth / 2);
        return QPolygonF(
            {front.topRight(), front.bottomRight(), front.bottomRight() + d, front.topRight() + d});
    }
};

const QColor kTin(214, 216, 222);
const QColor kTinDark(160, 164, 172);
const QColor kOutline(40, 40, 40, 140);

void DrawShadow(QPainter& p, const Box& box) {
    QPainterPath shadow;
    const QRectF r = box.front.adjusted(-6, box.front.height() - 4, box.depth + 10, 10);
    shadow.addEllipse(r);
    p.fillPath(shadow, QColor(0, 0, 0, 40));
}

void DrawBox(QPainter& p, const Box& box, const Palette& pal) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(pal.front);
    p.drawRect(box.front);
    p.setBrush(pal.top);
    p.drawPolygon(box.Top());
    p.setBrush(pal.side);
    p.drawPolygon(box.Side());
}

// Text laid onto the top face, following its slant.
void DrawMarking(QPainter& p, const Box& box, const QString& text, const QColor& color,
                 qreal leftInset) {
    const QPolygonF top = box.Top();
    const qreal width = box.front.width();
    const qreal depth = box.depth;
    QTransform map;
    const QPolygonF unit(
        {QPointF(0, depth), QPointF(width, depth), QPointF(width, 0), QPointF(0, 0)});
    if (!QTransform::quadToQuad(unit, top, map))
        return;
    p.save();
    p.setTransform(map, true);
    p.setPen(color);
    p.setFont(ArtFont(int(depth * 0.42), true));
    p.drawText(QRectF(leftInset, 0, width - leftInset, depth), Qt::AlignCenter, text);
    p.restore();
}

void DrawMoldedChip(QPainter& p, const Box& box, const Palette& pal, bool endCaps,
                    const QString& marking) {
    DrawShadow(p, box);
    DrawBox(p, box, pal);
    const qreal cap = box.front.width() * 0.13;
    if (endCaps) {
        // Tinned terminations folded around both ends and under the body.
        for (int end = 0; end < 2; ++end) {
            const qreal x = end == 0 ? box.front.left() : box.front.right() - cap;
            const QRectF capFront(x, box.front.top() + box.front.height() * 0.35, cap,
                                  box.front.height() * 0.65 + 2);
            p.setBrush(kTin);
            p.drawRect(capFront);
            if (end == 1) {
                const QPointF d(box.depth, -box.depth / 2);
                p.setBrush(kTinDark);
                p.drawPolygon(
                    QPolygonF({capFront.topRight(), capFront.bottomRight(),
                               capFront.bottomRight() + d * 0.9, capFront.topRight() + d * 0.9}));
            }
        }
    } else {
        // Face-down terminations: only a thin pad edge shows under the body.
        p.setBrush(kTin);
        p.drawRect(QRectF(box.front.left() + 3, box.front.bottom(), cap * 1.6, 3));
        p.drawRect(QRectF(box.front.right() - 3 - cap * 1.6, box.front.bottom(), cap * 1.6, 3));
    }
    // Polarity band across the anode end of the top face.
    const QPolygonF top = box.Top();
    const qreal t0 = 0.04;
    const qreal t1 = 0.16;
    auto along = [&](const QPointF& a, const QPointF& b, qreal t) { return a + (b - a) * t; };
    p.setBrush(pal.band);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({along(top[0], top[1], t0), along(top[0], top[1], t1),
                             along(top[3], top[2], t1), along(top[3], top[2], t0)}));
    DrawMarking(p, box, marking, pal.text, box.front.width() * 0.18);
}

void DrawWetChip(QPainter& p, const Box& box, const Palette& pal, const QString& marking) {
    DrawShadow(p, box);
    DrawBox(p, box, pal);
    // Welded lid seam and the glass bead of the anode lead.
    p.setPen(QPen(pal.band, 2));
    p.drawLine(box.front.topLeft() + QPointF(0, 6), box.front.topRight() + QPointF(0, 6));
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(120, 170, 150));
    const QPointF bead = box.front.topLeft() + QPointF(-2, box.front.height() * 0.55);
    p.drawEllipse(bead, 6, 6);
    p.setBrush(kTin);
    p.drawRect(QRectF(bead.x() - 16, bead.y() - 2, 14, 4));
    DrawMarking(p, box, marking, pal.text, box.front.width() * 0.05);
}

void DrawConformalChip(QPainter& p, const Box& box, const Palette& pal, const QString& marking) {
    DrawShadow(p, box);
    // Flat tinned pads at both ends, then the dipped, rounded body over them.
    const qreal pad = box.front.width() * 0.16;
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kTin);
    p.drawRect(QRectF(box.front.left() - 4, box.front.bottom() - 6, pad, 8));
    p.drawRect(QRectF(box.front.right() - pad + 4, box.front.bottom() - 6, pad, 8));
    QPainterPath body;
    const QRectF shell = box.front.adjusted(pad * 0.6, -box.depth / 2, pad * -0.2, 0);
    body.addRoundedRect(shell.adjusted(0, 0, box.depth * 0.6, 0), 14, 14);
    QLinearGradient shade(shell.topLeft(), shell.bottomLeft());
    shade.setColorAt(0, pal.top);
    shade.setColorAt(1, pal.side);
    p.setBrush(shade);
    p.drawPath(body);
    p.setBrush(pal.band);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(shell.left() + 6, shell.top() + 5, 6, shell.height() - 10));
    p.setPen(pal.text);
    p.setFont(ArtFont(int(shell.height() * 0.28), true));
    p.drawText(shell.adjusted(14, 0, box.depth * 0.6, 0), Qt::AlignCenter, marking);
}

QImage DrawPhoto(const Photo& photo) {
    QImage image = Canvas(176, 247);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Studio backdrop: light grey fading to white towards the floor.
    QLinearGradient backdrop(0, 0, 0, 170);
    backdrop.setColorAt(0, QColor(226, 230, 236));
    backdrop.setColorAt(1, QColor(252, 252, 252));
    p.fillRect(QRect(0, 0, 176, 170), backdrop);
    p.fillRect(QRect(0, 170, 176, 77), QColor(252, 252, 252));

    const Palette pal = PaletteOf(photo.look);
    const QString marking = QString::fromUtf8(photo.marking);
    // A large part in front and a smaller one behind it, as on a catalogue photograph.
    const double s = photo.size;
    const double h = photo.height;
    const qreal frontH = 46 * s * h;
    const qreal backH = 26 * s * h;
    const Box back{QRectF(92, 88 - backH, 56 * s, backH), 22 * s};
    const Box front{QRectF(76 - 56 * s, 150 - frontH, 112 * s, frontH), 40 * s};
    for (const Box* box : {&back, &front}) {
        switch (photo.look) {
        case Look::Molded:
        case Look::Niobium:
        case Look::Polymer:
            DrawMoldedChip(p, *box, pal, true, box == &front ? marking : QString());
            break;
        case Look::FaceDown:
            DrawMoldedChip(p, *box, pal, false, box == &front ? marking : QString());
            break;
        case Look::Wet:
            DrawWetChip(p, *box, pal, box == &front ? marking : QString());
            break;
        case Look::Conformal:
            DrawConformalChip(p, *box, pal, box == &front ? marking : QString());
            break;
        }
    }

    // Series code and family under the picture.
    p.setPen(QColor(20, 40, 110));
    p.setFont(ArtFont(QString::fromLatin1(photo.series).size() > 7 ? 20 : 28, true));
    p.drawText(QRect(0, 176, 176, 36), Qt::AlignCenter, QString::fromLatin1(photo.series));
    p.setPen(QColor(60, 60, 60));
    p.setFont(ArtFont(12));
    p.drawText(QRect(4, 212, 168, 18), Qt::AlignCenter, QString::fromUtf8(photo.caption));
    p.setPen(QColor(150, 150, 150));
    p.setFont(ArtFont(10, false, true));
    p.drawText(QRect(4, 230, 168, 14), Qt::AlignCenter, QStringLiteral("VORN"));
    p.setPen(QColor(200, 200, 200));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, 175, 246));
    p.end();
    return image;
}

} // namespace

bool DrawSeriesPhotos(const QString& bitmapFolder) {
    for (const Photo& photo : kPhotos) {
        if (!SavePng(DrawPhoto(photo).convertToFormat(QImage::Format_RGB888), bitmapFolder,
                     QStringLiteral("%1.png").arg(photo.bitmapId)))
            return false;
    }
    return true;
}
