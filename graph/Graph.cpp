#include "Graph.h"

#include "HintWnd.h"
#include "Pick.h"
#include "TextLimits.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

bool CGraph::composingPage = false;
bool CGraph::forceLandscape = true;

CGraph::CGraph(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_liveHint = new CHintWnd(this);
    m_readoutHint = new CHintWnd(this);
}

CGraph::~CGraph() = default;

void CGraph::RedrawNow() {
    m_pictureValid = false;
    repaint();
}

void CGraph::FreeData() {
    m_painter.FreeData();
}

void CGraph::DrawCross(int x, int y, QPainter& surface) {
    m_painter.DrawCross(x, y, surface);
}

void CGraph::DrawRotatedCaption(QPainter& surface, const std::string& text, const QRect& rect,
                                int flags) {
    m_painter.DrawRotatedCaption(surface, text, rect, flags);
}

void CGraph::DrawLegendText(QPainter& surface, const std::string& text, const QRect& rect,
                            int flags) {
    m_painter.DrawLegendText(surface, text, rect, flags);
}

void CGraph::MinorTickOffsets(int decadeLength, int offsets[8]) {
    ::MinorTickOffsets(decadeLength, offsets);
}

void CGraph::NiceScale(int& count, double low, double high, double& outLow, double& outHigh,
                       bool keepRange) {
    ::NiceScale(count, low, high, outLow, outHigh, keepRange);
}

int CGraph::XToPixel(double x, int width) {
    return m_painter.XToPixel(x, width);
}

int CGraph::YToPixel(double y, int plotHeight) {
    return m_painter.YToPixel(y, plotHeight);
}

int CGraph::SetData(int count, const double* x, const double* y1, const double* y2,
                    const double* y3, const double* y4) {
    m_pictureValid = false;
    const int result = m_painter.SetData(count, x, y1, y2, y3, y4);
    if (m_painter.PointCount() == 0) {
        update();
        return result;
    }
    RedrawNow();
    return result;
}

void CGraph::SetXCaption(const char* text) {
    m_painter.SetXCaption(text);
    RedrawNow();
}

void CGraph::SetYCaption(const char* text) {
    m_painter.SetYCaption(text);
    RedrawNow();
}

void CGraph::SetRightYCaption(const char* text) {
    m_painter.SetRightYCaption(text);
    RedrawNow();
}

void CGraph::SetLogAxes(int xLogarithmic, int yLogarithmic) {
    m_painter.SetLogAxes(xLogarithmic, yLogarithmic);
    RedrawNow();
}

void CGraph::ShowMarkers(int flag) {
    m_painter.ShowMarkers(flag);
    m_pictureValid = false;
}

void CGraph::SetTitle(const char* text) {
    m_painter.SetTitle(text);
    RedrawNow();
}

void CGraph::SetLegend(int position, const char* name1, const char* name2, const char* name3,
                       const char* name4) {
    m_painter.SetLegend(position, name1, name2, name3, name4);
    m_pictureValid = false;
}

void CGraph::SetPickCarriesView(bool flag) {
    m_pickCarriesView = flag;
}

void CGraph::SetUnits(const char* xUnit, const char* yUnit) {
    m_painter.SetUnits(xUnit, yUnit);
}

void CGraph::SetNote(const char* text) {
    m_painter.SetNote(text);
    m_pictureValid = false;
}

void CGraph::SetReferencePoint(const char* text, double x, double y) {
    m_painter.SetReferencePoint(text, x, y);
    m_pictureValid = false;
}

void CGraph::CreateDclBar(int templateId) {
    if (m_dclBar == nullptr && m_host != nullptr)
        m_dclBar = m_host->CreateDclBar(templateId);
}

void CGraph::SetCurveDotted(int index, bool flag) {
    m_painter.SetCurveDotted(index, flag);
    m_pictureValid = false;
}

CDclBar* CGraph::GetDclBar() {
    return m_dclBar;
}

