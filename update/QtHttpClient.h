#pragma once

#include "HttpClient.h"

#include <QThread>

// The update's HTTP client on Qt Network. Requests run on the client's own network thread,
// so callers on any thread (the user-interface thread while checking, the download worker
// while downloading) simply wait for their bytes. Every wait is bounded: a transfer that
// makes no progress for `timeoutMs` fails like an unreachable server, and a request's cancel
// flag ends any wait within `kCancelPollMs`.
class CQtHttpClient : public IHttpClient {
public:
    static constexpr int kDefaultTimeoutMs = 15000;
    static constexpr int kCancelPollMs = 20;

    explicit CQtHttpClient(int timeoutMs = kDefaultTimeoutMs);
    ~CQtHttpClient() override;
    CQtHttpClient(const CQtHttpClient&) = delete;
    CQtHttpClient& operator=(const CQtHttpClient&) = delete;

    std::unique_ptr<IHttpResponse> Get(const HttpRequest& request) override;

private:
    int m_timeoutMs;
    QThread m_thread;
    QObject* m_context = nullptr; // lives on m_thread; parent of every transfer's objects
};
