#include "QtHttpClient.h"

#include <QAuthenticator>
#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

namespace {

// What the network thread and the waiting caller share about one request.
struct Transfer {
    std::mutex mutex;
    std::condition_variable changed;
    QByteArray data; // received and not yet read
    bool headers = false;
    bool finished = false;
    bool failed = false;
    bool aborted = false;
    int status = 0;
    qint64 contentLength = -1;
    qint64 received = 0;
    bool held = false; // the network thread left bytes in the reply: `data` was full
    // Network thread only.
    QPointer<QNetworkAccessManager> manager;
    QPointer<QNetworkReply> reply;
    bool credentialsGiven = false;
    bool proxyCredentialsGiven = false;
};

// Bytes held between the network and the reader: a body is streamed through this, whatever
// its length. The reply itself buffers as much again.
constexpr qint64 kBufferBytes = 1 << 20;

bool IsInterimStatus(int status) {
    // Redirects are followed and challenges answered before the final response arrives.
    return (status >= 300 && status < 400) || status == 401 || status == 407;
}

// "host" or "host:port".
bool SplitHostPort(const QString& text, QString& host, int& port) {
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon < 0) {
        host = text.trimmed();
        port = -1;
        return !host.isEmpty();
    }
    bool ok = false;
    port = text.mid(colon + 1).trimmed().toInt(&ok);
    host = text.left(colon).trimmed();
    return ok && port >= 0 && port <= 65535 && !host.isEmpty();
}

// Network thread: moves what the reply holds into the transfer, unless the reader is behind.
void Pull(const std::shared_ptr<Transfer>& transfer) {
    QNetworkReply* reply = transfer->reply;
    if (reply == nullptr || !reply->isOpen()) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(transfer->mutex);
        if (transfer->aborted) {
            return;
        }
        if (transfer->data.size() >= kBufferBytes && !reply->isFinished()) {
            transfer->held = true;
            return;
        }
        const QByteArray bytes = reply->readAll();
        transfer->data += bytes;
        transfer->received += bytes.size();
    }
    transfer->changed.notify_all();
}

void Release(const std::shared_ptr<Transfer>& transfer) {
    if (transfer->manager != nullptr) {
        transfer->manager->deleteLater();
        transfer->manager = nullptr;
    }
}

class CQtHttpResponse : public IHttpResponse {
public:
    CQtHttpResponse(std::shared_ptr<Transfer> transfer, QObject* context, int timeoutMs,
                    const std::atomic<int>* cancel)
        : m_transfer(std::move(transfer)), m_context(context), m_timeoutMs(timeoutMs),
          m_cancel(cancel) {}

    ~CQtHttpResponse() override {
        Abort();
        std::shared_ptr<Transfer> transfer = m_transfer;
        QMetaObject::invokeMethod(
            m_context, [transfer] { Release(transfer); }, Qt::QueuedConnection);
    }

    qint64 Length() override {
        std::lock_guard<std::mutex> lock(m_transfer->mutex);
        return m_transfer->contentLength >= 0 ? m_transfer->contentLength : -1;
    }

    qint64 Read(char* buffer, qint64 size) override {
        if (size <= 0) {
            return 0;
        }
        std::unique_lock<std::mutex> lock(m_transfer->mutex);
        WaitLocked(lock, [this, size] {
            return m_transfer->data.size() >= size || m_transfer->finished || m_transfer->aborted;
        });
        const qint64 n = std::min<qint64>(size, m_transfer->data.size());
        if (n == 0 && (m_transfer->failed || m_transfer->aborted)) {
            return -1;
        }
        std::memcpy(buffer, m_transfer->data.constData(), static_cast<size_t>(n));
        m_transfer->data.remove(0, n);
        if (m_transfer->held && m_transfer->data.size() < kBufferBytes / 2) {
            m_transfer->held = false;
            std::shared_ptr<Transfer> transfer = m_transfer;
            QMetaObject::invokeMethod(
                m_context, [transfer] { Pull(transfer); }, Qt::QueuedConnection);
        }
        return n;
    }

    void Abort() override {
        {
            std::lock_guard<std::mutex> lock(m_transfer->mutex);
            m_transfer->aborted = true;
        }
        m_transfer->changed.notify_all();
    }

private:
    // Waits until `done`, as long as bytes keep arriving within the timeout and nobody
    // cancels.
    template <typename Predicate>
    void WaitLocked(std::unique_lock<std::mutex>& lock, Predicate done) {
        qint64 lastReceived = m_transfer->received;
        auto lastProgress = std::chrono::steady_clock::now();
        while (!done()) {
            if (m_cancel != nullptr && m_cancel->load() != 0) {
                m_transfer->aborted = true;
                return;
            }
            m_transfer->changed.wait_for(lock,
                                         std::chrono::milliseconds(CQtHttpClient::kCancelPollMs));
            const auto now = std::chrono::steady_clock::now();
            if (m_transfer->received != lastReceived) {
                lastReceived = m_transfer->received;
                lastProgress = now;
            } else if (!done() && now - lastProgress >= std::chrono::milliseconds(m_timeoutMs)) {
                m_transfer->failed = true;
                m_transfer->aborted = true;
                return;
            }
        }
    }

    std::shared_ptr<Transfer> m_transfer;
    QObject* m_context;
    int m_timeoutMs;
    const std::atomic<int>* m_cancel;
};

