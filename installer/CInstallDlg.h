#pragma once

#include "InstallerUi.h"

#include <QDialog>

#include <cstdint>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;

// The installation dialog: destination folder (1001), desktop shortcut (1002), applications
// menu shortcut (1003), free space of the destination's drive (1006). Controls carry their ids
// as object names.
class CInstallDlg : public QDialog {
public:
    // Picks a folder, starting at the one given; empty when the user cancels.
    using FolderPicker = std::function<QString(QWidget* parent, const QString& start)>;
    using FreeSpace = std::function<std::uint64_t(const QString& path)>;
    using MessageSink = std::function<void(const QString& text)>;

    CInstallDlg(const InstallChoice& choice, QWidget* parent = nullptr);

    // Replacements for the folder browser, the free-space query and the message box.
    void SetFolderPicker(FolderPicker picker) { m_pickFolder = std::move(picker); }
    void SetFreeSpace(FreeSpace freeSpace);
    void SetMessageSink(MessageSink sink) { m_message = std::move(sink); }

    InstallChoice Choice() const { return m_choice; }

    void Browse();
    void UpdateFreeSpace();
    void accept() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    InstallChoice m_choice;
    QLineEdit* m_folder;
    QCheckBox* m_desktop;
    QCheckBox* m_menu;
    QLabel* m_freeSpace;
    FolderPicker m_pickFolder;
    FreeSpace m_free;
    MessageSink m_message;
};
