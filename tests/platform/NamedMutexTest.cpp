#include "NamedMutex.h"

#include <gtest/gtest.h>

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
