#include "Graph.h"

#include "FontFaces.h"
#include "HintWnd.h"
#include "Pick.h"
#include "TextLimits.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>

bool CGraph::composingPage = false;
bool CGraph::forceLandscape = true;

namespace {

QFont MakeFont(const char* face, int height, int weight) {
    return DrawingFont(face, height, weight);
}

} // namespace

CGraph::CGraph(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
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

    m_fonts[FontCaptionVertical] = MakeFont("Tahoma", 12, QFont::Normal);
    m_fonts[FontCaptionVerticalSub] = MakeFont("Tahoma", 11, QFont::Normal);
    m_fonts[FontCaption] = MakeFont("Tahoma", 12, QFont::Normal);
    m_fonts[FontCaptionSub] = MakeFont("Tahoma", 11, QFont::Normal);
    m_fonts[FontReference] = MakeFont("Tahoma", 11, QFont::Bold);
    m_fonts[FontTitle] = MakeFont("Times", 18, QFont::Medium);
    m_fonts[FontLabels] = MakeFont("Times", 12, QFont::Medium);
    m_brush = QBrush(QColor(255, 255, 255));

    m_liveHint = new CHintWnd(this);
    m_readoutHint = new CHintWnd(this);
}

CGraph::~CGraph() = default;

void CGraph::RedrawNow() {
    m_pictureValid = false;
    repaint();
}

void CGraph::FreeData() {
    m_x.clear();
    for (int i = 0; i < 4; ++i) {
        m_curves[i].clear();
        m_hasCurve[i] = false;
    }
    m_count = 0;
}

void CGraph::MinorTickOffsets(int decadeLength, int offsets[8]) {
    ::MinorTickOffsets(decadeLength, offsets);
}

void CGraph::NiceScale(int& count, double low, double high, double& outLow, double& outHigh,
                       bool keepRange) {
    ::NiceScale(count, low, high, outLow, outHigh, keepRange);
}

int CGraph::XToPixel(double x, int width) {
    AxisRange range{m_xMin, m_xMax, m_xLog != 0};
    const int px = ::XToPixel(x, range, width);
    m_xMin = range.minimum;
    m_xMax = range.maximum;
    return px;
}

int CGraph::YToPixel(double y, int plotHeight) {
    return ::YToPixel(y, AxisRange{m_yMin, m_yMax, m_yLog != 0}, plotHeight);
}

const double* CGraph::Curve(int index) const {
    return m_hasCurve[index] ? m_curves[index].data() : nullptr;
}

AxisRange CGraph::DrawnXRange() const {
    AxisRange r{m_xMin, m_xMax, m_xLog != 0};
    if (!(r.minimum <= r.maximum)) {
        r.minimum = r.logarithmic ? 1.0 : 0.0;
        r.maximum = r.logarithmic ? 10.0 : 1.0;
    }
    return r;
}

AxisRange CGraph::DrawnYRange() const {
    AxisRange r{m_yMin, m_yMax, m_yLog != 0};
    if (!(r.minimum <= r.maximum)) {
        r.minimum = r.logarithmic ? 1.0 : 0.0;
        r.maximum = r.logarithmic ? 10.0 : 1.0;
    }
    return r;
}

