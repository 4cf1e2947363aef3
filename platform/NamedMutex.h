#pragma once

#include <string>

// A named, process-wide mutex: an advisory lock (flock) on a file named after the mutex in
// the user's runtime folder. The lock belongs to the open file, so a crashed holder never
// blocks anybody: the kernel drops the lock with the process.
class CNamedMutex {
public:
    CNamedMutex() = default;
    ~CNamedMutex();
    CNamedMutex(const CNamedMutex&) = delete;
    CNamedMutex& operator=(const CNamedMutex&) = delete;

    // Creates the mutex and takes it. Returns false when the lock file cannot be opened.
    // A mutex already held by another process is not an error: like a named mutex that
    // "already exists", this process then simply does not own it (`IsOwner` is false).
    bool Create(const std::string& name);
    bool IsOwner() const { return m_owner; }
    void Release();

    // True while some live process holds the mutex `name`.
    static bool Exists(const std::string& name);

    // The lock file used for `name` (exposed for tests and for the installer's wait loop).
    static std::string LockPath(const std::string& name);

private:
    int m_fd = -1;
    bool m_owner = false;
};
