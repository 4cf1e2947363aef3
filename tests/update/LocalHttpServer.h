#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small HTTP/1.1 server on 127.0.0.1 for the update tests. It serves fixed bodies by
// request path (an absolute "http://host/path" request, as a proxy receives it, is served by
// its path too), records every request line, and can require Basic credentials or stall
// part-way through a body. Each connection is answered once and closed.
class LocalHttpServer {
public:
    struct Route {
        int status = 200;
        QByteArray body;
        bool announceLength = true;
        qint64 stallAfter = -1; // send this many body bytes, then hold the connection open
        QByteArray credentials; // "user:password" required, empty: none
        bool silent = false;    // read the request and never answer
    };

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    bool Start(); // listens on a free port of 127.0.0.1
    int Port() const { return m_port; }
    QString Address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

    void Serve(const std::string& path, const Route& route);
    void Serve(const std::string& path, const QByteArray& body);

    // Request lines received so far ("GET /ZeltaApps/Zelta/zelta.txt HTTP/1.1").
    std::vector<std::string> Requests() const;
    // The Authorization headers received, in order.
    std::vector<std::string> AuthorizationHeaders() const;

    // A port of 127.0.0.1 on which nothing listens.
    static int ClosedPort();

private:
    void AcceptLoop();
    void Handle(int socket);
    void HoldOpen(int socket);

    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_acceptThread;
    mutable std::mutex m_mutex;
    std::map<std::string, Route> m_routes;
    std::vector<std::string> m_requests;
    std::vector<std::string> m_authorization;
    std::vector<std::thread> m_connections;
};

// A body that passes for a complete installer of this machine: an ELF file header and one
// loadable segment that covers all `size` bytes (at least 120), followed by filler.
QByteArray FakeInstaller(int size);
