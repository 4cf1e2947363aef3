#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// The three equivalent circuits. Every picture starts with the same input section: Rs
// parallel Ls in series from the "+" terminal, then to the "-" rail the leakage resistor Rli
// and the diode DR in series with Rd. The element names are those of the dialog's lines.

const qreal kLine = 70;  // the signal line
const qreal kRail = 180; // the "-" rail
const QColor kInk(10, 10, 10);
const QColor kLabel(20, 60, 140);

class Schematic {
public:
    explicit Schematic(QPainter& p) : p(p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(QPen(kInk, 2));
    }

    void Wire(QPointF a, QPointF b) {
        p.setPen(QPen(kInk, 2));
        p.drawLine(a, b);
    }
    void Dot(QPointF at) {
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(at, 3.5, 3.5);
        p.setBrush(Qt::NoBrush);
    }
    void Label(QPointF at, const QString& text, Qt::Alignment align) {
        p.setPen(kLabel);
        p.setFont(ArtFont(15, true, true));
        QRectF box(at.x() - 60, at.y() - 10, 120, 20);
        if (align & Qt::AlignLeft)
            box.moveLeft(at.x());
        if (align & Qt::AlignRight)
            box.moveRight(at.x());
        p.drawText(box, align | Qt::AlignVCenter, text);
    }
    void Terminal(QPointF at, const QString& sign) {
        p.setPen(QPen(kInk, 2));
        p.setBrush(Qt::white);
        p.drawEllipse(at, 5, 5);
        p.setBrush(Qt::NoBrush);
        p.setFont(ArtFont(18, true));
        p.drawText(QRectF(at.x() - 8, at.y() - 30, 16, 20), Qt::AlignCenter, sign);
    }

