#pragma once

#include <QDialog>
#include <QFont>

class CMailLink;

// The about box: product name in large type, version, the maker's contact address as a link.
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    bool Initialise(); // false when the template is missing
    CMailLink* MailLink() const { return m_mailLink; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CMailLink* m_mailLink = nullptr; // control 1019
    QFont m_titleFont;
};

// The application's About command: shows the box modally unless one is already open. With
// `refuseDuringSplash` (the Help command) it also does nothing while `splashUp` is true.
// Returns true when a box was shown.
bool RunAboutBox(QWidget* parent, bool refuseDuringSplash = false, bool splashUp = false);

// True while an about box is open.
bool IsAboutBoxOpen();
