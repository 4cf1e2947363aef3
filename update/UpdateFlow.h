#pragma once

#include "UpdateClient.h"
#include "UpdateLocations.h"
#include "UpdateSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

class IStringTable;

// Everything the update shows or starts, so the flow itself runs without widgets.
class IUpdateUi : public IDownloadMonitor {
public:
    // The proxy dialog over `settings`; false when the user cancelled.
    virtual bool EditProxySettings(ProxySettings& settings) = 0;
    // One server check: shows "Checking for update ... please wait" while `work` runs on
    // another thread, and keeps the window responsive. When the user cancels, sets `cancel`,
    // waits for `work` to end and returns false.
    virtual bool RunCheck(const std::function<void()>& work, std::atomic<int>& cancel) = 0;
    // A plain box with an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const QString& text) = 0;
    // Starts `program` with `arguments` in `folder`; false when it could not be started.
    virtual bool StartProgram(const QString& program, const QStringList& arguments,
                              const QString& folder) = 0;
    // Asks the application's main window to close.
    virtual void RequestClose() = 0;
};

// How one run of the update ended.
enum class UpdateOutcome {
    NoFolder,          // the working folder is unknown; nothing was done
    ProxyCancelled,    // the proxy dialog was cancelled; nothing was written
    CheckCancelled,    // the user cancelled a server check
    CheckFailed,       // neither server passed its check
    NotAvailable,      // the offered version is not newer
    Declined,          // the user did not want the download
    DownloadCancelled, // the partial installer stays
    DownloadFailed,    // also a download that is not the maker's complete installer
    StartFailed,       // the installer could not be started; the program stays open
    Handed,            // the installer runs in update mode; the program was asked to close
    PackageManaged,    // a newer version exists; the package manager installs it
};

constexpr int kIdsUpdateQuestion = 34010;
constexpr int kIdsDownloadError = 34011;
constexpr int kIdsNoNewVersion = 34012;
constexpr int kIdsCheckFailed = 34013;
constexpr int kIdsDownloading = 34014;
constexpr int kIdsUpdateByPackageManager = 34191;

// The installer's file name in the program folder.
constexpr const char* kInstallerFile = "Installer";

// String `id` of `strings`, or its built-in English text when the table has none.
QString UpdateText(const IStringTable* strings, int id);

// The whole update: proxy settings, the check of both servers, the question, the download
// and the hand-over to the installer. `folder` is the program's working folder, where the
// INI files live and the installer is saved. Only an installer signed by `trustedKey` (PEM;
// the program passes the maker's key) is started.
UpdateOutcome RunUpdate(const QString& folder, IHttpClient& http, IUpdateUi& ui,
                        const IStringTable* strings, const QByteArray& trustedKey);
// The same with the settings where `locations` puts them. A package-managed copy stops after
// the check: a newer version is announced (string 34191) and left to the package manager.
UpdateOutcome RunUpdate(const UpdateLocations& locations, IHttpClient& http, IUpdateUi& ui,
                        const IStringTable* strings, const QByteArray& trustedKey);
