#include "ZeltaApp.h"

#include "AboutDlg.h"
#include "JapaneseUi.h"

#include <QApplication>

CZeltaApp::CZeltaApp(StartupParts parts) : m_parts(std::move(parts)) {
    // Held shared for the whole run: every running copy holds it, so the installer and the
    // uninstaller wait until the last copy has ended.
    m_mutex.CreateShared(kMutexName);
    if (!m_parts.showBox) {
        m_parts.showBox = ShowPlainMessageBox;
    }
    m_previousHandler =
        SetMessageBoxHandler([this](const MessageBoxRequest& r) { return DoMessageBox(r); });
}

CZeltaApp::~CZeltaApp() {
    SetMessageBoxHandler(std::move(m_previousHandler));
    m_splash.reset();
    if (m_selection) {
        m_selection->Destroy();
    }
    if (m_frame) {
        m_frame->Destroy();
    }
    m_mutex.Release();
}

int CZeltaApp::DoMessageBox(const MessageBoxRequest& request) {
    if (m_splash == nullptr) {
        return m_parts.showBox(request);
    }
    m_splash->SetTopmost(false);
    const int result = m_parts.showBox(request);
    DestroySplash();
    return result;
}

void CZeltaApp::DestroySplash() {
    m_splash.reset();
}

void CZeltaApp::EndStartup() {
    DestroySplash();
    if (m_selection) {
        m_selection->Destroy();
        m_selection.reset();
    }
    if (m_frame) {
        m_frame->Destroy();
        m_frame.reset();
    }
}

bool CZeltaApp::InitInstance() {
    m_startupFailed = false;
    // The resource library: without it there is no text to say anything else with.
    QString error;
    if (!m_parts.loadResources || m_parts.loadResources(error) != 0) {
        MessageBoxRequest request;
        request.text = error;
        request.caption = QStringLiteral("ZeltaII");
        request.icon = QMessageBox::Critical;
        DoMessageBox(request);
        m_startupFailed = true;
        return false;
    }
    if (m_parts.resourceString) {
        g_japaneseUi = m_parts.resourceString(134).compare(QStringLiteral("Japanese"),
                                                           Qt::CaseInsensitive) == 0;
    }

    m_selection = m_parts.makeSelection ? m_parts.makeSelection() : nullptr;
    if (m_selection == nullptr || !m_selection->Create()) {
        m_startupFailed = true;
        EndStartup();
        return false;
    }

    if (m_parts.makeSplash) {
        m_splash = m_parts.makeSplash();
        if (m_splash != nullptr && !m_splash->Create()) {
            m_splash.reset();
        }
    }

    m_parts.sleep(200);
    const std::uint32_t t0 = m_parts.tickCount();

    m_frame = m_parts.makeFrame ? m_parts.makeFrame() : nullptr;
    if (m_frame == nullptr || !m_frame->Create()) {
        m_startupFailed = true;
        EndStartup();
        return false;
    }

    if (!m_parts.loadData || m_parts.loadData() != 0) {
        m_startupFailed = true;
        EndStartup();
        return false;
    }

    if (m_selection->LoadPictures() != 0) {
        m_startupFailed = true;
        EndStartup();
        return false;
    }
    m_selection->FillLists(1);

    // The splash stays up until at least five seconds after t0; a click ends it early.
    const std::uint32_t elapsed = m_parts.tickCount() - t0;
    if (m_splash != nullptr && elapsed < std::uint32_t(kMinimumSplashMs)) {
        m_splash->Wait(int(std::uint32_t(kMinimumSplashMs) - elapsed));
    }
    DestroySplash();

    if (!m_selection->RunModal()) {
        EndStartup();
        return false;
    }
    // Every graph needs a capacitor: a dialog that confirms without one ends start-up like
    // "Quit" instead of handing the frame nothing to compute.
    const CapacitorRecord* chosen = m_selection->GetSelected();
    if (chosen == nullptr) {
        EndStartup();
        return false;
    }
    m_frame->SetCurrentCapacitor(chosen);
    m_selection->Destroy();
    m_selection.reset();

    if (m_frame->ShowInitialGraphs() != 0) {
        m_startupFailed = true;
        EndStartup();
        return false;
    }
    return true;
}

bool CZeltaApp::OnCommand(int commandId, QWidget* parent) {
    switch (commandId) {
    case ID_APP_ABOUT:
        RunAboutBox(parent);
        return true;
    case ID_HELP:
        RunAboutBox(parent, true, SplashUp());
        return true;
    default:
        return false;
    }
}
