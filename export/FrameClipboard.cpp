#include "FrameClipboard.h"

#include "CChildFrame.h"
#include "CMainFrame.h"

#include <QMdiArea>

namespace {

constexpr int kCopyGraph = 32771;

// The graph window the frame's commands go to: the active one, or the current one while the
// frame itself has the focus.
CChildFrame* ActiveGraphWindow(const CMainFrame& frame) {
    QMdiArea* area = frame.MdiArea();
    if (area == nullptr)
        return nullptr;
    auto* active = dynamic_cast<CChildFrame*>(area->activeSubWindow());
    if (active == nullptr && !area->subWindowList().isEmpty())
        active = dynamic_cast<CChildFrame*>(area->currentSubWindow());
    return active;
}

} // namespace

GraphViews FrameGraphViews(const CMainFrame& frame) {
    GraphViews views{};
    for (int kind = 0; kind < kGraphKindCount; ++kind) {
        if (CChildFrame* window = frame.GraphWindow(kind))
            views[std::size_t(kind)] = window->GetActiveView();
    }
    return views;
}

bool ServeClipboardCommand(CMainFrame& frame, int commandId, const ClipboardContext& context) {
    switch (commandId) {
    case kCopyGraph:
        if (CChildFrame* window = ActiveGraphWindow(frame))
            CopyGraph(window->GetActiveView(), context);
        return true;
    case CMainFrame::ID_COPY_DATA:
        CopyDataAsText(frame.State(), context);
        return true;
    case CMainFrame::ID_COPY_ALL_GRAPHS:
        CopyAllGraphs(FrameGraphViews(frame), context);
        return true;
    default:
        return false;
    }
}
