#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CInstallProgressDlg;

// What the user chose in the installation dialog.
struct InstallChoice {
    QString destination;
    bool desktopShortcut = true;
    bool menuShortcut = true;
};

// Everything the installer shows or asks. The program uses CInstallerUi; tests answer with
// their own.
class IInstallerUi {
public:
    enum class Icon { None, Question, Information };
    virtual ~IInstallerUi() = default;
    // A message box with an OK button.
    virtual void Message(const QString& text, Icon icon) = 0;
    // An OK/Cancel question; true for OK.
    virtual bool Confirm(const QString& text) = 0;
    // The installation dialog, opened with `choice`; false for Cancel.
    virtual bool RunInstallDialog(InstallChoice& choice) = 0;
    // The modeless progress window.
    virtual void OpenProgress() = 0;
    virtual void SetProgressStatus(const QString& text) = 0;
    virtual void AdvanceProgress(int step) = 0;
    virtual void CloseProgress() = 0;
};

// Message boxes and the two installer windows.
class CInstallerUi : public IInstallerUi {
public:
    CInstallerUi();
    ~CInstallerUi() override;
    void Message(const QString& text, Icon icon) override;
    bool Confirm(const QString& text) override;
    bool RunInstallDialog(InstallChoice& choice) override;
    void OpenProgress() override;
    void SetProgressStatus(const QString& text) override;
    void AdvanceProgress(int step) override;
    void CloseProgress() override;

private:
    std::unique_ptr<CInstallProgressDlg> m_progress;
};
