#include "UpdateViaInternet.h"

#include "DataFolders.h"
#include "DialogTemplate.h"
#include "DownloadDlg.h"
#include "InstallerSignature.h"
#include "KnownFolders.h"
#include "MessageBox.h"
#include "Messages.h"
#include "ProxyDlg.h"
#include "QtHttpClient.h"
#include "Shell.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <memory>
#include <system_error>
#include <thread>

namespace {

// The resource library's strings as the flow reads them.
class CResourceStrings : public IStringTable {
public:
    std::string GetString(int id) const override { return ResourceString(id).toStdString(); }
};

class CUpdateDialogs : public IUpdateUi {
public:
    explicit CUpdateDialogs(const UpdateHooks& hooks) : m_hooks(hooks) {}

    ~CUpdateDialogs() override { EndDownload(); }

    bool EditProxySettings(ProxySettings& settings) override {
        CProxyDlg dialog(m_hooks.mainWindow);
        dialog.SetSettings(settings);
        if (!dialog.Initialise() || dialog.exec() != QDialog::Accepted) {
            return false;
        }
        settings = dialog.Settings();
        return true;
    }

    bool RunCheck(const std::function<void()>& work, std::atomic<int>& cancel) override {
        // The busy cursor keeps the arrow: the window's Cancel stays clickable.
        QApplication::setOverrideCursor(Qt::BusyCursor);
        QDialog checking(m_hooks.mainWindow, Qt::Dialog | Qt::FramelessWindowHint);
        checking.setWindowModality(Qt::ApplicationModal);
        QObject::connect(&checking, &QDialog::rejected, [&cancel] { cancel = 1; });
        if (AdoptTemplate(&checking, 158)) {
            AddCancelButton(checking);
            checking.show();
        }

        std::atomic<bool> finished{false};
        std::thread worker;
        try {
            worker = std::thread([&work, &finished] {
                work();
                finished = true;
            });
        } catch (const std::system_error&) {
            work();
            finished = true;
        }
        // The window answers the user while the network works; the check wakes on cancel
        // within a few milliseconds, so the wait below is short.
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&finished, &loop] {
            if (finished) {
                loop.quit();
            }
        });
        poll.start(kWorkerPollMs);
        if (!finished) {
            loop.exec();
        }
        if (worker.joinable()) {
            worker.join();
        }
        QApplication::restoreOverrideCursor();
        return cancel == 0;
    }

    void ShowMessage(const QString& text) override {
        MessageBoxRequest request;
        request.text = text;
        request.icon = QMessageBox::NoIcon;
        request.buttons = QMessageBox::Ok;
        request.owner = m_hooks.mainWindow;
        AppMessageBox(request);
    }

    bool AskYesNo(const QString& text) override {
        MessageBoxRequest request;
        request.text = text;
        request.icon = QMessageBox::NoIcon;
        request.buttons = QMessageBox::Yes | QMessageBox::No;
        request.owner = m_hooks.mainWindow;
        return AppMessageBox(request) == QMessageBox::Yes;
    }

    void BeginDownload() override {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_downloadCursor = true;
        if (m_hooks.mainWindow != nullptr) {
            m_disabled = m_hooks.mainWindow;
            m_disabled->setEnabled(false);
        }
    }

    bool RunDownload(DownloadState& state) override {
        // The dialog is its own window, so it stays usable while the main window is disabled.
        // It is up while the worker connects ("Connecting ..."), and turns to "Downloading
        // installation ..." once the server answers.
        CDownloadDlg dialog(&state, nullptr);
        dialog.setWindowModality(Qt::ApplicationModal);
        if (!dialog.Initialise()) {
            // Without its window the download cannot be followed or cancelled: stop it.
            state.stop = 1;
            return true;
        }
        dialog.SetDownloadingStatus(UpdateText(m_hooks.strings, kIdsDownloading));
        RestoreDownloadCursor();
        return dialog.exec() != QDialog::Accepted;
    }

    void EndDownload() override {
        if (m_disabled != nullptr) {
            m_disabled->setEnabled(true);
            m_disabled = nullptr;
        }
        RestoreDownloadCursor();
    }

    bool StartProgram(const QString& program, const QStringList& arguments,
                      const QString& folder) override {
        if (m_hooks.startProgram) {
            return m_hooks.startProgram(program, arguments, folder);
        }
        return Shell::StartProgram(program, arguments, folder);
    }

    void RequestClose() override {
        if (m_hooks.requestClose) {
            m_hooks.requestClose();
            return;
        }
        // Posted, so the button's handler and the dialogs unwind first. Closing every window
        // also ends a start-up selection dialog that runs before the main window shows.
        QPointer<QWidget> mainWindow = m_hooks.mainWindow;
        QMetaObject::invokeMethod(
            qApp,
            [mainWindow] {
                if (mainWindow != nullptr) {
                    mainWindow->close();
                }
                QApplication::closeAllWindows();
            },
            Qt::QueuedConnection);
    }

