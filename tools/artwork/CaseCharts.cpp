#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <vector>

namespace {

// One case size of the catalogue; EIA metric code "LLWW-HH" gives length, width and height
// in tenths of a millimetre.
struct CaseRow {
    char code;
    const char* eia;
};

const CaseRow kChipCases[] = {
    {'K', "1005-06"}, {'L', "1608-08"}, {'U', "1608-10"}, {'N', "2012-09"}, {'R', "2012-12"},
    {'P', "2012-15"}, {'S', "3216-12"}, {'A', "3216-18"}, {'T', "3528-12"}, {'B', "3528-21"},
    {'W', "6032-15"}, {'C', "6032-28"}, {'F', "5846-30"}, {'X', "7343-15"}, {'Y', "7343-20"},
    {'D', "7343-31"}, {'E', "7343-43"}, {'V', "7361-38"}, {'6', "7360-45"},
};

const CaseRow kWetCases[] = {
    {'D', "7343-31"}, {'E', "7343-43"}, {'V', "7361-38"}, {'6', "7360-45"}};

double Round1(double v) {
    return std::round(v * 10) / 10;
}

struct Dimensions {
    double l, w, h, w1, a, s, padX, padY, gap;
};

Dimensions DimensionsOf(const CaseRow& row) {
    const QString eia = QString::fromLatin1(row.eia);
    Dimensions d{};
    d.l = eia.mid(0, 2).toInt() / 10.0;
    d.w = eia.mid(2, 2).toInt() / 10.0;
    d.h = eia.mid(5, 2).toInt() / 10.0;
    d.w1 = Round1(d.w * 0.7);
    d.a = Round1(0.2 + 0.15 * d.l);
    d.s = Round1(d.l - 2 * d.a);
    // Recommended land pattern: pads a little wider than the terminations and reaching
    // beyond the ends for the solder fillet.
    d.padX = Round1(d.w1 + 0.3);
    d.padY = Round1(d.a + 0.9);
    d.gap = std::max(0.3, Round1(d.s - 0.4));
    return d;
}

QString Mm(double v) {
    return QString::number(v, 'f', 1);
}

const QColor kInk(20, 20, 20);
const QColor kRule(150, 150, 150);
const QColor kHeader(20, 60, 140);
const QColor kBand(236, 240, 248);
const QColor kBody(238, 178, 52);
const QColor kTermination(200, 202, 208);

void Arrow(QPainter& p, QPointF tip, QPointF from) {
    const QPointF d = tip - from;
    const qreal len = std::hypot(d.x(), d.y());
    if (len < 1e-6)
        return;
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({tip, tip - u * 9 + n * 3.5, tip - u * 9 - n * 3.5}));
}

// A dimension line between a and b with arrow heads and a centred label.
void Dimension(QPainter& p, QPointF a, QPointF b, const QString& label) {
    p.setPen(QPen(kInk, 1));
    p.drawLine(a, b);
    Arrow(p, a, b);
    Arrow(p, b, a);
    const QPointF mid = (a + b) / 2;
    const bool vertical = std::abs(a.x() - b.x()) < 1;
    QRectF box = vertical ? QRectF(mid.x() + 4, mid.y() - 10, 40, 20)
                          : QRectF(mid.x() - 20, mid.y() - 22, 40, 20);
    p.setFont(ArtFont(15, true, true));
    p.drawText(box, vertical ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter, label);
}

