#pragma once

#include "HttpClient.h"

#include <QString>

#include <atomic>

// What the download worker and the progress dialog share. `total`, `file` and `path` are set
// before the worker starts and stay unchanged while it runs; `stop`, `done` and `error` are
// read and written whole from both threads.
struct DownloadState {
    std::atomic<int> stop{0};      // 1: the file is complete, or the user cancelled
    qint64 total = 0;              // byte length of the download
    std::atomic<qint64> done{0};   // bytes written so far
    std::atomic<int> error{0};     // 1: opening, reading or writing failed
    IHttpResponse* file = nullptr; // the open response of the download request
    QString path;                  // the local file

    void Reset();
};

constexpr qint64 kDownloadBlockBytes = 8192;

// Thread entry of the download: copies `state.file` into `state.path` block by block until
// the file is complete, a block fails or `stop` is set. A failed block deletes the partial
// file; a cancel leaves it. Returns 0.
int DownloadWorker(DownloadState* state);

// The user-interface side of a download.
class IDownloadMonitor {
public:
    virtual ~IDownloadMonitor() = default;
    // Before the connection is made ("Connecting ...").
    virtual void BeginDownload() = 0;
    // While the worker runs: shows the progress until `stop` or `error` is set, or the user
    // cancels. Returns true when the user cancelled (and then has set `stop`).
    virtual bool RunDownload(DownloadState& state) = 0;
    // After the worker has ended.
    virtual void EndDownload() = 0;
};

// Asks an update server what it offers and fetches the installer from it.
class CUpdateClient {
public:
    enum DownloadResult { DownloadFailed = 0, DownloadSucceeded = 1, DownloadCancelled = 2 };

    explicit CUpdateClient(IHttpClient& http) : m_http(http) {}

    // 1 when `server` has a readable version text at `versionPath` (stored in `version`,
    // else 0) and a plausible installer at `installerPath`; 0 otherwise. Empty proxy, user
    // or password texts mean none.
    int CheckServer(const QString& server, const QString& versionPath, const QString& installerPath,
                    float& version, const QString& proxy, const QString& user,
                    const QString& password);

    // Downloads `installerPath` from `server` into `localPath` on a worker thread while
    // `monitor` shows the progress. Returns a DownloadResult.
    int Download(const QString& server, const QString& installerPath, const QString& localPath,
                 const QString& proxy, const QString& user, const QString& password,
                 IDownloadMonitor& monitor);

    const DownloadState& State() const { return m_state; }

private:
    IHttpClient& m_http;
    DownloadState m_state;
};
