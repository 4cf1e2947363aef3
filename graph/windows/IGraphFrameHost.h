#pragma once

class CChildFrame;
class QPainter;
struct CursorInfo;

// The main frame as the graph windows see it. Each call is one of the window messages the
// graph windows send (synchronously) to the main window; the names keep the message names.
class IGraphFrameHost {
public:
    virtual ~IGraphFrameHost() = default;

    // WM_GRAPH_FRAMEDESTROYED: `window` is going; empty its slot.
    virtual void OnGraphFrameDestroyed(CChildFrame* window) = 0;
    // WM_GRAPH_FRAMEACTIVATED: a new window is shown; file it under the kind being opened.
    virtual void OnGraphFrameActivated(CChildFrame* window) = 0;
    // WM_GRAPH_CLOSEALL: close every graph window.
    virtual void OnGraphCloseAll() = 0;
    // WM_GRAPH_PICK: a mouse pick in `window`'s view; the answer is ignored by the view.
    virtual int OnGraphPick(CChildFrame* window, CursorInfo* cursor) = 0;
    // WM_GRAPH_PRINTPAGE: compose the printed page of all graphs on `painter`.
    virtual int OnGraphPrintPage(QPainter* painter) = 0;
    // WM_GRAPH_QUERYPOINT: where the measurement point lies on `window`'s graph; 0 when the
    // pair (x, y) was filled in.
    virtual int OnGraphQueryPoint(CChildFrame* window, double* point) = 0;
    // WM_GRAPH_DELETEPOINT: delete the measurement point.
    virtual int OnGraphDeletePoint() = 0;
    // WM_GRAPH_BARCHANGED: the leakage-current conditions changed.
    virtual void OnGraphBarChanged() = 0;
    // The multi-document menu update of a window that became active: install the window's
    // menu and switch it to the layout of the current comparison state.
    virtual void OnGraphMenuUpdate(CChildFrame* window) = 0;
};
