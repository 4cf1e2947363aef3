#pragma once

#include "StartupParts.h"

#include <functional>
#include <memory>

class CMainFrame;
class CZeltaApp;

// The program itself: the resource library, the data store of the current folder, the main
// frame with its seven graph-window templates, the real dialogs, and the application object
// that starts them in order. main() makes one and runs it.
class CProgram {
public:
    // `adjust` may replace start-up pieces (tests take the clock and the wait).
    explicit CProgram(const std::function<void(StartupParts&)>& adjust = {});
    ~CProgram();
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    // The start-up sequence; true when the main window is up.
    bool InitInstance();
    CZeltaApp& App();
    CMainFrame* MainFrame() const; // null before start-up created it

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
