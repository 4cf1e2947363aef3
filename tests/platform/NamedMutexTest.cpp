#include "NamedMutex.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs `check` in a child process, which is another holder as far as flock is concerned,
// and returns its exit status.
template <typename F> int InChild(F check) {
    pid_t pid = fork();
    if (pid == 0)
        _exit(check() ? 0 : 1);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const char* const kName = "Vorn Company ZeltaII Mutex";

} // namespace

TEST(NamedMutex, HeldWhileOwnedAndGoneAfterRelease) {
    EXPECT_FALSE(CNamedMutex::Exists(kName));
    {
        CNamedMutex mutex;
        ASSERT_TRUE(mutex.Create(kName));
        EXPECT_TRUE(mutex.IsOwner());
        // Another process sees it held and, creating it too, does not own it but is not refused.
        EXPECT_EQ(0, InChild([] { return CNamedMutex::Exists(kName); }));
        EXPECT_EQ(0, InChild([] {
                      CNamedMutex second;
                      return second.Create(kName) && !second.IsOwner();
                  }));
    }
    EXPECT_EQ(0, InChild([] { return !CNamedMutex::Exists(kName); }));
}

TEST(NamedMutex, ACrashedHolderNeverBlocks) {
    EXPECT_EQ(0, InChild([] {
                  CNamedMutex* leaked = new CNamedMutex; // never released: the process just ends
                  return leaked->Create("Vorn Company Install ZeltaII Mutex");
              }));
    EXPECT_FALSE(CNamedMutex::Exists("Vorn Company Install ZeltaII Mutex"));
}

TEST(NamedMutex, LockFileNameIsSafe) {
    std::string path = CNamedMutex::LockPath("a/../b c");
    EXPECT_EQ(std::string::npos, path.substr(path.rfind('/') + 1).find('/'));
    EXPECT_NE(std::string::npos, path.find("a_.._b_c.lock"));
}

// Every running copy of the program holds the mutex shared: it exists until the last copy
// ends, and only then does the installer's exclusive attempt succeed.
TEST(NamedMutex, SharedHoldersKeepItUntilTheLastOneEnds) {
    CNamedMutex first;
    CNamedMutex second; // a second open file, as a second process would have
    ASSERT_TRUE(first.CreateShared(kName));
    ASSERT_TRUE(second.CreateShared(kName));
    EXPECT_TRUE(first.IsOwner());
    EXPECT_TRUE(second.IsOwner());
    first.Release();
    EXPECT_TRUE(CNamedMutex::Exists(kName));
    CNamedMutex installer;
    ASSERT_TRUE(installer.Create(kName));
    EXPECT_FALSE(installer.IsOwner());
    second.Release();
    EXPECT_FALSE(CNamedMutex::Exists(kName));
    ASSERT_TRUE(installer.Create(kName));
    EXPECT_TRUE(installer.IsOwner());
    // While the installer holds it, a starting copy does not, and the mutex exists.
    EXPECT_EQ(0, InChild([] {
                  CNamedMutex program;
                  return program.CreateShared(kName) && !program.IsOwner();
              }));
}

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string* value) : m_name(name) {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        if (m_had)
            m_old = old;
        if (value != nullptr)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_had)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had = false;
    std::string m_old;
};

std::string Folder(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

// A folder that others can write is never trusted with the lock: whoever can put a file there
// could hold the lock for good.
TEST(NamedMutex, LockFolderIsPrivateToTheUser) {
    char base[] = "/tmp/zelta-lock-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(base));
    const std::string runtime = std::string(base) + "/runtime";
    const std::string temp = std::string(base) + "/temp";
    const std::string cache = std::string(base) + "/cache";
    const std::string ours = temp + "/zelta-" + std::to_string(getuid());
    mkdir(runtime.c_str(), 0700);
    mkdir(temp.c_str(), 0777);
    mkdir(cache.c_str(), 0700);
    {
        ScopedEnv runtimeEnv("XDG_RUNTIME_DIR", &runtime);
        ScopedEnv tempEnv("TMPDIR", &temp);
        ScopedEnv cacheEnv("XDG_CACHE_HOME", &cache);
        EXPECT_EQ(runtime, Folder(CNamedMutex::LockPath(kName)));

        chmod(runtime.c_str(), 0777); // a runtime folder that others can write
        EXPECT_EQ(ours, Folder(CNamedMutex::LockPath(kName)));
        struct stat info {};
        ASSERT_EQ(0, stat(ours.c_str(), &info));
        EXPECT_EQ(0700u, info.st_mode & 0777u);

        chmod(ours.c_str(), 0777); // made by someone else, open to all
        EXPECT_EQ(cache + "/zelta-" + std::to_string(getuid()),
                  Folder(CNamedMutex::LockPath(kName)));

        chmod(cache.c_str(), 0777);
        chmod((cache + "/zelta-" + std::to_string(getuid())).c_str(), 0777);
        EXPECT_EQ("", CNamedMutex::LockPath(kName));
        CNamedMutex refused;
        EXPECT_FALSE(refused.Create(kName));
    }
    EXPECT_EQ(0, std::system(("rm -rf " + std::string(base)).c_str()));
}