// Top and side view of a chip with its dimension names, drawn into `area`.
void ChipDrawing(QPainter& p, const QRectF& area, bool wet) {
    const qreal unit = std::min(area.width() / 11.0, area.height() / 8.0);
    const QRectF top(area.left() + unit * 1.0, area.top() + unit * 1.2, unit * 5.0, unit * 3.0);
    const qreal term = unit * 1.0;
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(wet ? QColor(200, 202, 210) : kBody);
    p.drawRect(top);
    p.setBrush(kTermination);
    const qreal w1 = top.height() * 0.7;
    const QRectF leftTerm(top.left(), top.center().y() - w1 / 2, term, w1);
    const QRectF rightTerm(top.right() - term, top.center().y() - w1 / 2, term, w1);
    p.drawRect(leftTerm);
    p.drawRect(rightTerm);
    if (!wet) {
        p.setBrush(QColor(120, 72, 20));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(top.left() + term + 6, top.top() + 4, 8, top.height() - 8)); // anode
    }

    Dimension(p, QPointF(top.left(), top.bottom() + 24), QPointF(top.right(), top.bottom() + 24),
              QStringLiteral("L"));
    Dimension(p, QPointF(top.left() - 24, top.top()), QPointF(top.left() - 24, top.bottom()),
              QStringLiteral("W"));
    Dimension(p, QPointF(top.right() + 18, leftTerm.top()),
              QPointF(top.right() + 18, leftTerm.bottom()), QStringLiteral("W1"));
    Dimension(p, QPointF(top.left(), top.top() - 18), QPointF(top.left() + term, top.top() - 18),
              QStringLiteral("A"));
    Dimension(p, QPointF(top.left() + term, top.top() - 18),
              QPointF(top.right() - term, top.top() - 18), QStringLiteral("S"));
    p.setPen(kInk);
    p.setFont(ArtFont(14));
    p.drawText(QRectF(top.left(), top.bottom() + 40, top.width(), 20), Qt::AlignCenter,
               QStringLiteral("Top view"));

    // Side view: body with the terminations folded under it.
    const QRectF side(top.right() + unit * 2.2, top.top() + unit * 0.8, top.width(), unit * 1.8);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(wet ? QColor(200, 202, 210) : kBody);
    p.drawRect(side);
    p.setBrush(kTermination);
    p.drawRect(QRectF(side.left(), side.top() + side.height() * 0.35, term, side.height() * 0.65));
    p.drawRect(
        QRectF(side.right() - term, side.top() + side.height() * 0.35, term, side.height() * 0.65));
    Dimension(p, QPointF(side.right() + 22, side.top()), QPointF(side.right() + 22, side.bottom()),
              QStringLiteral("H"));
    p.setPen(kInk);
    p.setFont(ArtFont(14));
    p.drawText(QRectF(side.left(), side.bottom() + 40, side.width(), 20), Qt::AlignCenter,
               QStringLiteral("Side view"));
}

// The recommended land pattern with its dimension names.
void LandDrawing(QPainter& p, const QRectF& area) {
    const qreal unit = std::min(area.width() / 8.0, area.height() / 6.0);
    const QRectF left(area.left() + unit * 1.2, area.top() + unit * 1.2, unit * 1.6, unit * 2.2);
    const QRectF right(left.right() + unit * 1.6, left.top(), left.width(), left.height());
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(226, 196, 120));
    p.drawRect(left);
    p.drawRect(right);
    Dimension(p, QPointF(left.left(), left.bottom() + 22),
              QPointF(left.right(), left.bottom() + 22), QStringLiteral("Y"));
    Dimension(p, QPointF(left.right(), left.bottom() + 22),
              QPointF(right.left(), right.bottom() + 22), QStringLiteral("G"));
    Dimension(p, QPointF(right.right() + 22, right.top()),
              QPointF(right.right() + 22, right.bottom()), QStringLiteral("X"));
    p.setPen(kInk);
    p.setFont(ArtFont(14));
    p.drawText(QRectF(left.left() - 20, left.bottom() + 40, right.right() - left.left() + 40, 20),
               Qt::AlignCenter, QStringLiteral("Land pattern"));
}

// The dimension table; returns the y below it.
qreal Table(QPainter& p, qreal x, qreal y, qreal width, qreal rowHeight, int fontPx,
            const std::vector<CaseRow>& rows) {
    const QStringList head = {
        QStringLiteral("Case"),        QStringLiteral("EIA"),    QStringLiteral("L \u00b10.2"),
        QStringLiteral("W \u00b10.2"), QStringLiteral("H max."), QStringLiteral("W1 \u00b10.1"),
        QStringLiteral("A \u00b10.3"), QStringLiteral("S min."), QStringLiteral("X"),
        QStringLiteral("Y"),           QStringLiteral("G")};
    const double weights[] = {0.8, 1.3, 1, 1, 1, 1, 1, 1, 0.9, 0.9, 0.9};
    double total = 0;
    for (double w : weights)
        total += w;
    std::vector<qreal> cols;
    qreal cx = x;
    for (double w : weights) {
        cols.push_back(cx);
        cx += width * w / total;
    }
    cols.push_back(x + width);

    p.setPen(Qt::NoPen);
    p.setBrush(kHeader);
    p.drawRect(QRectF(x, y, width, rowHeight * 1.2));
    p.setPen(Qt::white);
    p.setFont(ArtFont(fontPx * 4 / 5, true));
    for (int i = 0; i < head.size(); ++i)
        p.drawText(QRectF(cols[i], y, cols[i + 1] - cols[i], rowHeight * 1.2), Qt::AlignCenter,
                   head[i]);
    // Land pattern columns are grouped under one caption line.
    y += rowHeight * 1.2;
    int index = 0;
    for (const CaseRow& row : rows) {
        const Dimensions d = DimensionsOf(row);
        if (index++ % 2 == 1) {
            p.setPen(Qt::NoPen);
            p.setBrush(kBand);
            p.drawRect(QRectF(x, y, width, rowHeight));
        }
        const QStringList cells = {QString(QLatin1Char(row.code)),
                                   QString::fromLatin1(row.eia),
                                   Mm(d.l),
                                   Mm(d.w),
                                   Mm(d.h),
                                   Mm(d.w1),
                                   Mm(d.a),
                                   Mm(d.s),
                                   Mm(d.padX),
                                   Mm(d.padY),
                                   Mm(d.gap)};
        p.setPen(kInk);
        for (int i = 0; i < cells.size(); ++i) {
            p.setFont(ArtFont(fontPx, i == 0));
            p.drawText(QRectF(cols[i], y, cols[i + 1] - cols[i], rowHeight), Qt::AlignCenter,
                       cells[i]);
        }
        y += rowHeight;
    }
    p.setPen(QPen(kRule, 1));
    p.setBrush(Qt::NoBrush);
    for (qreal c : cols)
        p.drawLine(QPointF(c, y - rowHeight * rows.size()), QPointF(c, y));
    p.drawRect(QRectF(x, y - rowHeight * rows.size() - rowHeight * 1.2, width,
                      rowHeight * rows.size() + rowHeight * 1.2));
    // Separate the land pattern columns from the body dimensions.
    p.setPen(QPen(kHeader, 3));
    p.drawLine(QPointF(cols[8], y - rowHeight * rows.size() - rowHeight * 1.2),
               QPointF(cols[8], y));
    return y;
}