    // Horizontal elements from x0 to x1 at height y.
    void HResistor(qreal x0, qreal x1, qreal y) {
        const qreal mid = (x0 + x1) / 2;
        Wire({x0, y}, {mid - 18, y});
        Wire({mid + 18, y}, {x1, y});
        p.setPen(QPen(kInk, 2));
        p.drawRect(QRectF(mid - 18, y - 7, 36, 14));
    }
    void HInductor(qreal x0, qreal x1, qreal y) {
        const qreal mid = (x0 + x1) / 2;
        Wire({x0, y}, {mid - 20, y});
        Wire({mid + 20, y}, {x1, y});
        QPainterPath coil;
        coil.moveTo(mid - 20, y);
        for (int i = 0; i < 4; ++i)
            coil.arcTo(QRectF(mid - 20 + i * 10, y - 6, 10, 12), 180, -180);
        p.setPen(QPen(kInk, 2));
        p.drawPath(coil);
    }
    void HCapacitor(qreal x0, qreal x1, qreal y) {
        const qreal mid = (x0 + x1) / 2;
        Wire({x0, y}, {mid - 4, y});
        Wire({mid + 4, y}, {x1, y});
        p.setPen(QPen(kInk, 3));
        p.drawLine(QPointF(mid - 4, y - 12), QPointF(mid - 4, y + 12));
        p.drawLine(QPointF(mid + 4, y - 12), QPointF(mid + 4, y + 12));
    }
    // Vertical elements from y0 down to y1 at x.
    void VResistor(qreal x, qreal y0, qreal y1) {
        const qreal mid = (y0 + y1) / 2;
        Wire({x, y0}, {x, mid - 18});
        Wire({x, mid + 18}, {x, y1});
        p.setPen(QPen(kInk, 2));
        p.drawRect(QRectF(x - 7, mid - 18, 14, 36));
    }
    void VCapacitor(qreal x, qreal y0, qreal y1) {
        const qreal mid = (y0 + y1) / 2;
        Wire({x, y0}, {x, mid - 4});
        Wire({x, mid + 4}, {x, y1});
        p.setPen(QPen(kInk, 3));
        p.drawLine(QPointF(x - 13, mid - 4), QPointF(x + 13, mid - 4));
        p.drawLine(QPointF(x - 13, mid + 4), QPointF(x + 13, mid + 4));
    }
    void VInductor(qreal x, qreal y0, qreal y1) {
        const qreal mid = (y0 + y1) / 2;
        Wire({x, y0}, {x, mid - 16});
        Wire({x, mid + 16}, {x, y1});
        QPainterPath coil;
        coil.moveTo(x, mid - 16);
        for (int i = 0; i < 4; ++i)
            coil.arcTo(QRectF(x - 6, mid - 16 + i * 8, 12, 8), 90, -180);
        p.setPen(QPen(kInk, 2));
        p.drawPath(coil);
    }
    // A diode conducting upwards (anode towards the rail): the part's reverse conduction.
    void VDiode(qreal x, qreal y0, qreal y1) {
        const qreal mid = (y0 + y1) / 2;
        Wire({x, y0}, {x, mid - 8});
        Wire({x, mid + 8}, {x, y1});
        p.setPen(QPen(kInk, 2));
        p.setBrush(Qt::white);
        p.drawPolygon(
            QPolygonF({QPointF(x - 9, mid + 8), QPointF(x + 9, mid + 8), QPointF(x, mid - 7)}));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(x - 9, mid - 8), QPointF(x + 9, mid - 8));
    }

    // Two elements in parallel between x0 and x1 on the signal line: `upper` above,
    // `lower` below, each drawn by the given function.
    template <typename Upper, typename Lower>
    void Pair(qreal x0, qreal x1, Upper upper, Lower lower, const QString& upperName,
              const QString& lowerName) {
        const qreal up = kLine - 24;
        const qreal down = kLine + 24;
        Wire({x0, up}, {x0, down});
        Wire({x1, up}, {x1, down});
        Dot({x0, kLine});
        Dot({x1, kLine});
        upper(x0, x1, up);
        lower(x0, x1, down);
        Label({(x0 + x1) / 2, up - 17}, upperName, Qt::AlignHCenter);
        Label({(x0 + x1) / 2, down + 20}, lowerName, Qt::AlignHCenter);
    }

    // The input section; returns the x where the ladder continues on the signal line.
    qreal Input() {
        Terminal({14, kLine}, QStringLiteral("+"));
        Terminal({14, kRail}, QStringLiteral("\u2212"));
        Wire({19, kLine}, {34, kLine});
        Pair(
            34, 96, [this](qreal a, qreal b, qreal y) { HResistor(a, b, y); },
            [this](qreal a, qreal b, qreal y) { HInductor(a, b, y); }, QStringLiteral("Rs"),
            QStringLiteral("Ls"));
        Wire({96, kLine}, {192, kLine});
        VResistor(116, kLine, kRail);
        Dot({116, kLine});
        Label({126, (kLine + kRail) / 2}, QStringLiteral("Rli"), Qt::AlignLeft);
        VDiode(156, kLine, (kLine + kRail) / 2);
        VResistor(156, (kLine + kRail) / 2, kRail);
        Dot({156, kLine});
        Label({166, kLine + 26}, QStringLiteral("DR"), Qt::AlignLeft);
        Label({166, kRail - 27}, QStringLiteral("Rd"), Qt::AlignLeft);
        return 192;
    }

    // A series resistor followed by a shunt capacitor; returns the x after the stage.
    qreal Stage(qreal x, qreal width, const QString& r, const QString& c, bool last = false) {
        const qreal rEnd = x + width * 0.62;
        HResistor(x, rEnd, kLine);
        Label({(x + rEnd) / 2, kLine - 20}, r, Qt::AlignHCenter);
        const qreal cx = x + width * 0.8;
        Wire({rEnd, kLine}, {last ? cx : x + width, kLine});
        VCapacitor(cx, kLine, kRail);
        Dot({cx, kLine});
        Dot({cx, kRail});
        Label({cx - 16, (kLine + kRail) / 2}, c, Qt::AlignRight);
        return x + width;
    }

    void Rail(qreal to) { Wire({19, kRail}, {to, kRail}); }
    void Caption(int width, const QString& text) {
        p.setPen(QColor(110, 110, 110));
        p.setFont(ArtFont(12));
        p.drawText(QRectF(0, 200, width - 10, 18), Qt::AlignRight | Qt::AlignVCenter, text);
    }

    void ParallelRc(qreal x0, qreal x1, const QString& r, const QString& c) {
        Pair(
            x0, x1, [this](qreal a, qreal b, qreal y) { HResistor(a, b, y); },
            [this](qreal a, qreal b, qreal y) { HCapacitor(a, b, y); }, r, c);
    }

