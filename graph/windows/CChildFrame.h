#pragma once

#include "CDclBar.h"
#include "GraphHost.h"
#include "GraphKindTable.h"

#include <QMdiSubWindow>

class CGraph;
class CGraphDocTemplate;
class IGraphFrameHost;
class QPainter;
class QVBoxLayout;
struct CursorInfo;

// A graph window: a multi-document child holding one graph view (and, for the leakage graph,
// the condition bar above it). It owns no data; it passes what its view reports on to the
// main frame and tells the main frame when it is first shown and when it goes.
class CChildFrame : public QMdiSubWindow, public IGraphHost {
public:
    static constexpr int kCommandNext = 32786;
    static constexpr int kCommandClose = 32787;
    static constexpr int kCommandCloseAll = 32788;

    CChildFrame(const CGraphDocTemplate* docTemplate, IGraphFrameHost* host);
    ~CChildFrame() override;

    const CGraphDocTemplate* Template() const { return docTemplate; }
    int Kind() const;
    CGraph* GetActiveView() const { return view; }

    // The window's own commands: "C&lose", "Close &All" and "&Next". False for any other id.
    bool OnCommand(int commandId);

    // Takes the window away at once: the main frame hears of it first
    // (WM_GRAPH_FRAMEDESTROYED), then the window leaves the multi-document area and is freed.
    virtual void DestroyWindow();

    // Shows the new window and makes it active; the first call reports it to the main frame
    // (WM_GRAPH_FRAMEACTIVATED), which files it under the kind being opened.
    virtual void ActivateFrame();

    // The multi-document menu update, run when the window becomes the active one.
    virtual void OnUpdateFrameMenu();

    // Where the leakage-current bar takes its dialog template from.
    void SetDclBarTemplateLoader(CDclBar::TemplateLoader loader) { barLoader = std::move(loader); }

    // Creates the leakage-current bar above the view on the first call (docked at the top,
    // 24 units high, the view below it); later calls do nothing. Returns the bar.
    CDclBar* CreateDclBar(int templateId) override;
    CDclBar* GetDclBar() const { return dclBar; }

    // What the view reports (WM_GRAPH_PICK, WM_GRAPH_PRINTPAGE, WM_GRAPH_QUERYPOINT), passed
    // on to the main frame with this window as sender; the main frame's answer comes back.
    int GraphPick(CGraph& view, CursorInfo& cursor) override;
    int GraphPrintPage(QPainter* surface) override;
    int GraphQueryPoint(CGraph& view, double point[2]) override;
    // WM_GRAPH_DELETEPOINT, passed on the same way.
    int GraphDeletePoint();

    // The view's own commands: print setup (57606), print (57607) and print preview (57609).
    // False for any other id.
    bool OnViewCommand(int commandId);

    // Calls on the view for the main frame, which does not see the view's class.
    void TrackCursor(CursorInfo& cursor);
    void RefreshReadout();
    void CreateViewDclBar(int templateId);

    // The main frame is going: no more reports to it.
    void DetachHost() { host = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ReportDestroyed();

    const CGraphDocTemplate* docTemplate;
    IGraphFrameHost* host;
    QWidget* body = nullptr;
    QVBoxLayout* bodyLayout = nullptr;
    CGraph* view = nullptr;
    CDclBar* dclBar = nullptr;
    CDclBar::TemplateLoader barLoader;
    bool activated = false;
    bool destroyedReported = false;
};

// One window class per kind, so that each template has its own; they add nothing.
class CChildDF : public CChildFrame {
public:
    using CChildFrame::CChildFrame;
};
class CChildR : public CChildFrame {
public:
    using CChildFrame::CChildFrame;
};
class CChildZ : public CChildFrame {
public:
    using CChildFrame::CChildFrame;
};
class CChildC : public CChildFrame {
public:
    using CChildFrame::CChildFrame;
};
class CChildURipple : public CChildFrame {
public:
    using CChildFrame::CChildFrame;
};
class CChildIRipple : public CChildFrame {
public:
    using CChildFrame::CChildFrame;
};
class CChildDCL : public CChildFrame {
public:
    using CChildFrame::CChildFrame;
};

// A new window of the class of `kind`; null for a kind that is none of the seven.
CChildFrame* CreateChildFrame(int kind, const CGraphDocTemplate* docTemplate,
                              IGraphFrameHost* host);
