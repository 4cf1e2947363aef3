#include "AtomicFile.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

unsigned Mode(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 0777;
}

// While it lives, no file of this process may grow past `bytes`: a full disk in miniature.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST(AtomicFile, ReplacesWholeOrNotAtAllAndLeavesNoTemporaryFile) {
    const std::string folder = MakeTempDir("atomic");
    const std::string path = folder + "/out.s2p";
    int error = -1;
    ASSERT_TRUE(WriteFileAtomically(path, "first\n", {}, &error));
    EXPECT_EQ(error, 0);
    ::chmod(path.c_str(), 0640);

    // A write that fails half-way (the disk fills) keeps the earlier file.
    const std::string large(200000, 'x');
    {
        CFileSizeLimit full(100000);
        bool opened = false;
        EXPECT_FALSE(WriteFileAtomically(path, large, {}, &error, &opened));
        EXPECT_TRUE(opened);
        EXPECT_EQ(error, EFBIG);
    }
    EXPECT_EQ(ReadAll(path), "first\n");

    // An abandoned write (Discard, or leaving without Commit) keeps it as well.
    {
        CAtomicFile file(path);
        ASSERT_TRUE(file.Open());
        EXPECT_TRUE(file.Write("second, never committed"));
        EXPECT_TRUE(std::filesystem::exists(file.WritingPath()));
    }
    EXPECT_EQ(ReadAll(path), "first\n");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"out.s2p"});

    // A replaced file keeps its permissions; one holding a password is the owner's alone.
    ASSERT_TRUE(WriteFileAtomically(path, large, {}, &error));
    EXPECT_EQ(ReadAll(path), large);
    EXPECT_EQ(Mode(path), 0640u);
    AtomicFileOptions secret;
    secret.ownerOnly = true;
    secret.durable = true;
    ASSERT_TRUE(WriteFileAtomically(folder + "/ZeltaIII.ini", "password=x\n", secret, &error));
    EXPECT_EQ(Mode(folder + "/ZeltaIII.ini"), 0600u);
    EXPECT_EQ(Names(folder), (std::vector<std::string>{"ZeltaIII.ini", "out.s2p"}));
}

TEST(AtomicFile, FoldersLinksAndDevicesAreNeverReplaced) {
    const std::string folder = MakeTempDir("atomic-kinds");
    int error = 0;
    bool opened = true;
    // A folder standing where the file should go, and a folder that does not exist.
    std::filesystem::create_directory(folder + "/taken.lib");
    EXPECT_FALSE(WriteFileAtomically(folder + "/taken.lib", "x", {}, &error, &opened));
    EXPECT_FALSE(opened);
    EXPECT_EQ(error, EISDIR);
    EXPECT_FALSE(WriteFileAtomically(folder + "/absent/a.lib", "x", {}, &error, &opened));
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(Names(folder), std::vector<std::string>{"taken.lib"});

    // A symbolic link stays a link to the replaced file.
    ASSERT_TRUE(WriteFileAtomically(folder + "/real.ini", "old", {}, &error));
    std::filesystem::create_symlink("real.ini", folder + "/link.ini");
    ASSERT_TRUE(WriteFileAtomically(folder + "/link.ini", "new", {}, &error));
    EXPECT_TRUE(std::filesystem::is_symlink(folder + "/link.ini"));
    EXPECT_EQ(ReadAll(folder + "/real.ini"), "new");

    // A device is written in place and stays a device.
    ASSERT_TRUE(WriteFileAtomically("/dev/null", "into nothing", {}, &error));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    if (std::filesystem::is_character_file("/dev/full")) {
        EXPECT_FALSE(WriteFileAtomically("/dev/full", "x", {}, &error, &opened));
        EXPECT_TRUE(opened);
        EXPECT_EQ(error, ENOSPC);
        EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
    }
}

// Threads writing one file and probing its folder at once: every probe succeeds, a reader
// only ever sees one of the complete contents, and the last complete write wins.
TEST(AtomicFile, WritersSideBySideNeverMeet) {
    const std::string folder = MakeTempDir("atomic-side-by-side");
    const std::string path = folder + "/same.s2p";
    std::vector<std::string> contents;
    for (int i = 0; i < 4; ++i)
        contents.push_back(std::string(20000 + 7919 * i, static_cast<char>('a' + i)) + "\n");
    int error = 0;
    ASSERT_TRUE(WriteFileAtomically(path, contents[0], {}, &error));

    std::atomic<int> failures{0};
    std::atomic<bool> stop{false};
    std::thread reader([&] {
        while (!stop) {
            const std::string seen = ReadAll(path);
            if (std::find(contents.begin(), contents.end(), seen) == contents.end())
                ++failures;
        }
    });
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&, t] {
            for (int round = 0; round < 200; ++round) {
                int code = 0;
                if (!CanCreateFilesIn(folder, &code) ||
                    !WriteFileAtomically(path, contents[static_cast<size_t>(t)], {}, &code))
                    ++failures;
            }
        });
    }
    for (std::thread& writer : writers)
        writer.join();
    stop = true;
    reader.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(Names(folder), std::vector<std::string>{"same.s2p"});

    EXPECT_FALSE(CanCreateFilesIn(folder + "/same.s2p", &error));
    EXPECT_EQ(error, ENOTDIR);
    EXPECT_FALSE(CanCreateFilesIn(folder + "/absent", &error));
    EXPECT_EQ(error, ENOENT);
}

} // namespace
