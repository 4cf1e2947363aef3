// The drawing routine of the graph view: one routine for the screen, export bitmaps and the
// cells of the printed page. Geometry is in logical units of the surface, y downwards.

#include "GraphPainter.h"

#include "FontFaces.h"
#include "OffScale.h"
#include "TextLimits.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <cmath>

namespace {

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.c_str());
}

// A line from (x0, y0) towards (x1, y1) with the end point left out, so that lines joined end
// to start cover every pixel once and a frame line ends exactly where the next one begins.
void LineTo(QPainter& p, int x0, int y0, int x1, int y1) {
    if (x0 == x1 && y0 == y1)
        return;
    if (x0 == x1) {
        const int end = y1 > y0 ? y1 - 1 : y1 + 1;
        p.drawLine(x0, y0, x1, end);
    } else if (y0 == y1) {
        const int end = x1 > x0 ? x1 - 1 : x1 + 1;
        p.drawLine(x0, y0, end, y1);
    } else {
        p.drawLine(x0, y0, x1, y1);
    }
}

// Single-line text centred on a point.
void DrawCentred(QPainter& p, const QString& text, int x, int y) {
    p.drawText(QRect(x - 500, y - 100, 1000, 200),
               Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, text);
}

int TextWidth(QPainter& p, const QFont& font, const std::string& text) {
    if (text.empty())
        return 0;
    return QFontMetrics(font, p.device()).horizontalAdvance(ToQString(text));
}

} // namespace

CGraphPainter::CGraphPainter() {
    m_pens[PenBlue] = QPen(QColor(0, 0, 192), 1, Qt::SolidLine);
    m_pens[PenRed] = QPen(QColor(192, 0, 0), 1, Qt::SolidLine);
    m_pens[PenViolet] = QPen(QColor(160, 0, 255), 1, Qt::SolidLine);
    m_pens[PenPink] = QPen(QColor(255, 0, 160), 1, Qt::SolidLine);
    m_pens[PenBlack] = QPen(QColor(0, 0, 0), 1, Qt::SolidLine);
    m_pens[PenGrid] = QPen(QColor(204, 204, 204), 1, Qt::SolidLine);
    m_pens[PenShadow] = QPen(QColor(112, 112, 112), 1, Qt::SolidLine);
    m_pens[PenDotted] = QPen(QColor(32, 32, 32), 1, Qt::DotLine);
    m_pens[PenThick] = QPen(QColor(0, 0, 0), 2, Qt::SolidLine);
    for (QPen& pen : m_pens) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    }

    m_fonts[FontCaptionVertical] = DrawingFont("Tahoma", 12, QFont::Normal);
    m_fonts[FontCaptionVerticalSub] = DrawingFont("Tahoma", 11, QFont::Normal);
    m_fonts[FontCaption] = DrawingFont("Tahoma", 12, QFont::Normal);
    m_fonts[FontCaptionSub] = DrawingFont("Tahoma", 11, QFont::Normal);
    m_fonts[FontReference] = DrawingFont("Tahoma", 11, QFont::Bold);
    m_fonts[FontTitle] = DrawingFont("Times", 18, QFont::Medium);
    m_fonts[FontLabels] = DrawingFont("Times", 12, QFont::Medium);
    m_brush = QBrush(QColor(255, 255, 255));
}

void CGraphPainter::FreeData() {
    m_x.clear();
    for (int i = 0; i < 4; ++i) {
        m_curves[i].clear();
        m_hasCurve[i] = false;
    }
    m_count = 0;
}

