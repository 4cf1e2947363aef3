#include "ViewProbe.h"

#include "CChildFrame.h"
#include "Graph.h"
#include "HintWnd.h"

#include <QTest>

namespace probe {

namespace {

QPoint PlotCenter(CGraph* view) {
    const BoxRect plot = view->PlotRect();
    return QPoint((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2);
}

} // namespace

int PointCount(CChildFrame* window) {
    return window->GetActiveView()->PointCount();
}

bool CrosshairShown(CChildFrame* window) {
    return window->GetActiveView()->CrosshairShown();
}

bool ReadoutShown(CChildFrame* window) {
    return window->GetActiveView()->ReadoutShown();
}

std::string HintLine1(CChildFrame* window) {
    return window->GetActiveView()->LiveHintBox()->Line1();
}

std::string HintLine2(CChildFrame* window) {
    return window->GetActiveView()->LiveHintBox()->Line2();
}

const CursorInfo& Cursor(CChildFrame* window) {
    return window->GetActiveView()->Cursor();
}

bool PressInPlot(CChildFrame* window) {
    CGraph* view = window->GetActiveView();
    // The window must be on screen (exposed) before the view paints and knows its plot.
    if (!QTest::qWaitForWindowExposed(view->window()))
        return false;
    view->repaint();
    if (view->IsTooSmall())
        return false;
    QTest::mousePress(view, Qt::LeftButton, {}, PlotCenter(view));
    return true;
}

void ReleaseInPlot(CChildFrame* window) {
    CGraph* view = window->GetActiveView();
    QTest::mouseRelease(view, Qt::LeftButton, {}, PlotCenter(view));
}

} // namespace probe
