#include "CChildFrame.h"

#include "CGraphDocTemplate.h"
#include "Graph.h"
#include "IGraphFrameHost.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QVBoxLayout>

CChildFrame::CChildFrame(const CGraphDocTemplate* tmpl, IGraphFrameHost* frameHost)
    : docTemplate(tmpl), host(frameHost) {
    setAttribute(Qt::WA_DeleteOnClose);
    body = new QWidget(this);
    bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->setSpacing(0);
    view = new CGraph(body);
    view->SetHost(this);
    bodyLayout->addWidget(view, 1);
    setWidget(body);
    if (docTemplate != nullptr && docTemplate->Kind() >= 0)
        setObjectName(
            QString::fromLatin1(KindInfo(static_cast<GraphKind>(docTemplate->Kind())).windowClass));
}

CChildFrame::~CChildFrame() {
    ReportDestroyed();
}

int CChildFrame::Kind() const {
    return docTemplate != nullptr ? docTemplate->Kind() : -1;
}

bool CChildFrame::OnCommand(int commandId) {
    switch (commandId) {
    case kCommandClose:
        close();
        return true;
    case kCommandCloseAll:
        if (host != nullptr)
            host->OnGraphCloseAll();
        return true;
    case kCommandNext:
        if (QMdiArea* area = mdiArea())
            area->activateNextSubWindow();
        return true;
    default:
        return false;
    }
}

void CChildFrame::ActivateFrame() {
    show();
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    if (activated)
        return;
    activated = true;
    if (host != nullptr)
        host->OnGraphFrameActivated(this);
}

void CChildFrame::ReportDestroyed() {
    if (destroyedReported)
        return;
    destroyedReported = true;
    if (host != nullptr)
        host->OnGraphFrameDestroyed(this);
}

void CChildFrame::DestroyWindow() {
    ReportDestroyed();
    // Hidden before it leaves the area, so it never shows as a window of its own.
    hide();
    if (QMdiArea* area = mdiArea())
        area->removeSubWindow(this);
    deleteLater();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        ReportDestroyed();
}

void CChildFrame::OnUpdateFrameMenu() {
    if (host != nullptr)
        host->OnGraphMenuUpdate(this);
}

CDclBar* CChildFrame::CreateDclBar(int templateId) {
    if (dclBar != nullptr)
        return dclBar;
    dclBar = new CDclBar(templateId, barLoader, body);
    dclBar->SetSelectionHandler([this] {
        if (host != nullptr)
            host->OnGraphBarChanged();
    });
    bodyLayout->insertWidget(0, dclBar);
    dclBar->show();
    return dclBar;
}

bool CChildFrame::OnViewCommand(int commandId) {
    switch (commandId) {
    case 57606:
        view->OnFilePrintSetup();
        return true;
    case 57607:
        view->OnFilePrint();
        return true;
    case 57609:
        view->OnFilePrintPreview();
        return true;
    default:
        return false;
    }
}

void CChildFrame::TrackCursor(CursorInfo& cursor) {
    view->TrackCursor(cursor);
}

void CChildFrame::RefreshReadout() {
    view->RefreshReadout();
}

void CChildFrame::CreateViewDclBar(int templateId) {
    view->CreateDclBar(templateId);
}

int CChildFrame::GraphPick(CGraph&, CursorInfo& cursor) {
    return host != nullptr ? host->OnGraphPick(this, &cursor) : 0;
}

int CChildFrame::GraphPrintPage(QPainter* surface) {
    return host != nullptr ? host->OnGraphPrintPage(surface) : -1;
}

int CChildFrame::GraphQueryPoint(CGraph&, double point[2]) {
    return host != nullptr ? host->OnGraphQueryPoint(this, point) : -1;
}

int CChildFrame::GraphDeletePoint() {
    return host != nullptr ? host->OnGraphDeletePoint() : 0;
}

CChildFrame* CreateChildFrame(int kind, const CGraphDocTemplate* docTemplate,
                              IGraphFrameHost* host) {
    switch (kind) {
    case KindDF:
        return new CChildDF(docTemplate, host);
    case KindESR:
        return new CChildR(docTemplate, host);
    case KindImpedance:
        return new CChildZ(docTemplate, host);
    case KindCapacitance:
        return new CChildC(docTemplate, host);
    case KindRippleVoltage:
        return new CChildURipple(docTemplate, host);
    case KindRippleCurrent:
        return new CChildIRipple(docTemplate, host);
    case KindDCL:
        return new CChildDCL(docTemplate, host);
    default:
        return nullptr;
    }
}
