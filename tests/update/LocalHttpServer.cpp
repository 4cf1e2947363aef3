#include "LocalHttpServer.h"

#include <QFile>

#include <arpa/inet.h>
#include <elf.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

namespace {

constexpr int kPollMs = 20;
constexpr int kRequestLimitMs = 5000;

bool SendAll(int socket, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(socket, data, size, MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

std::string Base64(const QByteArray& text) {
    return text.toBase64().toStdString();
}

} // namespace

QByteArray FakeInstaller(int size) {
    // The file header of this test program gives the word size, byte order and processor.
    QByteArray self;
    {
        QFile exe(QStringLiteral("/proc/self/exe"));
        if (exe.open(QIODevice::ReadOnly)) {
            self = exe.read(sizeof(Elf64_Ehdr));
        }
    }
    Elf64_Ehdr header{};
    if (self.size() == static_cast<int>(sizeof header)) {
        std::memcpy(&header, self.constData(), sizeof header);
    }
    header.e_type = ET_DYN;
    header.e_entry = 0x1000;
    header.e_phoff = sizeof(Elf64_Ehdr);
    header.e_shoff = 0;
    header.e_shnum = 0;
    header.e_shstrndx = 0;
    header.e_phentsize = sizeof(Elf64_Phdr);
    header.e_phnum = 1;
    Elf64_Phdr load{};
    load.p_type = PT_LOAD;
    load.p_flags = PF_R | PF_X;
    load.p_offset = 0;
    load.p_filesz = static_cast<Elf64_Xword>(size);
    load.p_memsz = static_cast<Elf64_Xword>(size);
    load.p_align = 0x1000;
    QByteArray body(reinterpret_cast<const char*>(&header), sizeof header);
    body.append(reinterpret_cast<const char*>(&load), sizeof load);
    for (int i = body.size(); i < size; ++i) {
        body.append(static_cast<char>((i * 7 + 3) & 0xff));
    }
    return body.left(size);
}

LocalHttpServer::LocalHttpServer() = default;

LocalHttpServer::~LocalHttpServer() {
    m_stopping = true;
    if (m_acceptThread.joinable()) {
        m_acceptThread.join();
    }
    for (std::thread& connection : m_connections) {
        connection.join();
    }
    if (m_listen >= 0) {
        ::close(m_listen);
    }
}

bool LocalHttpServer::Start() {
    m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
    if (m_listen < 0) {
        return false;
    }
    const int yes = 1;
    ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listen, 16) != 0) {
        return false;
    }
    socklen_t length = sizeof address;
    ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_acceptThread = std::thread([this] { AcceptLoop(); });
    return true;
}

int LocalHttpServer::ClosedPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(s);
    return ntohs(address.sin_port);
}

void LocalHttpServer::Serve(const std::string& path, const Route& route) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_routes[path] = route;
}

void LocalHttpServer::Serve(const std::string& path, const QByteArray& body) {
    Route route;
    route.body = body;
    Serve(path, route);
}

std::vector<std::string> LocalHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

std::vector<std::string> LocalHttpServer::AuthorizationHeaders() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_authorization;
}

void LocalHttpServer::AcceptLoop() {
    while (!m_stopping) {
        pollfd fd{m_listen, POLLIN, 0};
        if (::poll(&fd, 1, kPollMs) <= 0) {
            continue;
        }
        const int socket = ::accept(m_listen, nullptr, nullptr);
        if (socket < 0) {
            continue;
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_connections.emplace_back([this, socket] {
            Handle(socket);
            ::close(socket);
        });
    }
}

void LocalHttpServer::HoldOpen(int socket) {
    // Until the client gives up on the connection or the server stops.
    while (!m_stopping) {
        pollfd fd{socket, POLLIN, 0};
        if (::poll(&fd, 1, kPollMs) > 0) {
            char buffer[256];
            if (::recv(socket, buffer, sizeof buffer, 0) <= 0) {
                return;
            }
        }
    }
}

void LocalHttpServer::Handle(int socket) {
    std::string request;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kRequestLimitMs);
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (m_stopping || std::chrono::steady_clock::now() > deadline) {
            return;
        }
        pollfd fd{socket, POLLIN, 0};
        if (::poll(&fd, 1, kPollMs) <= 0) {
            continue;
        }
        char buffer[2048];
        const ssize_t n = ::recv(socket, buffer, sizeof buffer, 0);
        if (n <= 0) {
            return;
        }
        request.append(buffer, static_cast<size_t>(n));
    }
    const std::string line = request.substr(0, request.find("\r\n"));
    std::string authorization;
    const size_t authAt = request.find("\r\nAuthorization: ");
    if (authAt != std::string::npos) {
        const size_t start = authAt + 17;
        authorization = request.substr(start, request.find("\r\n", start) - start);
    }
    // "GET <target> HTTP/1.1"; a proxy gets an absolute target.
    std::string target = line.substr(4, line.rfind(' ') - 4);
    const size_t scheme = target.find("://");
    if (scheme != std::string::npos) {
        const size_t slash = target.find('/', scheme + 3);
        target = slash == std::string::npos ? "/" : target.substr(slash);
    }

    Route route;
    bool found = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(line);
        if (!authorization.empty()) {
            m_authorization.push_back(authorization);
        }
        const auto it = m_routes.find(target);
        if (it != m_routes.end()) {
            route = it->second;
            found = true;
        }
    }
    if (!found) {
        route.status = 404;
        route.body = "<html>Not Found</html>";
    } else if (!route.credentials.isEmpty() &&
               authorization != "Basic " + Base64(route.credentials)) {
        route.status = 401;
        route.body = "<html>Unauthorized</html>";
        route.stallAfter = -1;
        route.announceLength = true;
    }

    if (route.silent) {
        // Took the request and never answers.
        HoldOpen(socket);
        return;
    }

    std::string head = "HTTP/1.1 " + std::to_string(route.status) + " Status\r\n";
    if (route.status == 401) {
        head += "WWW-Authenticate: Basic realm=\"zelta\"\r\n";
    }
    if (route.announceLength) {
        head += "Content-Length: " + std::to_string(route.body.size()) + "\r\n";
    }
    head += "Content-Type: application/octet-stream\r\nConnection: close\r\n\r\n";
    if (!SendAll(socket, head.data(), head.size())) {
        return;
    }
    const qint64 toSend = route.stallAfter >= 0
                              ? std::min<qint64>(route.stallAfter, route.body.size())
                              : route.body.size();
    if (!SendAll(socket, route.body.constData(), static_cast<size_t>(toSend))) {
        return;
    }
    if (route.stallAfter >= 0) {
        HoldOpen(socket);
    }
}
