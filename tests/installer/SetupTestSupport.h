#pragma once

#include "Payload.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <map>
#include <string>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

// A payload of small, recognisable files.
class FakePayload : public IPayloadSource {
public:
    FakePayload() {
        for (const PayloadEntry& entry : kPayloadTable)
            files[entry.id] = "payload " + QByteArray::number(entry.id) + "\n";
    }
    QByteArray Find(int id) const override {
        auto it = files.find(id);
        return it == files.end() ? QByteArray() : it->second;
    }
    std::map<int, QByteArray> files;
};

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Holds the lock file of a named mutex in a child process until Release (or for `ms` at
// most): shared, as each running copy of the program does, or alone, as the installer does.
// The child only makes system calls: the parent has threads.
class MutexHolder {
public:
    MutexHolder(const std::string& lockPath, int ms, bool shared = false) {
        int ready[2];
        if (pipe(ready) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            char ok = (fd >= 0 && flock(fd, shared ? LOCK_SH : LOCK_EX) == 0) ? '1' : '0';
            if (write(ready[1], &ok, 1) != 1)
                _exit(1);
            struct timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
            nanosleep(&pause, nullptr);
            _exit(0);
        }
        char ok = '0';
        if (m_pid > 0 && read(ready[0], &ok, 1) == 1)
            m_held = ok == '1';
        close(ready[0]);
        close(ready[1]);
    }
    ~MutexHolder() { Release(); }
    bool Held() const { return m_held; }
    void Release() {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

private:
    pid_t m_pid = -1;
    bool m_held = false;
};
