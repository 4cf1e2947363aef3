#pragma once

#include <string>

// A named, process-wide mutex: an advisory lock (flock) on a file named after the mutex in
// the user's runtime folder. Like the named mutex it stands for, it exists while any process
// holds it: every running copy of the program holds it shared, and the installer's and the
// uninstaller's test is an exclusive attempt, which fails while any copy still holds it. The
// lock belongs to the open file, so a crashed holder never blocks anybody: the kernel drops
// the lock with the process.
//
// The folder is $XDG_RUNTIME_DIR; without one, "zelta-<uid>" in $TMPDIR (or /tmp), else
// "zelta-<uid>" in the user's cache folder. A folder is used only when it is a real folder
// owned by the user that nobody else can write: in a shared folder anybody could hold the
// lock and keep the installer out for good.
class CNamedMutex {
public:
    CNamedMutex() = default;
    ~CNamedMutex();
    CNamedMutex(const CNamedMutex&) = delete;
    CNamedMutex& operator=(const CNamedMutex&) = delete;

    // Creates the mutex and tries to take it alone. Returns false when the lock file cannot be
    // opened. A mutex already held by another process is not an error: like a named mutex that
    // "already exists", this process then simply does not own it (`IsOwner` is false).
    bool Create(const std::string& name);
    // Creates the mutex and holds it together with every other shared holder, as each running
    // copy of the program does. Returns false when the lock file cannot be opened; `IsOwner`
    // is false when a process holds it alone.
    bool CreateShared(const std::string& name);
    bool IsOwner() const { return m_owner; }
    void Release();

    // True while some live process holds the mutex `name`, shared or alone.
    static bool Exists(const std::string& name);

    // The lock file used for `name`; empty when no private folder is available.
    static std::string LockPath(const std::string& name);

private:
    bool Open(const std::string& name, int operation);

    int m_fd = -1;
    bool m_owner = false;
};