void CGraph::Render(QPainter& surface, const QRect& area, bool keepLayout) {
    GraphLayout layout = m_layout;
    m_painter.Render(surface, area, &layout);
    if (keepLayout)
        m_layout = layout;
    // The readout's hidden window carries the box the drawing painted.
    if (layout.readoutDrawn) {
        const CHintBox& box = m_painter.ReadoutBox();
        m_readoutHint->SetTexts(box.Line1(), box.Line2());
        m_readoutHint->MoveBox(layout.readoutLeft, layout.readoutTop);
    }
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
        CGraphPainter::InvertStrips(painter, m_lastCrosshair.x(), m_lastCrosshair.y());
}

// --- Picking and the cursor ------------------------------------------------------------------

int CGraph::PickAt(int x, int y, int& curve, double& xValue, bool dragging) {
    PickContext context;
    context.plot = m_layout.plotRect;
    context.x = m_painter.DrawnXRange();
    context.y = m_painter.DrawnYRange();
    context.count = m_painter.PointCount();
    context.xValues = m_painter.XValues();
    for (int k = 0; k < 4; ++k)
        context.curves[k] = m_painter.Curve(k);
    return ::PickAt(context, x, y, curve, xValue, dragging);
}

void CGraph::SendPick() {
    if (m_host != nullptr)
        m_host->GraphPick(*this, m_cursor);
}

void CGraph::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    EndKeyCursor();
    if (event->button() != Qt::LeftButton || m_layout.tooSmall)
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
    pos.setX(qBound(m_layout.plotRect.left, pos.x(), m_layout.plotRect.right));
    pos.setY(qBound(m_layout.plotRect.top, pos.y(), m_layout.plotRect.bottom - 1));
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

void CGraph::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape && m_keyCursor) {
        EndKeyCursor();
        return;
    }
    const double* x = m_painter.XValues();
    const int count = m_painter.PointCount();
    if ((key != Qt::Key_Left && key != Qt::Key_Right) || x == nullptr || count < 2 ||
        m_layout.tooSmall || m_cursor.phase == CursorInfo::Move) {
        QWidget::keyPressEvent(event);
        return;
    }
    // The point nearest the cursor's x; a first key starts from the last pick, or the middle.
    int index = count / 2;
    if (m_keyCursor || m_cursor.x > 0.0) {
        index = 0;
        for (int i = 1; i < count; ++i)
            if (std::fabs(x[i] - m_cursor.x) < std::fabs(x[index] - m_cursor.x))
                index = i;
    }
    if (!m_keyCursor)
        m_cursor.curve = 0;
    const int step = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    index = qBound(0, index + (key == Qt::Key_Right ? step : -step), count - 1);
    m_cursor.x = x[index];
    m_cursor.view = m_pickCarriesView ? this : nullptr;
    m_cursor.phase = m_keyCursor ? CursorInfo::Move : CursorInfo::Begin;
    m_keyCursor = true;
    SendPick();
    // Between keys the pick rests: a mouse move without a button is no drag.
    m_cursor.phase = CursorInfo::End;
    event->accept();
}

void CGraph::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    EndKeyCursor();
}

void CGraph::EndKeyCursor() {
    if (!m_keyCursor)
        return;
    m_keyCursor = false;
    m_cursor.phase = CursorInfo::End;
    SendPick();
}

bool CGraph::CursorPosition(CursorInfo& cursor, int& px, int& ys) {
    const int width = this->width();
    const int plotHeight = height() - kTextLineHeight * m_layout.textLines;
    if (width < kMinDrawWidth || plotHeight < kMinPlotHeight)
        return false;

    const AxisRange yRange = m_painter.DrawnYRange();
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

    AxisRange xRange = m_painter.DrawnXRange();
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
    const std::string line1 = FormatSI(cursor.x) + m_painter.XUnit();
    const std::string line2 = FormatSI(cursor.y) + m_painter.YUnit();

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
        m_painter.SetReadout(true, point[0], point[1]);
    } else {
        m_painter.SetReadout(false, 0.0, 0.0);
        m_readoutHint->hide();
    }
    RedrawNow();
}