private:
    static constexpr int kWorkerPollMs = 10;

    // The template has no button; a check that hangs must still be ended by the user.
    static void AddCancelButton(QDialog& dialog) {
        auto* cancel = new QPushButton(QObject::tr("Cancel"), &dialog);
        cancel->setObjectName(QStringLiteral("2"));
        QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
        if (QLayout* layout = dialog.layout()) {
            layout->addWidget(cancel);
            layout->setAlignment(cancel, Qt::AlignHCenter);
            return;
        }
        const QSize button = cancel->sizeHint();
        const int margin = button.height() / 3;
        const int top = dialog.height();
        dialog.resize(dialog.width(), top + button.height() + margin);
        cancel->setGeometry((dialog.width() - button.width()) / 2, top, button.width(),
                            button.height());
    }

    void RestoreDownloadCursor() {
        if (m_downloadCursor) {
            QApplication::restoreOverrideCursor();
            m_downloadCursor = false;
        }
    }

    const UpdateHooks& m_hooks;
    std::unique_ptr<QDialog> m_checking;
    bool m_checkCursor = false;
    bool m_downloadCursor = false;
    QPointer<QWidget> m_disabled;
};

} // namespace

UpdateOutcome UpdateViaInternet(const UpdateHooks& hooks) {
    UpdateHooks effective = hooks;
    CResourceStrings resourceStrings;
    if (effective.strings == nullptr) {
        effective.strings = &resourceStrings;
    }
    if (effective.folder.isEmpty()) {
        // The data folder the start-up loaded: the current folder when it holds the data, as
        // the installer's shortcuts start the program; else the installation's data folder.
        // An unreadable current folder gives an empty path, and the update does nothing.
        const QString current = QDir::currentPath();
        const std::string found =
            DataFolders::FirstHolding(DataFolders::ForThisProcess(), "cap.vorn");
        effective.folder =
            found.empty() || current.isEmpty() ? current : QString::fromStdString(found);
    }
    const bool packageManaged = effective.packageManaged >= 0
                                    ? effective.packageManaged != 0
                                    : IsPackageManaged(QCoreApplication::applicationDirPath());
    const QString userFolder = effective.userFolder.isEmpty()
                                   ? UserSettingsFolder(KnownFolders::Configuration())
                                   : effective.userFolder;
    std::unique_ptr<CQtHttpClient> ownClient;
    IHttpClient* http = effective.http;
    if (http == nullptr) {
        ownClient = std::make_unique<CQtHttpClient>();
        http = ownClient.get();
    }
    CUpdateDialogs dialogs(effective);
    UpdateLocations locations;
    if (!effective.folder.isEmpty()) {
        locations = ChooseUpdateLocations(effective.folder, userFolder, packageManaged);
    }
    return RunUpdate(locations, *http, dialogs, effective.strings,
                     effective.trustedKey.isEmpty() ? MakerPublicKey() : effective.trustedKey);
}

void UpdateViaInternet(QWidget* mainWindow) {
    UpdateHooks hooks;
    hooks.mainWindow = mainWindow;
    UpdateViaInternet(hooks);
}
