#pragma once

#include "MessageBox.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

struct CapacitorRecord;
class QWidget;

// The pieces of the program that start-up puts together, each behind a small interface so
// the sequence can be run with stand-ins: the selection dialog in its start-up form, the
// main frame, the splash window, the clock. The program's own pieces are in
// ProgramStartup.h.

// The capacitor selection dialog on its start-up template (buttons "Quit" and "Next >>").
class IStartupSelection {
public:
    virtual ~IStartupSelection() = default;
    virtual bool Create() = 0; // modeless and hidden
    virtual int LoadPictures() = 0;
    virtual void FillLists(int save) = 0;
    // Shows the dialog, updates it and runs a modal loop on it; true when it ended with OK.
    virtual bool RunModal() = 0;
    virtual const CapacitorRecord* GetSelected() = 0;
    virtual void Destroy() = 0;
    virtual QWidget* Window() = 0;
};

// The main frame as start-up sees it.
class IStartupFrame {
public:
    virtual ~IStartupFrame() = default;
    // Creates the hidden main frame with the seven graph-window templates; false on failure.
    virtual bool Create() = 0;
    virtual void SetCurrentCapacitor(const CapacitorRecord* record) = 0;
    // Opens the first graph windows and shows the frame; 0, or non-zero on failure.
    virtual int ShowInitialGraphs() = 0;
    virtual void Destroy() = 0;
    virtual QWidget* Window() = 0;
};

class IStartupSplash {
public:
    virtual ~IStartupSplash() = default;
    virtual bool Create() = 0;                 // shows itself
    virtual void SetTopmost(bool topmost) = 0; // in or out of the topmost layer
    virtual void Wait(int ms) = 0;             // ends early on a click
};

struct StartupParts {
    // Loads the resource library and makes it the source of every resource: 0, or -1 with
    // `error` set to the text to show.
    std::function<int(QString& error)> loadResources;
    // String `id` of the loaded resource library.
    std::function<QString(int id)> resourceString;
    std::function<std::unique_ptr<IStartupSelection>()> makeSelection;
    std::function<std::unique_ptr<IStartupFrame>()> makeFrame;
    std::function<std::unique_ptr<IStartupSplash>()> makeSplash;
    // Loads the two data files from the current folder: 0, or non-zero after the failure
    // has been shown.
    std::function<int()> loadData;
    // Millisecond tick counter (wraps like a 32-bit counter) and a plain sleep.
    std::function<std::uint32_t()> tickCount;
    std::function<void(int ms)> sleep;
    // The message box itself; the application adds the splash rule around it.
    std::function<int(const MessageBoxRequest&)> showBox;
};
