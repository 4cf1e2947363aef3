#include "AtomicFile.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <random>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
// Room for ".", ".", eight random letters and ".tmp" within a file name of 255 bytes.
constexpr std::size_t kMaxBaseInTemporary = 200;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Eight letters or digits that another thread, run or machine sharing the folder does not
// repeat: a generator per thread, seeded from the system's entropy, the process, the thread
// and the clock.
std::string RandomLetters() {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 generator = [] {
        std::uint64_t seed =
            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        seed ^= static_cast<std::uint64_t>(::getpid()) << 32;
        seed ^= std::hash<std::thread::id>()(std::this_thread::get_id());
        try {
            std::random_device device;
            seed ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
        } catch (...) {
            // The clock, process and thread still make the seed unique enough.
        }
        return std::mt19937_64(seed);
    }();
    std::string letters(8, 'a');
    for (char& c : letters)
        c = kLetters[generator() % (sizeof kLetters - 1)];
    return letters;
}

// Creates "<folder>/.<base>.<random>.tmp" exclusively with `mode` (less the umask); the name
// goes into `path`. The descriptor, or -1 with errno set.
int CreateTemporary(const std::string& folder, const std::string& base, mode_t mode,
                    std::string& path) {
    const std::string stem =
        folder + (folder.back() == '/' ? "." : "/.") + base.substr(0, kMaxBaseInTemporary) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = stem + RandomLetters() + ".tmp";
        const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (descriptor >= 0)
            return descriptor;
        if (errno != EEXIST)
            break;
    }
    path.clear();
    return -1;
}

int CloseDescriptor(int descriptor) {
    // After EINTR Linux has closed the descriptor already; retrying could close another's.
    if (::close(descriptor) != 0 && errno != EINTR)
        return errno;
    return 0;
}

} // namespace

CAtomicFile::CAtomicFile(std::string path, AtomicFileOptions options)
    : m_path(std::move(path)), m_options(options) {}

CAtomicFile::~CAtomicFile() {
    Discard();
}

bool CAtomicFile::Open() {
    Discard();
    m_error = 0;
    m_buffer.clear();
    if (m_path.empty() || m_path.back() == '/')
        return Fail(EISDIR);

    // A symbolic link stays a link: the file it points to is the one replaced.
    m_target = m_path;
    struct stat info {};
    if (::lstat(m_path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* resolved = ::realpath(m_path.c_str(), nullptr)) {
            m_target = resolved;
            std::free(resolved);
        }
    }
    const bool exists = ::stat(m_target.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode))
        return Fail(EISDIR);
    if (exists && !S_ISREG(info.st_mode)) {
        // A device or a pipe (/dev/null, a FIFO a script reads) is written as it is: it holds
        // no earlier file to keep, and replacing it would take it away from everyone.
        m_descriptor = ::open(m_target.c_str(), O_WRONLY | O_CLOEXEC);
        m_direct = m_descriptor >= 0;
        return m_direct || Fail(errno);
    }

    const mode_t mode = m_options.ownerOnly ? 0600 : 0666;
    const int descriptor = CreateTemporary(FolderOf(m_target), BaseOf(m_target), mode, m_temporary);
    if (descriptor < 0)
        return Fail(errno);
    m_descriptor = descriptor;
    // A replaced file keeps its permissions; one holding a password is the owner's alone.
    const mode_t wanted = m_options.ownerOnly ? 0600 : (info.st_mode & 0777);
    if ((m_options.ownerOnly || (exists && S_ISREG(info.st_mode))) &&
        ::fchmod(m_descriptor, wanted) != 0) {
        const int error = errno;
        Discard();
        return Fail(error);
    }
    return true;
}

bool CAtomicFile::Write(const char* data, std::size_t size) {
    if (m_descriptor < 0)
        return Fail(EBADF);
    if (m_error != 0)
        return false;
    m_buffer.append(data, size);
    return m_buffer.size() < kBufferSize || Flush();
}

bool CAtomicFile::Flush() {
    std::size_t written = 0;
    while (written < m_buffer.size()) {
        const ssize_t n =
            ::write(m_descriptor, m_buffer.data() + written, m_buffer.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Fail(n < 0 ? errno : EIO);
        written += static_cast<std::size_t>(n);
    }
    m_buffer.clear();
    return true;
}

bool CAtomicFile::Commit() {
    if (m_descriptor < 0)
        return Fail(EBADF);
    bool ok = m_error == 0 && Flush();
    if (ok && m_options.durable && ::fsync(m_descriptor) != 0)
        ok = Fail(errno);
    // A file system may report a failed write only when the file is closed.
    const int closeError = CloseDescriptor(m_descriptor);
    m_descriptor = -1;
    if (ok && closeError != 0)
        ok = Fail(closeError);
    if (ok && !m_direct && ::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        ok = Fail(errno);
    if (!ok) {
        Discard();
        return false;
    }
    m_temporary.clear();
    const bool direct = m_direct;
    m_direct = false;
    if (m_options.durable && !direct) {
        // The rename itself lasts once the folder's entry is on the disk.
        const int folder = ::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
    return true;
}

void CAtomicFile::Discard() {
    m_direct = false;
    if (m_descriptor >= 0) {
        CloseDescriptor(m_descriptor);
        m_descriptor = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
    m_buffer.clear();
}

std::string CAtomicFile::ErrorText() const {
    return std::system_category().message(m_error != 0 ? m_error : EIO);
}

bool CAtomicFile::Fail(int error) {
    if (m_error == 0)
        m_error = error != 0 ? error : EIO;
    return false;
}

bool WriteFileAtomically(const std::string& path, const std::string& text,
                         const AtomicFileOptions& options, int* error, bool* opened) {
    CAtomicFile file(path, options);
    const bool open = file.Open();
    if (opened != nullptr)
        *opened = open;
    const bool ok = open && file.Write(text) && file.Commit();
    if (error != nullptr)
        *error = ok ? 0 : file.Error();
    return ok;
}

bool CanCreateFilesIn(const std::string& folder, int* error) {
    struct stat info {};
    if (folder.empty()) {
        *error = ENOENT;
        return false;
    }
    if (::stat(folder.c_str(), &info) != 0) {
        *error = errno;
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        *error = ENOTDIR;
        return false;
    }
    std::string probe;
    const int descriptor = CreateTemporary(folder, "write-probe", 0600, probe);
    if (descriptor < 0) {
        *error = errno;
        return false;
    }
    ::close(descriptor);
    ::unlink(probe.c_str());
    *error = 0;
    return true;
}