// Runs on the network thread: sends the request and feeds the transfer.
void StartTransfer(const std::shared_ptr<Transfer>& transfer, QObject* context,
                   const HttpRequest& request, int timeoutMs) {
    auto fail = [&transfer] {
        {
            std::lock_guard<std::mutex> lock(transfer->mutex);
            transfer->failed = true;
            transfer->finished = true;
        }
        transfer->changed.notify_all();
    };
    QString host;
    int port = -1;
    if (!SplitHostPort(request.server, host, port)) {
        fail();
        return;
    }
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host);
    if (port >= 0) {
        url.setPort(port);
    }
    QString path = request.object;
    if (!path.startsWith(QLatin1Char('/'))) {
        path.prepend(QLatin1Char('/'));
    }
    url.setPath(path);
    if (!url.isValid()) {
        fail();
        return;
    }

    auto* manager = new QNetworkAccessManager(context);
    transfer->manager = manager;
    if (request.proxy.isEmpty()) {
        manager->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    } else {
        QString proxyHost;
        int proxyPort = -1;
        if (!SplitHostPort(request.proxy, proxyHost, proxyPort) || proxyPort < 0) {
            fail();
            return;
        }
        manager->setProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, proxyHost, static_cast<quint16>(proxyPort)));
    }
    // The credentials are offered once; a second challenge means they were refused.
    const QString user = request.user;
    const QString password = request.password;
    QObject::connect(manager, &QNetworkAccessManager::authenticationRequired, manager,
                     [transfer, user, password](QNetworkReply*, QAuthenticator* auth) {
                         if (!user.isEmpty() && !transfer->credentialsGiven) {
                             transfer->credentialsGiven = true;
                             auth->setUser(user);
                             auth->setPassword(password);
                         }
                     });
    QObject::connect(manager, &QNetworkAccessManager::proxyAuthenticationRequired, manager,
                     [transfer, user, password](const QNetworkProxy&, QAuthenticator* auth) {
                         if (!user.isEmpty() && !transfer->proxyCredentialsGiven) {
                             transfer->proxyCredentialsGiven = true;
                             auth->setUser(user);
                             auth->setPassword(password);
                         }
                     });

    QNetworkRequest networkRequest(url);
    networkRequest.setTransferTimeout(timeoutMs);
    networkRequest.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                                QNetworkRequest::AlwaysNetwork);
    networkRequest.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("ZeltaIII"));
    QNetworkReply* reply = manager->get(networkRequest);
    reply->setReadBufferSize(kBufferBytes);
    transfer->reply = reply;

    auto takeHeaders = [transfer, reply] {
        const QVariant statusValue = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        const int status = statusValue.isValid() ? statusValue.toInt() : 0;
        if (IsInterimStatus(status) && !reply->isFinished()) {
            return;
        }
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        {
            std::lock_guard<std::mutex> lock(transfer->mutex);
            if (!transfer->headers) {
                transfer->headers = true;
                transfer->status = status;
                if (length.isValid()) {
                    transfer->contentLength = length.toLongLong();
                }
            }
        }
        transfer->changed.notify_all();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, takeHeaders);
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [transfer, takeHeaders] {
        takeHeaders();
        Pull(transfer);
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [transfer, reply, takeHeaders] {
        takeHeaders();
        // What is left is at most the reply's bounded buffer.
        const QByteArray bytes = reply->isOpen() ? reply->readAll() : QByteArray();
        {
            std::lock_guard<std::mutex> lock(transfer->mutex);
            transfer->data += bytes;
            transfer->received += bytes.size();
            transfer->held = false;
            transfer->finished = true;
            if (reply->error() != QNetworkReply::NoError) {
                transfer->failed = true;
            }
        }
        transfer->changed.notify_all();
    });
}

} // namespace

CQtHttpClient::CQtHttpClient(int timeoutMs) : m_timeoutMs(timeoutMs) {
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    m_thread.setObjectName(QStringLiteral("update network"));
    m_thread.start();
}

CQtHttpClient::~CQtHttpClient() {
    QObject* context = m_context;
    QMetaObject::invokeMethod(
        context, [context] { delete context; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

std::unique_ptr<IHttpResponse> CQtHttpClient::Get(const HttpRequest& request) {
    auto transfer = std::make_shared<Transfer>();
    QObject* context = m_context;
    const int timeoutMs = m_timeoutMs;
    QMetaObject::invokeMethod(
        m_context,
        [transfer, context, request, timeoutMs] {
            StartTransfer(transfer, context, request, timeoutMs);
        },
        Qt::QueuedConnection);
    auto response =
        std::make_unique<CQtHttpResponse>(transfer, m_context, m_timeoutMs, request.cancel);
    std::unique_lock<std::mutex> lock(transfer->mutex);
    // The transfer timeout of the request bounds this wait; the extra wait only guards
    // against a network thread that never answers.
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(m_timeoutMs) * 2 + std::chrono::seconds(1);
    bool answered = false;
    while (!(answered = transfer->headers || transfer->finished)) {
        if ((request.cancel != nullptr && request.cancel->load() != 0) ||
            std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        transfer->changed.wait_for(lock, std::chrono::milliseconds(kCancelPollMs));
    }
    const bool usable = answered && transfer->headers && transfer->status >= 200 &&
                        transfer->status < 300 && !(transfer->finished && transfer->failed);
    lock.unlock();
    if (!usable) {
        return nullptr;
    }
    return response;
}
