#include "DownloadDlg.h"

#include "DialogTemplate.h"
#include "UpdateClient.h"

#include <QLabel>
#include <QProgressBar>

CDownloadDlg::CDownloadDlg(DownloadState* state, QWidget* parent)
    : QDialog(parent), m_state(state) {
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(); });
}

bool CDownloadDlg::Initialise() {
    if (!AdoptTemplate(this, 159)) {
        return false;
    }
    m_progress = Control<QProgressBar>(this, 1027);
    m_status = Control<QLabel>(this, 1028);
    if (m_progress == nullptr || m_status == nullptr) {
        return false;
    }
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_timer.start();
    return true;
}

void CDownloadDlg::SetStatus(const QString& text) {
    if (m_status != nullptr) {
        m_status->setText(text);
    }
}

void CDownloadDlg::OnTimer() {
    if (!m_showsDownloading && m_state->connected != 0 && !m_downloading.isEmpty()) {
        m_showsDownloading = true;
        SetStatus(m_downloading);
    }
    const qint64 total = m_state->total;
    if (total > 0 && m_progress != nullptr) {
        m_progress->setValue(static_cast<int>(m_state->done * 100 / total));
    }
    if (m_state->stop != 0 || m_state->error != 0) {
        m_timer.stop();
        QDialog::accept();
    }
}

void CDownloadDlg::reject() {
    m_timer.stop();
    m_state->stop = 1;
    QDialog::reject();
}
