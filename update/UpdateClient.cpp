#include "UpdateClient.h"

#include "ElfImage.h"
#include "InstallerSignature.h"
#include "VersionCheck.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <system_error>
#include <thread>

void DownloadState::Reset() {
    stop = 0;
    total = 0;
    done = 0;
    error = 0;
    connected = 0;
    file = nullptr;
    path.clear();
    http = nullptr;
    installer = HttpRequest();
    signatureObject.clear();
    trustedKey.clear();
}

int CopyDownloadBody(DownloadState* state) {
    QFile out(state->path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return -1;
    }
    // A failed block deletes the partial file; a cancel leaves it for the next update to
    // delete.
    auto fail = [&out, state] {
        out.close();
        if (state->stop != 0) {
            return 1;
        }
        out.remove();
        return -1;
    };
    const qint64 total = state->total;
    char buffer[kDownloadBlockBytes];
    while (state->stop == 0) {
        const qint64 done = state->done;
        if (done == total) {
            break;
        }
        // Without an announced length the body ends with an empty read.
        const qint64 n =
            total > 0 ? std::min(kDownloadBlockBytes, total - done) : kDownloadBlockBytes;
        const qint64 read = state->file->Read(buffer, n);
        if (read < 0 || (total > 0 && read != n)) {
            return fail();
        }
        if (read == 0) {
            break;
        }
        if (done + read > kMaxDownloadBytes || out.write(buffer, read) != read) {
            return fail();
        }
        state->done = done + read;
    }
    if (state->stop != 0) {
        out.close();
        return 1;
    }
    // A full disk shows only when the last bytes are flushed.
    if (!out.flush()) {
        return fail();
    }
    out.close();
    return 0;
}

bool IsTrustedInstaller(const QString& path, qint64 expectedLength, const QByteArray& signature,
                        const QByteArray& trustedKey) {
    const QFileInfo info(path);
    if (!info.isFile() || (expectedLength >= 0 && info.size() != expectedLength)) {
        return false;
    }
    return ElfImage::IsCompleteFile(QFile::encodeName(path).toStdString(),
                                    ElfImage::Kind::Executable) &&
           VerifyFileSignature(trustedKey, path, signature);
}

namespace {

// The detached signature: exactly its 64 bytes, nothing more.
QByteArray FetchSignature(IHttpClient& http, const HttpRequest& request) {
    const std::unique_ptr<IHttpResponse> response = http.Get(request);
    if (response == nullptr) {
        return QByteArray();
    }
    QByteArray signature(kSignatureBytes + 1, '\0');
    const qint64 read = response->Read(signature.data(), signature.size());
    if (read != kSignatureBytes) {
        return QByteArray();
    }
    signature.truncate(kSignatureBytes);
    return signature;
}

} // namespace

int DownloadWorker(DownloadState* state) {
    auto failed = [state] {
        if (state->stop == 0) {
            state->error = 1;
        }
        return 0;
    };
    HttpRequest request = state->installer;
    request.cancel = &state->stop;
    std::unique_ptr<IHttpResponse> response = state->http->Get(request);
    if (response == nullptr) {
        return failed();
    }
    const qint64 announced = response->Length();
    if (announced == 0 || announced > kMaxDownloadBytes) {
        return failed();
    }
    state->total = announced;
    state->connected = 1;
    state->file = response.get();
    const int copied = CopyDownloadBody(state);
    state->file = nullptr;
    response.reset();
    if (copied != 0) {
        return copied < 0 ? failed() : 0;
    }
    if (state->done == 0) {
        QFile::remove(state->path);
        return failed();
    }

    // Nothing is handed on before it is known to be the maker's complete installer.
    request.object = state->signatureObject;
    const QByteArray signature = FetchSignature(*state->http, request);
    if (state->stop != 0) {
        return 0;
    }
    if (!IsTrustedInstaller(state->path, announced > 0 ? announced : qint64(state->done), signature,
                            state->trustedKey)) {
        QFile::remove(state->path);
        return failed();
    }
    state->stop = 1;
    return 0;
}

int CUpdateClient::CheckServer(const QString& server, const QString& versionPath,
                               const QString& installerPath, float& version, const QString& proxy,
                               const QString& user, const QString& password,
                               const std::atomic<int>* cancel) {
    version = 0.0f;
    HttpRequest request{server, versionPath, proxy, user, password, cancel};
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
                            const QString& signaturePath, const QString& localPath,
                            const QString& proxy, const QString& user, const QString& password,
                            IDownloadMonitor& monitor) {
    m_state.Reset();
    m_state.path = localPath;
    m_state.http = &m_http;
    m_state.installer = HttpRequest{server, installerPath, proxy, user, password, nullptr};
    m_state.signatureObject = signaturePath;
    m_state.trustedKey = m_trustedKey;
    monitor.BeginDownload();
    int result = DownloadFailed;
    std::thread worker;
    try {
        worker = std::thread(DownloadWorker, &m_state);
    } catch (const std::system_error&) {
    }
    if (worker.joinable()) {
        if (monitor.RunDownload(m_state)) {
            // Wakes a worker waiting for the server, a block or the signature.
            m_state.stop = 1;
            result = DownloadCancelled;
        }
        worker.join();
        // The worker may have failed after the dialog saw it finish.
        if (result != DownloadCancelled) {
            result = m_state.error == 0 && m_state.stop != 0 ? DownloadSucceeded : DownloadFailed;
        }
    }
    monitor.EndDownload();
    return result;
}