int CGraphPainter::SetData(int count, const double* x, const double* y1, const double* y2,
                           const double* y3, const double* y4) {
    FreeData();
    if (count < 2)
        return 0;
    if (x == nullptr || y1 == nullptr) {
        // Without arrays the painter stays empty; a count without arrays would let a pick read
        // them.
        return -1;
    }
    m_count = count;
    m_x.assign(x, x + count);
    const double* given[4] = {y1, y2, y3, y4};
    for (int k = 0; k < 4; ++k) {
        if (given[k] != nullptr) {
            m_curves[k].assign(given[k], given[k] + count);
            m_hasCurve[k] = true;
        }
    }

    m_xMin = 1e50;
    m_xMax = 1e-50;
    for (double v : m_x) {
        if (v < m_xMin)
            m_xMin = v;
        if (v > m_xMax)
            m_xMax = v;
    }
    // Off-scale values (|v| >= 1e50) mark run-away points; they never widen the range.
    m_yMin = 1e50;
    m_yMax = 1e-50;
    for (int k = 0; k < 4; ++k) {
        if (!m_hasCurve[k])
            continue;
        for (double v : m_curves[k]) {
            if (v < m_yMin && v > -kOffScale)
                m_yMin = v;
            if (v > m_yMax && v < kOffScale)
                m_yMax = v;
        }
    }
    return 0;
}

void CGraphPainter::SetXCaption(const char* text) {
    m_xCaption = LimitText(text);
}

void CGraphPainter::SetYCaption(const char* text) {
    m_yCaption = LimitText(text);
}

void CGraphPainter::SetRightYCaption(const char* text) {
    m_rightYCaption = LimitText(text);
}

void CGraphPainter::SetLogAxes(int xLogarithmic, int yLogarithmic) {
    m_xLog = xLogarithmic != 0 ? 1 : 0;
    m_yLog = yLogarithmic != 0 ? 1 : 0;
}

void CGraphPainter::ShowMarkers(int flag) {
    m_markers = flag != 0 ? 1 : 0;
}

void CGraphPainter::SetTitle(const char* text) {
    m_title = LimitText(text);
}

void CGraphPainter::SetLegend(int position, const char* name1, const char* name2, const char* name3,
                              const char* name4) {
    for (std::string& name : m_legendNames)
        name.clear();
    m_legendPosition = position;
    const char* names[4] = {name1, name2, name3, name4};
    for (int i = 0; i < 4; ++i) {
        if (names[i] != nullptr)
            m_legendNames[i] = LimitText(names[i]);
    }
}

void CGraphPainter::SetUnits(const char* xUnit, const char* yUnit) {
    m_xUnit = LimitText(xUnit);
    m_yUnit = LimitText(yUnit);
}

void CGraphPainter::SetNote(const char* text) {
    m_note = text == nullptr ? std::string() : std::string(text);
}

void CGraphPainter::SetReferencePoint(const char* text, double x, double y) {
    m_referenceText = text == nullptr ? std::string() : std::string(text);
    m_referenceX = x;
    m_referenceY = y;
}

void CGraphPainter::SetCurveDotted(int index, bool flag) {
    if (index < 0 || index > 3)
        return;
    m_dotted[index] = flag ? 1 : 0;
}

void CGraphPainter::SetReadout(bool shown, double x, double y) {
    m_readoutShown = shown ? 1 : 0;
    if (shown) {
        m_readoutX = x;
        m_readoutY = y;
    }
}

const double* CGraphPainter::Curve(int index) const {
    return m_hasCurve[index] ? m_curves[index].data() : nullptr;
}

AxisRange CGraphPainter::DrawnXRange() const {
    AxisRange r{m_xMin, m_xMax, m_xLog != 0};
    if (!(r.minimum <= r.maximum)) {
        r.minimum = r.logarithmic ? 1.0 : 0.0;
        r.maximum = r.logarithmic ? 10.0 : 1.0;
    }
    return r;
}

AxisRange CGraphPainter::DrawnYRange() const {
    AxisRange r{m_yMin, m_yMax, m_yLog != 0};
    if (!(r.minimum <= r.maximum)) {
        r.minimum = r.logarithmic ? 1.0 : 0.0;
        r.maximum = r.logarithmic ? 10.0 : 1.0;
    }
    return r;
}

