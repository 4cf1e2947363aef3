#include "UpdateClient.h"

#include "VersionCheck.h"

#include <QFile>

#include <algorithm>
#include <system_error>
#include <thread>

void DownloadState::Reset() {
    stop = 0;
    total = 0;
    done = 0;
    error = 0;
    file = nullptr;
    path.clear();
}

int DownloadWorker(DownloadState* state) {
    QFile out(state->path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        state->error = 1;
        return 0;
    }
    char buffer[kDownloadBlockBytes];
    while (state->stop == 0) {
        const qint64 done = state->done;
        if (done == state->total) {
            // A full disk shows only when the last bytes are flushed.
            if (!out.flush()) {
                out.close();
                out.remove();
                state->error = 1;
                return 0;
            }
            out.close();
            state->stop = 1;
            return 0;
        }
        const qint64 n = std::min(kDownloadBlockBytes, state->total - done);
        const qint64 read = state->file->Read(buffer, n);
        if (read != n || out.write(buffer, n) != n) {
            out.close();
            if (state->stop != 0) {
                // The read was cut short by a cancel: the partial file stays.
                return 0;
            }
            out.remove();
            state->error = 1;
            return 0;
        }
        state->done = done + n;
    }
    // Cancelled between blocks: the partial file stays on disk.
    out.close();
    return 0;
}

int CUpdateClient::CheckServer(const QString& server, const QString& versionPath,
                               const QString& installerPath, float& version, const QString& proxy,
                               const QString& user, const QString& password) {
    version = 0.0f;
    HttpRequest request{server, versionPath, proxy, user, password};
    char buffer[kVersionTextBytes + 1] = {};
    {
        const std::unique_ptr<IHttpResponse> response = m_http.Get(request);
        if (response == nullptr) {
            return 0;
        }
        const qint64 read = response->Read(buffer, kVersionTextBytes);
        if (read <= 0 || !ParseVersionText(buffer, static_cast<std::size_t>(read), version)) {
            version = 0.0f;
            return 0;
        }
    }
    // A version alone is not enough: the installer must be there and look like a program.
    request.object = installerPath;
    const std::unique_ptr<IHttpResponse> response = m_http.Get(request);
    if (response == nullptr) {
        return 0;
    }
    char head[kVersionTextBytes] = {};
    const qint64 read = response->Read(head, kVersionTextBytes);
    if (read != static_cast<qint64>(kVersionTextBytes) ||
        !HasExecutableSignature(head, sizeof head)) {
        return 0;
    }
    return 1;
}

int CUpdateClient::Download(const QString& server, const QString& installerPath,
                            const QString& localPath, const QString& proxy, const QString& user,
                            const QString& password, IDownloadMonitor& monitor) {
    m_state.Reset();
    m_state.path = localPath;
    monitor.BeginDownload();
    int result = DownloadFailed;
    std::unique_ptr<IHttpResponse> response =
        m_http.Get(HttpRequest{server, installerPath, proxy, user, password});
    const qint64 total = response != nullptr ? response->Length() : 0;
    if (total > 0) {
        m_state.total = total;
        m_state.file = response.get();
        std::thread worker;
        try {
            worker = std::thread(DownloadWorker, &m_state);
        } catch (const std::system_error&) {
            m_state.file = nullptr;
        }
        if (worker.joinable()) {
            if (monitor.RunDownload(m_state)) {
                m_state.stop = 1;
                // Wakes a worker waiting for the next block.
                response->Abort();
                result = DownloadCancelled;
            } else {
                result = m_state.error == 0 ? DownloadSucceeded : DownloadFailed;
            }
            worker.join();
            // The worker may have failed after the dialog saw it finish.
            if (result == DownloadSucceeded && m_state.error != 0) {
                result = DownloadFailed;
            }
            m_state.file = nullptr;
        }
    }
    response.reset();
    monitor.EndDownload();
    return result;
}
