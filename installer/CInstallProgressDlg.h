#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

// The modeless "Installing ..." window: progress bar (1004, 0 to 100) and status text (1005).
class CInstallProgressDlg : public QDialog {
public:
    explicit CInstallProgressDlg(QWidget* parent = nullptr);

    void SetStatus(const QString& text);
    // Moves the bar on by `step` (it stops at 100) and repaints at once.
    void Advance(int step);
    int Position() const;
    QString Status() const;

private:
    QProgressBar* m_bar;
    QLabel* m_status;
};