int CGraph::SetData(int count, const double* x, const double* y1, const double* y2,
                    const double* y3, const double* y4) {
    FreeData();
    m_pictureValid = false;
    if (count < 2) {
        update();
        return 0;
    }
    if (x == nullptr || y1 == nullptr) {
        // Without arrays the view stays empty; a count without arrays would let a pick read
        // them.
        update();
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
    RedrawNow();
    return 0;
}

void CGraph::SetXCaption(const char* text) {
    m_xCaption = LimitText(text);
    RedrawNow();
}

void CGraph::SetYCaption(const char* text) {
    m_yCaption = LimitText(text);
    RedrawNow();
}

void CGraph::SetRightYCaption(const char* text) {
    m_rightYCaption = LimitText(text);
    RedrawNow();
}

void CGraph::SetLogAxes(int xLogarithmic, int yLogarithmic) {
    m_xLog = xLogarithmic != 0 ? 1 : 0;
    m_yLog = yLogarithmic != 0 ? 1 : 0;
    RedrawNow();
}

void CGraph::ShowMarkers(int flag) {
    m_markers = flag != 0 ? 1 : 0;
    m_pictureValid = false;
}

void CGraph::SetTitle(const char* text) {
    m_title = LimitText(text);
    RedrawNow();
}

void CGraph::SetLegend(int position, const char* name1, const char* name2, const char* name3,
                       const char* name4) {
    for (std::string& name : m_legendNames)
        name.clear();
    m_legendPosition = position;
    const char* names[4] = {name1, name2, name3, name4};
    for (int i = 0; i < 4; ++i) {
        if (names[i] != nullptr)
            m_legendNames[i] = LimitText(names[i]);
    }
    m_pictureValid = false;
}

void CGraph::SetPickCarriesView(bool flag) {
    m_pickCarriesView = flag;
}

void CGraph::SetUnits(const char* xUnit, const char* yUnit) {
    m_xUnit = LimitText(xUnit);
    m_yUnit = LimitText(yUnit);
}

void CGraph::SetNote(const char* text) {
    m_note = text == nullptr ? std::string() : std::string(text);
    m_pictureValid = false;
}

void CGraph::SetReferencePoint(const char* text, double x, double y) {
    m_referenceText = text == nullptr ? std::string() : std::string(text);
    m_referenceX = x;
    m_referenceY = y;
    m_pictureValid = false;
}

void CGraph::CreateDclBar(int templateId) {
    if (m_dclBar == nullptr && m_host != nullptr)
        m_dclBar = m_host->CreateDclBar(templateId);
}

void CGraph::SetCurveDotted(int index, bool flag) {
    if (index < 0 || index > 3)
        return;
    m_dotted[index] = flag ? 1 : 0;
    m_pictureValid = false;
}

CDclBar* CGraph::GetDclBar() {
    return m_dclBar;
}

QImage CGraph::RenderImage(const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Render(painter, QRect(QPoint(0, 0), size));
    painter.end();
    return image;
}

void CGraph::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (!m_pictureValid || m_picture.size() != pixels) {
        // Kept at the screen's pixel density; the geometry stays in logical units.
        m_picture = QImage(pixels, QImage::Format_RGB32);
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(Qt::white);
        QPainter picture(&m_picture);
        Render(picture, rect(), true);
        picture.end();
        m_pictureValid = true;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
    if (m_crosshairShown)
        InvertStrips(painter, m_lastCrosshair.x(), m_lastCrosshair.y());
}

void CGraph::InvertStrips(QPainter& p, int x, int y) {
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

// --- Picking and the cursor ------------------------------------------------------------------

int CGraph::PickAt(int x, int y, int& curve, double& xValue, bool dragging) {
    PickContext context;
    context.plot = m_plotRect;
    context.x = DrawnXRange();
    context.y = DrawnYRange();
    context.count = m_count;
    context.xValues = m_x.empty() ? nullptr : m_x.data();
    for (int k = 0; k < 4; ++k)
        context.curves[k] = Curve(k);
    return ::PickAt(context, x, y, curve, xValue, dragging);
}

void CGraph::SendPick() {
    if (m_host != nullptr)
        m_host->GraphPick(*this, m_cursor);
}

void CGraph::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || m_tooSmall)
        return;
    const QPoint pos = event->position().toPoint();
    if (PickAt(pos.x(), pos.y(), m_cursor.curve, m_cursor.x, false) != PickHit)
        return;
    m_cursor.phase = CursorInfo::Begin;
    m_cursor.view = m_pickCarriesView ? this : nullptr;
    SendPick();
    // Qt holds the mouse for the pressed widget until the release.
    m_cursor.phase = CursorInfo::Move;
}

