#include "UpdateViaInternet.h"

#include "DialogTemplate.h"
#include "DownloadDlg.h"
#include "MessageBox.h"
#include "Messages.h"
#include "ProxyDlg.h"
#include "QtHttpClient.h"
#include "Shell.h"

#include <QApplication>
#include <QDir>
#include <QPointer>

#include <memory>

namespace {

// The resource library's strings as the flow reads them.
class CResourceStrings : public IStringTable {
public:
    std::string GetString(int id) const override { return ResourceString(id).toStdString(); }
};

class CUpdateDialogs : public IUpdateUi {
public:
    explicit CUpdateDialogs(const UpdateHooks& hooks) : m_hooks(hooks) {}

    ~CUpdateDialogs() override {
        EndCheck();
        EndDownload();
    }

    bool EditProxySettings(ProxySettings& settings) override {
        CProxyDlg dialog(m_hooks.mainWindow);
        dialog.SetSettings(settings);
        if (!dialog.Initialise() || dialog.exec() != QDialog::Accepted) {
            return false;
        }
        settings = dialog.Settings();
        return true;
    }

    void BeginCheck() override {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_checkCursor = true;
        m_checking =
            std::make_unique<QDialog>(m_hooks.mainWindow, Qt::Dialog | Qt::FramelessWindowHint);
        if (AdoptTemplate(m_checking.get(), 158)) {
            m_checking->show();
            // The check blocks this thread; paint the window before it starts.
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    }

    void EndCheck() override {
        m_checking.reset();
        if (m_checkCursor) {
            QApplication::restoreOverrideCursor();
            m_checkCursor = false;
        }
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
        CDownloadDlg dialog(&state, nullptr);
        dialog.setWindowModality(Qt::ApplicationModal);
        if (!dialog.Initialise()) {
            // Without its window the download cannot be followed or cancelled: stop it.
            state.stop = 1;
            return true;
        }
        dialog.SetStatus(UpdateText(m_hooks.strings, kIdsDownloading));
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
        // An unreadable current folder gives an empty path, and the update does nothing.
        effective.folder = QDir::currentPath();
    }
    std::unique_ptr<CQtHttpClient> ownClient;
    IHttpClient* http = effective.http;
    if (http == nullptr) {
        ownClient = std::make_unique<CQtHttpClient>();
        http = ownClient.get();
    }
    CUpdateDialogs dialogs(effective);
    return RunUpdate(effective.folder, *http, dialogs, effective.strings);
}

void UpdateViaInternet(QWidget* mainWindow) {
    UpdateHooks hooks;
    hooks.mainWindow = mainWindow;
    UpdateViaInternet(hooks);
}
