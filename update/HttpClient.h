#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <memory>

// The HTTP client the update talks through. Every request is a GET of one object on one
// server; the response is read as a stream of bytes, from the user-interface thread while
// checking and from the download worker while downloading.
struct HttpRequest {
    QString server;   // host name, optionally followed by ":port"
    QString object;   // the object name, for example "ZeltaApps/Zelta/zelta.txt"
    QString proxy;    // "host:port" of an HTTP proxy; empty for a direct connection
    QString user;     // empty: no credentials
    QString password; // used together with `user`
    // Set from another thread to end the request: a waiting Get returns null and a waiting
    // Read returns -1 soon after. Null: the request is not cancelled from outside.
    const std::atomic<int>* cancel = nullptr;
};

// An open response: the body of a successful request.
class IHttpResponse {
public:
    virtual ~IHttpResponse() = default;
    // Byte length of the body as the server announced it, or -1 when it announced none (the
    // body then ends when Read returns 0). Never waits for the body.
    virtual qint64 Length() = 0;
    // Reads up to `size` bytes into `buffer`, waiting until that many arrived, the body
    // ended or the transfer failed. Returns the number of bytes read, or -1 when nothing
    // could be read because the transfer failed.
    virtual qint64 Read(char* buffer, qint64 size) = 0;
    // Ends the transfer; a Read waiting on another thread returns at once. Thread-safe.
    virtual void Abort() = 0;
};

class IHttpClient {
public:
    virtual ~IHttpClient() = default;
    // Sends the request and waits for the response's headers. Null when the server could
    // not be reached, the request failed or the server answered with an error status.
    // A response must not outlive its client.
    virtual std::unique_ptr<IHttpResponse> Get(const HttpRequest& request) = 0;
};
