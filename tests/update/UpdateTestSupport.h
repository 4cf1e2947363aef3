#pragma once

#include "UpdateFlow.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

// The timeout of the HTTP client in these tests: everything is local, so a stuck transfer
// fails quickly instead of holding the run.
constexpr int kTestHttpTimeoutMs = 3000;

// Waits for `done` in small steps for at most `limitMs`; returns whether it came true.
inline bool WaitFor(const std::function<bool()>& done, int limitMs = 10000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// A download monitor without a window: waits for the worker, or cancels once `cancelAfter`
// bytes are in.
class WaitingMonitor : public IDownloadMonitor {
public:
    void BeginDownload() override { ++begun; }
    bool RunDownload(DownloadState& state) override {
        // Like a click on Cancel, a cancel counts even when the worker has just finished.
        bool cancel = false;
        const bool ended = WaitFor([&] {
            cancel = cancelAfter >= 0 && state.done >= cancelAfter;
            return cancel || state.stop != 0 || state.error != 0;
        });
        if (!ended || cancel) {
            state.stop = 1;
            return true;
        }
        return false;
    }
    void EndDownload() override { ++ended; }

    qint64 cancelAfter = -1;
    int begun = 0;
    int ended = 0;
};

// The update's user interface as a script: what the user enters and answers, and a record
// of everything shown and started.
class ScriptedUpdateUi : public IUpdateUi {
public:
    bool EditProxySettings(ProxySettings& settings) override {
        shownProxy = settings;
        if (!confirmProxy) {
            return false;
        }
        if (editProxy) {
            editProxy(settings);
        }
        return true;
    }
    bool RunCheck(const std::function<void()>& work, std::atomic<int>& cancel) override {
        ++checks;
        if (cancelCheck) {
            cancel = 1;
        }
        work();
        return cancel == 0;
    }
    void ShowMessage(const QString& text) override { messages << text; }
    bool AskYesNo(const QString& text) override {
        questions << text;
        if (onQuestion) {
            onQuestion();
        }
        return answerYes;
    }
    void BeginDownload() override { monitor.BeginDownload(); }
    bool RunDownload(DownloadState& state) override { return monitor.RunDownload(state); }
    void EndDownload() override { monitor.EndDownload(); }
    bool StartProgram(const QString& program, const QStringList& arguments,
                      const QString& folder) override {
        started.push_back({program, arguments, folder});
        return startSucceeds;
    }
    void RequestClose() override { ++closeRequests; }

    struct Start {
        QString program;
        QStringList arguments;
        QString folder;
    };

    bool confirmProxy = true;
    bool cancelCheck = false;
    std::function<void(ProxySettings&)> editProxy;
    bool answerYes = true;
    std::function<void()> onQuestion;
    bool startSucceeds = true;
    WaitingMonitor monitor;

    ProxySettings shownProxy;
    int checks = 0;
    QStringList messages;
    QStringList questions;
    std::vector<Start> started;
    int closeRequests = 0;
};