int CGraphPainter::XToPixel(double x, int width) {
    AxisRange range{m_xMin, m_xMax, m_xLog != 0};
    const int px = ::XToPixel(x, range, width);
    m_xMin = range.minimum;
    m_xMax = range.maximum;
    return px;
}

int CGraphPainter::YToPixel(double y, int plotHeight) const {
    return ::YToPixel(y, AxisRange{m_yMin, m_yMax, m_yLog != 0}, plotHeight);
}

QImage CGraphPainter::RenderImage(const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Render(painter, QRect(QPoint(0, 0), size));
    painter.end();
    return image;
}

void CGraphPainter::InvertStrips(QPainter& p, int x, int y) {
    p.save();
    if (p.paintEngine() != nullptr && p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
        // Two separate inversions, so the crossing point is inverted twice and keeps its
        // colour; drawing the same strips again restores every pixel.
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.fillRect(QRect(x - 7, y, 14, 1), Qt::black);
        p.fillRect(QRect(x, y - 7, 1, 14), Qt::black);
    } else {
        p.fillRect(QRect(x - 7, y, 14, 1), Qt::black);
        p.fillRect(QRect(x, y - 7, 1, 14), Qt::black);
    }
    p.restore();
}

void CGraphPainter::DrawCross(int x, int y, QPainter& surface) const {
    LineTo(surface, x + 5, y, x - 5, y);
    LineTo(surface, x, y + 5, x, y - 5);
}

void CGraphPainter::DrawSubscripted(QPainter& p, const std::string& text, QRect rect, int flags,
                                    const QFont& normal, const QFont& subscript,
                                    int subscriptShift) const {
    const SubscriptParts parts = SplitSubscript(text);
    p.setFont(normal);
    flags |= Qt::TextSingleLine | Qt::TextDontClip;
    if (!parts.hasSubscript) {
        p.drawText(rect, flags, ToQString(parts.prefix));
        return;
    }
    p.drawText(rect, flags, ToQString(parts.prefix));
    int advance = QFontMetrics(normal, p.device()).horizontalAdvance(ToQString(parts.prefix)) + 1;
    rect.translate(advance, 0);
    p.setFont(subscript);
    rect.translate(0, subscriptShift);
    p.drawText(rect, flags, ToQString(parts.subscript));
    advance = QFontMetrics(subscript, p.device()).horizontalAdvance(ToQString(parts.subscript)) + 1;
    rect.translate(advance, -subscriptShift);
    p.setFont(normal);
    p.drawText(rect, flags, ToQString(parts.rest));
}

void CGraphPainter::DrawRotatedCaption(QPainter& surface, const std::string& text,
                                       const QRect& rect, int flags) const {
    // The caption runs upwards from the rectangle's top-left corner. In the turned frame x
    // points up the page and y to the right, so the subscript's shift of 3 moves it to the
    // right, which is downwards for the text.
    surface.save();
    surface.translate(rect.left(), rect.top());
    surface.rotate(-90.0);
    DrawSubscripted(surface, text, QRect(0, 0, 10000, rect.height()), flags,
                    m_fonts[FontCaptionVertical], m_fonts[FontCaptionVerticalSub], 3);
    surface.restore();
}

void CGraphPainter::DrawLegendText(QPainter& surface, const std::string& text, const QRect& rect,
                                   int flags) const {
    DrawSubscripted(surface, text, rect, flags, m_fonts[FontCaption], m_fonts[FontCaptionSub], 3);
}

