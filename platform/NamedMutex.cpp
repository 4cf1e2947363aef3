#include "NamedMutex.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The user's runtime folder, else a private folder under /tmp.
std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime == '/')
        return runtime;
    std::string dir = "/tmp/zelta-" + std::to_string(static_cast<unsigned long>(getuid()));
    mkdir(dir.c_str(), 0700);
    return dir;
}

// Mutex names hold blanks; the file name keeps letters, digits, '-', '_' and '.' only.
std::string FileNameFor(const std::string& name) {
    std::string out;
    for (unsigned char c : name) {
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '_' || c == '.';
        out += keep ? static_cast<char>(c) : '_';
    }
    return out + ".lock";
}

int OpenLockFile(const std::string& path) {
    return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

} // namespace

CNamedMutex::~CNamedMutex() { Release(); }

std::string CNamedMutex::LockPath(const std::string& name) {
    return RuntimeFolder() + "/" + FileNameFor(name);
}

bool CNamedMutex::Create(const std::string& name) {
    Release();
    m_fd = OpenLockFile(LockPath(name));
    if (m_fd < 0)
        return false;
    int rc;
    do {
        rc = flock(m_fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    m_owner = (rc == 0);
    return true;
}

void CNamedMutex::Release() {
    if (m_fd >= 0) {
        if (m_owner)
            flock(m_fd, LOCK_UN);
        close(m_fd);
    }
    m_fd = -1;
    m_owner = false;
}

bool CNamedMutex::Exists(const std::string& name) {
    int fd = open(LockPath(name).c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false; // never created: nobody holds it
    int rc;
    do {
        rc = flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    bool held = (rc != 0 && errno == EWOULDBLOCK);
    if (rc == 0)
        flock(fd, LOCK_UN);
    close(fd);
    return held;
}
