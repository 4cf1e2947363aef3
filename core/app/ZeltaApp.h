#pragma once

#include "NamedMutex.h"
#include "StartupParts.h"

#include <memory>

// The application object: holds the program's named mutex for the installer's benefit from
// construction to destruction, runs the start-up sequence and routes every message box.
class CZeltaApp {
public:
    static constexpr const char* kMutexName = "Vorn Company ZeltaII Mutex";
    static constexpr int kMinimumSplashMs = 5000;
    static constexpr int ID_APP_ABOUT = 57664;
    static constexpr int ID_HELP = 57670;

    explicit CZeltaApp(StartupParts parts);
    ~CZeltaApp();
    CZeltaApp(const CZeltaApp&) = delete;
    CZeltaApp& operator=(const CZeltaApp&) = delete;

    // The start-up sequence. True: the main frame is up, run the event loop. False: the
    // program ends (a failure was shown, or the user quit in the selection dialog).
    bool InitInstance();

    // After InitInstance returned false: true when start-up ended on a failure it reported
    // (the program's exit status is then 1), false when the user quit.
    bool StartupFailed() const { return m_startupFailed; }

    // The one message box of the program. While the splash is up it is first taken out of
    // the topmost layer so the box is seen, and ended after the box.
    int DoMessageBox(const MessageBoxRequest& request);

    // The application's commands: About (57664) and Help (57670). True when handled.
    bool OnCommand(int commandId, QWidget* parent);

    bool SplashUp() const { return m_splash != nullptr; }
    bool OwnsMutex() const { return m_mutex.IsOwner(); }
    IStartupFrame* MainFrame() const { return m_frame.get(); }

private:
    void DestroySplash();
    void EndStartup();

    StartupParts m_parts;
    CNamedMutex m_mutex;
    std::unique_ptr<IStartupSplash> m_splash;
    std::unique_ptr<IStartupSelection> m_selection;
    std::unique_ptr<IStartupFrame> m_frame;
    MessageBoxHandler m_previousHandler;
    bool m_startupFailed = false;
};
