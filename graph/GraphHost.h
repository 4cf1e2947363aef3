#pragma once

#include "CursorInfo.h"

class CDclBar;
class CGraph;
class QPainter;

// Message numbers between views, graph windows and the main frame. The calls of IGraphHost
// carry the three a view sends; the others travel from the graph window to the main frame.
enum GraphMessage {
    WM_GRAPH_FRAMEDESTROYED = 0x62E,
    WM_GRAPH_FRAMEACTIVATED = 0x62F,
    WM_GRAPH_CLOSEALL = 0x630,
    WM_CAPACITOR_CHOSEN = 0x631,
    WM_GRAPH_PICK = 0x632,
    WM_GRAPH_PRINTPAGE = 0x633,
    WM_GRAPH_QUERYPOINT = 0x634,
    WM_GRAPH_DELETEPOINT = 0x635,
    WM_GRAPH_BARCHANGED = 0x636,
};

// What a view needs from the window around it (the graph window, which passes the calls on to
// the main frame). All calls are synchronous: they complete before the view goes on.
class IGraphHost {
public:
    virtual ~IGraphHost() = default;

    // WM_GRAPH_PICK: a pick of `view` in phase begin, move or end. The answer is ignored.
    virtual int GraphPick(CGraph& view, CursorInfo& cursor) = 0;

    // WM_GRAPH_PRINTPAGE: compose the printed page of all graphs on `surface`.
    virtual int GraphPrintPage(QPainter* surface) = 0;

    // WM_GRAPH_QUERYPOINT: where the measurement point lies on `view`. Fills point[0] (x) and
    // point[1] (y) and answers 0, or answers non-zero when there is no point.
    virtual int GraphQueryPoint(CGraph& view, double point[2]) = 0;

    // The leakage-current condition bar from dialog template `templateId`, created as a child
    // of the graph window above the view; null when the window has none.
    virtual CDclBar* CreateDclBar(int templateId) {
        (void)templateId;
        return nullptr;
    }
};
