#pragma once

#include "HttpClient.h"

#include <QByteArray>
#include <QString>

#include <atomic>

// What the download worker and the progress dialog share. The request fields and `path` are
// set before the worker starts and stay unchanged while it runs; `stop`, `total`, `done`,
// `error` and `connected` are read and written whole from both threads.
struct DownloadState {
    std::atomic<int> stop{0};      // 1: the file is complete and verified, or the user cancelled
    std::atomic<qint64> total{0};  // announced byte length; -1: none announced; 0: not yet known
    std::atomic<qint64> done{0};   // bytes written so far
    std::atomic<int> error{0};     // 1: connecting, reading, writing or verifying failed
    std::atomic<int> connected{0}; // 1: the server answered; the body is on its way
    IHttpResponse* file = nullptr; // the open response of the download request (worker only)
    QString path;                  // the local file

    // What the worker fetches and what it checks the file against.
    IHttpClient* http = nullptr;
    HttpRequest installer;   // the installer ("zelta.exe")
    QString signatureObject; // its detached signature ("zelta.sig") on the same server
    QByteArray trustedKey;   // the public key the signature must verify against

    void Reset();
};

constexpr qint64 kDownloadBlockBytes = 8192;
// The largest installer accepted; a bigger one, announced or streamed, fails the download.
constexpr qint64 kMaxDownloadBytes = qint64(512) * 1024 * 1024;

// Copies `state.file` into `state.path` block by block until the body ends, a block fails or
// `stop` is set. Returns 0 when the whole body is in the file, 1 when `stop` cut it short (the
// partial file stays), -1 on a failure (the partial file is deleted).
int CopyDownloadBody(DownloadState* state);

// True when the file at `path` is what the maker published: `expectedLength` bytes long (when
// announced, -1 otherwise), a complete executable of this machine, and signed by `trustedKey`.
bool IsTrustedInstaller(const QString& path, qint64 expectedLength, const QByteArray& signature,
                        const QByteArray& trustedKey);

// Thread entry of the download: connects, streams the body into `state.path`, fetches the
// signature and checks the file. Sets `stop` once the file is complete and trusted, `error`
// when anything failed (an unverified or failed file is deleted). Returns 0.
int DownloadWorker(DownloadState* state);

// The user-interface side of a download.
class IDownloadMonitor {
public:
    virtual ~IDownloadMonitor() = default;
    // Before the worker starts.
    virtual void BeginDownload() = 0;
    // While the worker connects and downloads: shows the progress ("Connecting ..." until
    // `connected`) until `stop` or `error` is set, or the user cancels. Returns true when the
    // user cancelled (and then has set `stop`).
    virtual bool RunDownload(DownloadState& state) = 0;
    // After the worker has ended.
    virtual void EndDownload() = 0;
};

// Asks an update server what it offers and fetches the installer from it.
class CUpdateClient {
public:
    enum DownloadResult { DownloadFailed = 0, DownloadSucceeded = 1, DownloadCancelled = 2 };

    // A download is trusted only when signed by `trustedKey` (PEM).
    CUpdateClient(IHttpClient& http, QByteArray trustedKey)
        : m_http(http), m_trustedKey(std::move(trustedKey)) {}

    // 1 when `server` has a readable version text at `versionPath` (stored in `version`,
    // else 0) and a plausible installer at `installerPath`; 0 otherwise. Empty proxy, user
    // or password texts mean none. Blocks; `cancel` set from another thread ends it with 0.
    int CheckServer(const QString& server, const QString& versionPath, const QString& installerPath,
                    float& version, const QString& proxy, const QString& user,
                    const QString& password, const std::atomic<int>* cancel = nullptr);

    // Downloads `installerPath` from `server` into `localPath` on a worker thread while
    // `monitor` shows the progress, and accepts it only with a valid signature at
    // `signaturePath` on the same server. Returns a DownloadResult.
    int Download(const QString& server, const QString& installerPath, const QString& signaturePath,
                 const QString& localPath, const QString& proxy, const QString& user,
                 const QString& password, IDownloadMonitor& monitor);

    const DownloadState& State() const { return m_state; }

private:
    IHttpClient& m_http;
    QByteArray m_trustedKey;
    DownloadState m_state;
};