void TitleBand(QPainter& p, int width, int height, const QString& title, const QString& sub,
               int titlePx) {
    p.fillRect(QRect(0, 0, width, height), kHeader);
    p.setPen(Qt::white);
    p.setFont(ArtFont(titlePx, true));
    p.drawText(QRect(24, 0, width - 48, height * 6 / 10), Qt::AlignLeft | Qt::AlignBottom, title);
    p.setFont(ArtFont(titlePx * 5 / 9));
    p.drawText(QRect(24, height * 6 / 10, width - 48, height * 4 / 10),
               Qt::AlignLeft | Qt::AlignVCenter, sub);
}

QImage ChipChart() {
    QImage image = Canvas(1191, 1669);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    TitleBand(p, 1191, 110, QStringLiteral("CASE DIMENSIONS"),
              QStringLiteral("Tantalum, niobium oxide and polymer chip capacitors \u2013 "
                             "all dimensions in millimetres"),
              36);
    ChipDrawing(p, QRectF(60, 150, 720, 400), false);
    LandDrawing(p, QRectF(800, 150, 360, 330));
    const std::vector<CaseRow> rows(std::begin(kChipCases), std::end(kChipCases));
    const qreal bottom = Table(p, 40, 600, 1111, 46, 22, rows);
    p.setPen(kInk);
    p.setFont(ArtFont(17));
    p.drawText(QRectF(40, bottom + 24, 1111, 120), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("X, Y, G: recommended land pattern for reflow soldering. The "
                              "polarity band marks the anode (+) termination. Case codes K to "
                              "P are moulded without polarity band; the anode is marked on the "
                              "termination. Typical values; see the detailed data sheet of each "
                              "series."));
    p.setFont(ArtFont(15, false, true));
    p.setPen(kRule);
    p.drawText(QRectF(40, 1620, 1111, 30), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Vorn Components \u2013 Tantalum Division"));
    p.end();
    return image;
}

QImage WetChart() {
    QImage image = Canvas(718, 575);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    TitleBand(p, 718, 70, QStringLiteral("QCN CASE DIMENSIONS"),
              QStringLiteral("Wet tantalum chip, hermetically sealed \u2013 millimetres"), 26);
    ChipDrawing(p, QRectF(30, 84, 520, 250), true);
    const std::vector<CaseRow> rows(std::begin(kWetCases), std::end(kWetCases));
    const qreal bottom = Table(p, 20, 350, 678, 34, 16, rows);
    p.setPen(kInk);
    p.setFont(ArtFont(13));
    p.drawText(QRectF(20, bottom + 12, 678, 60), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("X, Y, G: recommended land pattern. The glass-sealed anode lead "
                              "is the positive termination."));
    p.end();
    return image;
}

} // namespace

bool DrawCaseCharts(const QString& bitmapFolder) {
    return SavePng(ChipChart().convertToFormat(QImage::Format_RGB888), bitmapFolder,
                   QStringLiteral("175.png")) &&
           SavePng(WetChart().convertToFormat(QImage::Format_RGB888), bitmapFolder,
                   QStringLiteral("188.png"));
}