void CGraphPainter::Render(QPainter& surface, const QRect& area, GraphLayout* layout) {
    if (m_count < 2 || m_x.empty() || !m_hasCurve[0])
        return;
    QPainter& p = surface;
    p.save();
    p.translate(area.topLeft());
    p.setClipRect(QRect(0, 0, area.width(), area.height()), Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(m_pens[PenBlack]);
    p.setFont(m_fonts[FontTitle]);
    p.setBrush(Qt::NoBrush);

    const int width = area.width();
    const int height = area.height();

    // Rows of text under the plot.
    const int noteLines = TextLineCount(TextWidth(p, m_fonts[FontCaptionSub], m_note), width);
    const int referenceLines =
        TextLineCount(TextWidth(p, m_fonts[FontReference], m_referenceText), width);
    const int lines = noteLines + referenceLines;
    const int plotHeight = height - kTextLineHeight * lines;
    GraphLayout unused;
    GraphLayout& found = layout != nullptr ? *layout : unused;
    found.textLines = lines;

    if (width < kMinDrawWidth || plotHeight < kMinPlotHeight) {
        found.tooSmall = true;
        p.restore();
        return;
    }
    found.tooSmall = false;

    // The drawing rounds the linear y range; the data ranges come back at the end.
    const double kept[4] = {m_xMin, m_xMax, m_yMin, m_yMax};
    const AxisRange xDrawn = DrawnXRange();
    const AxisRange yDrawn = DrawnYRange();
    m_xMin = xDrawn.minimum;
    m_xMax = xDrawn.maximum;
    m_yMin = yDrawn.minimum;
    m_yMax = yDrawn.maximum;
    p.setBackgroundMode(Qt::TransparentMode);

    if (!m_title.empty()) {
        p.drawText(QRect(0, 0, width, 40), Qt::AlignCenter | Qt::TextSingleLine,
                   ToQString(m_title));
    }

    DrawAxesAndLabels(p, width, plotHeight);
    DrawCurves(p, width, plotHeight);
    DrawLegend(p, width, plotHeight);

    if (!m_referenceText.empty()) {
        p.setPen(m_pens[PenThick]);
        DrawCross(XToPixel(m_referenceX, width), plotHeight - YToPixel(m_referenceY, plotHeight),
                  p);
    }
    found.readoutDrawn = false;
    if (m_readoutShown != 0)
        DrawReadout(p, width, plotHeight, found);
    DrawTextsUnderPlot(p, width, plotHeight, noteLines, referenceLines);

    m_xMin = kept[0];
    m_xMax = kept[1];
    m_yMin = kept[2];
    m_yMax = kept[3];
    found.plotRect = {kPlotLeft, kPlotTop, width - 39, plotHeight - kPlotBottomMargin};
    p.restore();
}

void CGraphPainter::DrawAxesAndLabels(QPainter& p, int width, int plotHeight) {
    p.setFont(m_fonts[FontLabels]);
    p.setPen(m_pens[PenBlack]);
    LineTo(p, width - 40, plotHeight - 40, 60, plotHeight - 40);
    LineTo(p, 60, plotHeight - 40, 60, 40);

    int offsets[8];

    // x divisions: one per decade on a logarithmic axis; a linear axis keeps its data range and
    // only takes an evenly dividing count.
    const int xSpan = width - 100;
    int divisions = WantedDivisions(xSpan);
    int labelStep = 1;
    int lo = 0;
    int hi = 1;
    if (m_xLog != 0) {
        DecadeEnds(m_xMin, m_xMax, lo, hi);
        const int wanted = divisions;
        divisions = hi - lo;
        labelStep = XLabelStep(divisions, wanted);
        ::MinorTickOffsets(xSpan / divisions, offsets);
    } else {
        double low = 0.0;
        double high = 0.0;
        ::NiceScale(divisions, m_xMin, m_xMax, low, high, true);
    }
    for (int i = 0; i <= divisions; ++i) {
        const int x = i * xSpan / divisions + 60;
        if (i > 0 && i < divisions) {
            p.setPen(m_pens[PenGrid]);
            LineTo(p, x, plotHeight - 41, x, 39);
        } else if (i == divisions) {
            p.setPen(m_pens[PenBlack]);
            LineTo(p, x, plotHeight - 41, x, 40);
        }
        if (m_xLog != 0) {
            p.setPen(m_pens[PenGrid]);
            for (int o : offsets) {
                if (x + o >= width - 40)
                    break;
                LineTo(p, x + o, plotHeight - 41, x + o, 39);
            }
        }
        if (i % labelStep == 0) {
            const double value =
                m_xLog != 0 ? std::pow(10.0, i + lo) : m_xMin + (m_xMax - m_xMin) * i / divisions;
            p.setPen(m_pens[PenBlack]);
            DrawCentred(p, QString::fromStdString(FormatSI(value)), x, plotHeight - 28);
        }
    }

    p.setPen(m_pens[PenBlack]);
    if (!m_xCaption.empty()) {
        p.setFont(m_fonts[FontCaption]);
        p.drawText(QRect(width / 2 - 5000, plotHeight - 2 - 200, 10000, 200),
                   Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextDontClip,
                   ToQString(m_xCaption));
    }

    // y divisions; a linear y axis takes its rounded range for the rest of the drawing.
    p.setFont(m_fonts[FontLabels]);
    const int ySpan = plotHeight - 80;
    divisions = WantedDivisions(ySpan);
    labelStep = 1;
    if (m_yLog != 0) {
        DecadeEnds(m_yMin, m_yMax, lo, hi);
        const int wanted = divisions;
        divisions = hi - lo;
        labelStep = YLabelStep(divisions, wanted);
        ::MinorTickOffsets(ySpan / divisions, offsets);
    } else {
        double low = 0.0;
        double high = 0.0;
        ::NiceScale(divisions, m_yMin, m_yMax, low, high, false);
        m_yMin = low;
        m_yMax = high;
    }
    for (int i = 0; i <= divisions; ++i) {
        const int y = plotHeight - i * ySpan / divisions - 40;
        if (i > 0 && i < divisions) {
            p.setPen(m_pens[PenGrid]);
            LineTo(p, 61, y, width - 40, y);
        } else if (i == divisions) {
            p.setPen(m_pens[PenBlack]);
            LineTo(p, 60, y, width - 39, y);
        }
        if (m_yLog != 0) {
            p.setPen(m_pens[PenGrid]);
            for (int o : offsets) {
                if (y - o <= 40)
                    break;
                LineTo(p, 61, y - o, width - 40, y - o);
            }
        }
        if (i % labelStep == 0) {
            const double value =
                m_yLog != 0 ? std::pow(10.0, i + lo) : m_yMin + (m_yMax - m_yMin) * i / divisions;
            const QString label = QString::fromStdString(FormatSI(value));
            p.setPen(m_pens[PenBlack]);
            DrawCentred(p, label, 42, y);
            if (!m_rightYCaption.empty())
                DrawCentred(p, label, width - 20, y);
        }
    }

    // y captions run upwards, centred on the middle of the plot height.
    p.setPen(m_pens[PenBlack]);
    const int captionWidth = TextWidth(p, m_fonts[FontCaptionVertical], m_yCaption);
    const int centre = plotHeight - plotHeight / 2;
    if (!m_yCaption.empty()) {
        DrawRotatedCaption(p, m_yCaption, QRect(6, centre + captionWidth / 2, 0, 0),
                           Qt::AlignLeft | Qt::AlignTop);
    }
    if (!m_rightYCaption.empty()) {
        DrawRotatedCaption(p, m_rightYCaption, QRect(width - 60, centre + captionWidth / 2, 0, 0),
                           Qt::AlignLeft | Qt::AlignTop);
    }
}

void CGraphPainter::DrawCurves(QPainter& p, int width, int plotHeight) {
    // On a surface with more than one device pixel per drawing unit (a screen at 1.5x or 2x)
    // the curves are drawn through their exact positions and smoothed, so they do not step in
    // whole units; at one pixel per unit (the design's drawing, exports, the page) the points
    // are the truncated units and nothing is smoothed.
    const QPaintDevice* device = p.device();
    const bool fine = device != nullptr && device->devicePixelRatioF() > 1.0;
    const auto position = [&](double x, double y) {
        if (!fine)
            return QPointF(XToPixel(x, width), plotHeight - YToPixel(y, plotHeight));
        AxisRange range{m_xMin, m_xMax, m_xLog != 0};
        const double px = XToUnitsExact(x, range, width);
        m_xMin = range.minimum;
        m_xMax = range.maximum;
        return QPointF(px, plotHeight - YToUnitsExact(y, YRange(), plotHeight));
    };
    p.save();
    p.setRenderHint(QPainter::Antialiasing, fine);

    // Curves 1 and 4: one move and line per segment, markers on curve 1.
    const QPen& pen1 = CurveDotted(0) ? m_pens[PenDotted] : m_pens[PenRed];
    const QPen& pen4 = CurveDotted(3) ? m_pens[PenDotted] : m_pens[PenViolet];
    const double* c1 = m_curves[0].data();
    const double* c4 = Curve(3);
    QPointF previous1;
    QPointF previous4;
    p.setPen(pen1);
    // On a logarithmic y axis an off-scale point has no place on the plot (its logarithm lies
    // far outside the frame): it is left out with the segments that touch it. On a linear axis
    // it lands on the range end, as the point mapping puts it.
    const bool leaveOut = m_yLog != 0;
    const auto offScale = [leaveOut](double v) {
        return leaveOut && (v >= kOffScale || v <= -kOffScale);
    };
    for (int i = 0; i < m_count; ++i) {
        const QPointF point1 = position(m_x[i], c1[i]);
        if (c4 != nullptr)
            p.setPen(pen1);
        const bool out1 = offScale(c1[i]);
        if (m_markers != 0 && !out1) {
            p.setRenderHint(QPainter::Antialiasing, false);
            DrawCross(XToPixel(m_x[i], width), plotHeight - YToPixel(c1[i], plotHeight), p);
            p.setRenderHint(QPainter::Antialiasing, fine);
        }
        if (i > 0 && !out1 && !offScale(c1[i - 1]))
            p.drawLine(previous1, point1);
        previous1 = point1;
        if (c4 != nullptr) {
            const QPointF point4 = position(m_x[i], c4[i]);
            p.setPen(pen4);
            if (i > 0 && !offScale(c4[i]) && !offScale(c4[i - 1]))
                p.drawLine(previous4, point4);
            previous4 = point4;
        }
    }

    // Curves 2 and 3: one path each; on a logarithmic axis each run of points on the scale is
    // a subpath of its own.
    const PenId pens[2] = {PenBlue, PenPink};
    for (int k = 1; k <= 2; ++k) {
        const double* c = Curve(k);
        if (c == nullptr)
            continue;
        QPainterPath path;
        bool open = false;
        for (int i = 0; i < m_count; ++i) {
            if (offScale(c[i])) {
                open = false;
                continue;
            }
            const QPointF point = position(m_x[i], c[i]);
            if (open)
                path.lineTo(point);
            else
                path.moveTo(point);
            open = true;
        }
        p.strokePath(path, CurveDotted(k) ? m_pens[PenDotted] : m_pens[pens[k - 1]]);
    }
    p.restore();
}

void CGraphPainter::DrawLegend(QPainter& p, int width, int plotHeight) const {
    int count = 0;
    int nameWidth = 0;
    for (const std::string& name : m_legendNames) {
        if (name.empty())
            continue;
        ++count;
        const int w = TextWidth(p, m_fonts[FontCaption], name);
        if (w > nameWidth)
            nameWidth = w;
    }
    if (!LegendFits(nameWidth, count, width, plotHeight))
        return;
    const BoxRect r = LegendRect(m_legendPosition, nameWidth, count, width, plotHeight);
    p.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), m_brush);
    p.setPen(m_pens[PenBlack]);
    LineTo(p, r.left, r.bottom, r.right, r.bottom);
    LineTo(p, r.right, r.bottom, r.right, r.top);
    LineTo(p, r.right, r.top, r.left, r.top);
    LineTo(p, r.left, r.top, r.left, r.bottom);
    p.setPen(m_pens[PenShadow]);
    LineTo(p, r.left + 1, r.bottom + 1, r.right + 1, r.bottom + 1);
    LineTo(p, r.right + 1, r.bottom + 1, r.right + 1, r.top + 1);
    LineTo(p, r.left + 1, r.bottom + 2, r.right + 2, r.bottom + 2);
    LineTo(p, r.right + 2, r.bottom + 2, r.right + 2, r.top + 1);

    const PenId entryPens[4] = {PenRed, PenBlue, PenPink, PenViolet};
    for (int j = 0; j < count; ++j) {
        const int y = r.top + 16 * j + 8;
        p.setPen(CurveDotted(j) ? m_pens[PenDotted] : m_pens[entryPens[j]]);
        LineTo(p, r.left + 5, y, r.left + 15, y);
        p.setPen(m_pens[PenBlack]);
        DrawLegendText(p, m_legendNames[j], QRect(r.left + 20, y, nameWidth + 10, 0),
                       Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void CGraphPainter::DrawReadout(QPainter& p, int width, int plotHeight, GraphLayout& layout) {
    const int px = XToPixel(m_readoutX, width);
    const int py = YToPixel(m_readoutY, plotHeight);
    InvertStrips(p, px, plotHeight - py);

    const std::string line1 = FormatSI(m_readoutX) + m_xUnit;
    const std::string line2 = FormatSI(m_readoutY) + m_yUnit;
    m_readoutBox.SetTexts(line1, line2);
    layout.readoutDrawn = true;
    layout.readoutLeft = px + 5;
    layout.readoutTop = plotHeight - py - 35;
    // The box is drawn in place on a white ground, as lines and text on any surface.
    p.save();
    p.translate(px + 5, plotHeight - py - 35);
    p.setClipRect(QRect(0, 0, m_readoutBox.BoxWidth(), m_readoutBox.BoxHeight()),
                  Qt::IntersectClip);
    p.fillRect(QRect(0, 0, m_readoutBox.BoxWidth(), m_readoutBox.BoxHeight()), Qt::white);
    m_readoutBox.PaintBox(p);
    p.restore();
}

void CGraphPainter::DrawTextsUnderPlot(QPainter& p, int width, int plotHeight, int noteLines,
                                       int referenceLines) const {
    p.setPen(m_pens[PenBlack]);
    if (noteLines > 0) {
        p.setFont(m_fonts[FontCaptionSub]);
        const QStringList rows = ToQString(BreakIntoLines(m_note, noteLines)).split('\n');
        const int spacing = QFontMetrics(m_fonts[FontCaptionSub], p.device()).lineSpacing();
        for (int i = 0; i < rows.size(); ++i) {
            p.drawText(QRect(0, plotHeight + i * spacing, width, spacing),
                       Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                       rows[i]);
        }
    }
    if (!m_referenceText.empty() && referenceLines > 0) {
        const int top = plotHeight + kTextLineHeight * noteLines;
        p.setFont(m_fonts[FontReference]);
        const QFontMetrics metrics(m_fonts[FontReference], p.device());
        const QStringList rows =
            ToQString(BreakIntoLines(m_referenceText, referenceLines)).split('\n');
        for (int i = 0; i < rows.size(); ++i) {
            p.drawText(QRect(0, top + i * metrics.lineSpacing(), width, metrics.lineSpacing()),
                       Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                       rows[i]);
        }
        // The cross is the legend symbol of the reference text, in the room its leading
        // blanks leave.
        const int firstWidth = metrics.horizontalAdvance(rows.front());
        p.setPen(m_pens[PenThick]);
        DrawCross((width - 1) / 2 - firstWidth / 2 + 8, top + 7, p);
    }
}
