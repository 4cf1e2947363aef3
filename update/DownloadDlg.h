#pragma once

#include <QDialog>
#include <QTimer>

struct DownloadState;
class QLabel;
class QProgressBar;

// The progress of one download. It polls the shared state every 100 ms, ends itself with
// OK once the worker has finished or failed, and with Cancel when the user stops it (which
// also tells the worker to stop).
class CDownloadDlg : public QDialog {
public:
    static constexpr int kPollMs = 100;

    CDownloadDlg(DownloadState* state, QWidget* parent = nullptr);

    bool Initialise(); // false when the template is missing
    void SetStatus(const QString& text);
    // The status shown once the server has answered (`connected` of the state).
    void SetDownloadingStatus(const QString& text) { m_downloading = text; }
    QProgressBar* ProgressBar() const { return m_progress; }

    void reject() override;

private:
    void OnTimer();

    DownloadState* m_state;
    QTimer m_timer;
    QProgressBar* m_progress = nullptr; // 1027
    QLabel* m_status = nullptr;         // 1028
    QString m_downloading;
    bool m_showsDownloading = false;
};