void CGraph::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    if (m_cursor.phase != CursorInfo::Move)
        return;
    QPoint pos = event->position().toPoint();
    // Dragging beyond the plot keeps the cursor on the frame.
    pos.setX(qBound(m_plotRect.left, pos.x(), m_plotRect.right));
    pos.setY(qBound(m_plotRect.top, pos.y(), m_plotRect.bottom - 1));
    PickAt(pos.x(), pos.y(), m_cursor.curve, m_cursor.x, true);
    SendPick();
}

void CGraph::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (m_cursor.phase != CursorInfo::Move || event->button() != Qt::LeftButton)
        return;
    m_cursor.phase = CursorInfo::End;
    const QPoint pos = event->position().toPoint();
    // Outside the plot x becomes 0; the end phase only hides the box and the crosshair.
    PickAt(pos.x(), pos.y(), m_cursor.curve, m_cursor.x, true);
    SendPick();
}

void CGraph::OnCaptureCancelled() {
    if (m_cursor.phase != CursorInfo::Move)
        return;
    m_cursor.phase = CursorInfo::End;
    PickAt(m_lastCrosshair.x(), m_lastCrosshair.y(), m_cursor.curve, m_cursor.x, false);
    SendPick();
}

bool CGraph::event(QEvent* event) {
    switch (event->type()) {
    // Another window took the mouse in the middle of a drag. (Hiding is left out: a view is
    // hidden while its window goes, when the host may no longer take messages.)
    case QEvent::UngrabMouse:
    case QEvent::WindowDeactivate:
        OnCaptureCancelled();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool CGraph::CursorPosition(CursorInfo& cursor, int& px, int& ys) {
    const int width = this->width();
    const int plotHeight = height() - kTextLineHeight * m_textLines;
    if (width < kMinDrawWidth || plotHeight < kMinPlotHeight)
        return false;

    const AxisRange yRange = DrawnYRange();
    int py = 0;
    if (yRange.logarithmic) {
        py = ::YToPixel(cursor.y, yRange, plotHeight);
    } else {
        double low = 0.0;
        double high = 0.0;
        RoundedYRange(yRange, plotHeight, low, high);
        if (cursor.y >= kOffScale)
            cursor.y = high;
        if (cursor.y <= -kOffScale)
            cursor.y = low;
        py = ::YToPixel(cursor.y, AxisRange{low, high, false}, plotHeight);
    }

    AxisRange xRange = DrawnXRange();
    if (!xRange.logarithmic) {
        if (cursor.x >= kOffScale)
            cursor.x = xRange.maximum;
        if (cursor.x <= -kOffScale)
            cursor.x = xRange.minimum;
    }
    px = ::XToPixel(cursor.x, xRange, width);
    ys = plotHeight - py;
    return true;
}

void CGraph::TrackCursor(CursorInfo& cursor) {
    int px = 0;
    int ys = 0;
    if (!CursorPosition(cursor, px, ys))
        return;
    const std::string line1 = FormatSI(cursor.x) + m_xUnit;
    const std::string line2 = FormatSI(cursor.y) + m_yUnit;

    switch (cursor.phase) {
    case CursorInfo::Begin:
        m_liveHint->SetTexts(line1, line2);
        m_liveHint->show();
        m_liveHint->raise();
        m_liveHint->MoveBox(px + 5, ys - 35);
        m_liveHint->repaint();
        m_crosshairShown = true;
        m_lastCrosshair = QPoint(px, ys);
        repaint();
        break;
    case CursorInfo::Move:
        m_liveHint->SetTexts(line1, line2);
        m_liveHint->MoveBox(px + 5, ys - 35);
        m_crosshairShown = true;
        m_lastCrosshair = QPoint(px, ys);
        repaint();
        m_liveHint->repaint();
        break;
    default:
        m_liveHint->hide();
        m_crosshairShown = false;
        repaint();
        break;
    }
}

void CGraph::RefreshReadout() {
    double point[2] = {0.0, 0.0};
    const int answer = m_host != nullptr ? m_host->GraphQueryPoint(*this, point) : -1;
    if (answer == 0) {
        m_readoutShown = 1;
        m_readoutX = point[0];
        m_readoutY = point[1];
    } else {
        m_readoutShown = 0;
        m_readoutHint->hide();
    }
    RedrawNow();
}