private:
    QPainter& p;
};

QImage SixStageLadder() {
    QImage image = Canvas(628, 224);
    QPainter p(&image);
    Schematic s(p);
    qreal x = s.Input();
    s.ParallelRc(x + 6, x + 66, QStringLiteral("R0"), QStringLiteral("C0"));
    s.Wire({x, kLine}, {x + 6, kLine});
    x += 66;
    const qreal width = std::min<qreal>(72, (628 - 20 - x) / 5);
    for (int stage = 1; stage <= 5; ++stage)
        x = s.Stage(x, width, QStringLiteral("R%1").arg(stage), QStringLiteral("C%1").arg(stage),
                    stage == 5);
    s.Rail(x - width * 0.2);
    s.Caption(628, QStringLiteral("Six-stage RC ladder"));
    return image;
}

QImage TwoPairLadder() {
    QImage image = Canvas(465, 224);
    QPainter p(&image);
    Schematic s(p);
    qreal x = s.Input();
    s.Wire({x, kLine}, {x + 6, kLine});
    s.ParallelRc(x + 6, x + 62, QStringLiteral("R0"), QStringLiteral("C0"));
    s.Wire({x + 62, kLine}, {x + 70, kLine});
    s.ParallelRc(x + 70, x + 126, QStringLiteral("R1"), QStringLiteral("C1"));
    x += 126;
    const qreal width = std::min<qreal>(80, (465 - 10 - x) / 2);
    x = s.Stage(x, width, QStringLiteral("R2"), QStringLiteral("C2"));
    x = s.Stage(x, width, QStringLiteral("R3"), QStringLiteral("C3"), true);
    s.Rail(x - width * 0.2);
    s.Caption(465, QStringLiteral("Polymer: two RC pairs and two stages"));
    return image;
}

QImage ParallelBranchLadder() {
    QImage image = Canvas(530, 224);
    QPainter p(&image);
    Schematic s(p);
    qreal x = s.Input();
    // Shunt branch: Cp in series with Lp parallel Rp, down to the rail.
    const qreal bx = x + 56;
    const qreal split = kLine + 58;
    s.Wire({x, kLine}, {x + 90, kLine});
    s.Dot({bx, kLine});
    s.VCapacitor(bx, kLine, split);
    s.Label({bx + 16, (kLine + split) / 2 - 2}, QStringLiteral("Cp"), Qt::AlignLeft);
    s.Wire({bx - 14, split}, {bx + 14, split});
    s.Dot({bx, split});
    s.VInductor(bx - 14, split, kRail);
    s.VResistor(bx + 14, split, kRail);
    s.Label({bx - 24, (split + kRail) / 2}, QStringLiteral("Lp"), Qt::AlignRight);
    s.Label({bx + 24, (split + kRail) / 2}, QStringLiteral("Rp"), Qt::AlignLeft);
    s.Wire({bx - 14, kRail}, {bx + 14, kRail});
    x += 90;
    s.ParallelRc(x, x + 60, QStringLiteral("R0"), QStringLiteral("C0"));
    x += 60;
    const qreal width = std::min<qreal>(90, (530 - 20 - x) / 2);
    x = s.Stage(x, width, QStringLiteral("R1"), QStringLiteral("C1"));
    x = s.Stage(x, width, QStringLiteral("R2"), QStringLiteral("C2"), true);
    s.Rail(x - width * 0.2);
    s.Caption(530, QStringLiteral("Ostrel: RC pair, two stages and a parallel branch"));
    return image;
}

} // namespace

bool DrawCircuits(const QString& bitmapFolder) {
    return SavePng(SixStageLadder().convertToFormat(QImage::Format_RGB888), bitmapFolder,
                   QStringLiteral("178.png")) &&
           SavePng(TwoPairLadder().convertToFormat(QImage::Format_RGB888), bitmapFolder,
                   QStringLiteral("179.png")) &&
           SavePng(ParallelBranchLadder().convertToFormat(QImage::Format_RGB888), bitmapFolder,
                   QStringLiteral("180.png"));
}
