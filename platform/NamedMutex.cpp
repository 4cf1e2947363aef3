#include "NamedMutex.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A real folder (not a link) of this user that no one else can write.
bool IsPrivateFolder(const std::string& dir) {
    struct stat info {};
    return lstat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// `base`/zelta-<uid>, created private when missing; empty when it is not private.
std::string PrivateSubfolder(const std::string& base) {
    if (base.empty() || base[0] != '/') {
        return std::string();
    }
    const std::string dir = base + "/zelta-" + std::to_string(static_cast<unsigned long>(getuid()));
    mkdir(dir.c_str(), 0700);
    return IsPrivateFolder(dir) ? dir : std::string();
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

// The user's runtime folder, else a private folder of ours in the temporary folder, else one
// in the user's cache folder; empty when none of them is private.
std::string RuntimeFolder() {
    const std::string runtime = Environment("XDG_RUNTIME_DIR");
    if (!runtime.empty() && runtime[0] == '/' && IsPrivateFolder(runtime)) {
        return runtime;
    }
    const std::string temp = Environment("TMPDIR");
    std::string dir = PrivateSubfolder(temp.empty() ? std::string("/tmp") : temp);
    if (!dir.empty()) {
        return dir;
    }
    std::string cache = Environment("XDG_CACHE_HOME");
    if (cache.empty() || cache[0] != '/') {
        const std::string home = Environment("HOME");
        if (home.empty() || home[0] != '/') {
            return std::string();
        }
        cache = home + "/.cache";
    }
    mkdir(cache.c_str(), 0700);
    return PrivateSubfolder(cache);
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

int OpenLockFile(const std::string& path, int flags) {
    if (path.empty()) {
        return -1;
    }
    return open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | flags, 0600);
}

int TryLock(int fd, int operation) {
    int rc;
    do {
        rc = flock(fd, operation | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    return rc;
}

} // namespace

CNamedMutex::~CNamedMutex() {
    Release();
}

std::string CNamedMutex::LockPath(const std::string& name) {
    const std::string folder = RuntimeFolder();
    return folder.empty() ? std::string() : folder + "/" + FileNameFor(name);
}

bool CNamedMutex::Open(const std::string& name, int operation) {
    Release();
    m_fd = OpenLockFile(LockPath(name), O_CREAT);
    if (m_fd < 0) {
        return false;
    }
    m_owner = TryLock(m_fd, operation) == 0;
    return true;
}

bool CNamedMutex::Create(const std::string& name) {
    return Open(name, LOCK_EX);
}

bool CNamedMutex::CreateShared(const std::string& name) {
    return Open(name, LOCK_SH);
}

void CNamedMutex::Release() {
    if (m_fd >= 0) {
        if (m_owner) {
            flock(m_fd, LOCK_UN);
        }
        close(m_fd);
    }
    m_fd = -1;
    m_owner = false;
}

bool CNamedMutex::Exists(const std::string& name) {
    const int fd = OpenLockFile(LockPath(name), 0);
    if (fd < 0) {
        return false; // never created: nobody holds it
    }
    const int rc = TryLock(fd, LOCK_EX);
    const bool held = rc != 0 && errno == EWOULDBLOCK;
    if (rc == 0) {
        flock(fd, LOCK_UN);
    }
    close(fd);
    return held;
}
