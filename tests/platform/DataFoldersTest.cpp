#include "DataFolders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

std::map<std::string, std::string> g_environment;

const char* FakeEnvironment(const char* name) {
    const auto found = g_environment.find(name);
    return found == g_environment.end() ? nullptr : found->second.c_str();
}

struct CandidateCase {
    const char* name;
    std::string current;
    std::string program;
    std::map<std::string, std::string> environment;
    std::vector<std::string> expected;
};

TEST(DataFolders, CandidatesRunFromTheCurrentFolderToTheXdgDataFolders) {
    const std::vector<CandidateCase> cases = {
        {"packaged program, nothing set",
         "/home/ann",
         "/usr/lib/zeltaiii",
         {{"HOME", "/home/ann"}},
         {"/home/ann", "/usr/share/zeltaiii", "/home/ann/.local/share/zeltaiii",
          "/usr/local/share/zeltaiii"}},
        {"a program in bin/ of its prefix",
         "/work",
         "/usr/local/bin/",
         {{"HOME", "/home/ann"}},
         {"/work", "/usr/local/share/zeltaiii", "/home/ann/.local/share/zeltaiii",
          "/usr/share/zeltaiii"}},
        {"XDG folders given; relative entries do not count",
         "/work",
         "/opt/z/bin",
         {{"HOME", "/home/ann"},
          {"XDG_DATA_HOME", "/data/home"},
          {"XDG_DATA_DIRS", "/a:rel/dir::/b/"}},
         {"/work", "/opt/z/share/zeltaiii", "/data/home/zeltaiii", "/a/zeltaiii", "/b/zeltaiii"}},
        {"relative XDG_DATA_HOME falls back to HOME; a folder comes once",
         "/usr/share/zeltaiii/",
         "/usr/lib/zeltaiii",
         {{"HOME", "/root"}, {"XDG_DATA_HOME", "data"}, {"XDG_DATA_DIRS", "/usr/share"}},
         {"/usr/share/zeltaiii", "/root/.local/share/zeltaiii"}},
        {"no current folder, no program folder, no HOME",
         "",
         "",
         {},
         {"/usr/local/share/zeltaiii", "/usr/share/zeltaiii"}},
    };
    for (const CandidateCase& c : cases) {
        g_environment = c.environment;
        EXPECT_EQ(DataFolders::Candidates(c.current, c.program, FakeEnvironment), c.expected)
            << c.name;
    }
}

TEST(DataFolders, FirstHoldingSkipsFoldersWithoutTheFileAndFoldersNamedLikeIt) {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("zelta-datafolders-" + std::to_string(getpid()));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "empty");
    std::filesystem::create_directories(root / "named/cap.vorn"); // a folder, not the file
    std::filesystem::create_directories(root / "data");
    std::ofstream(root / "data/cap.vorn") << "x";
    std::filesystem::create_directories(root / "later");
    std::ofstream(root / "later/cap.vorn") << "x";
    const std::vector<std::string> candidates = {
        (root / "missing").string(), (root / "empty").string(), (root / "named").string(),
        (root / "data").string(), (root / "later").string()};
    EXPECT_EQ(DataFolders::FirstHolding(candidates, "cap.vorn"), (root / "data").string());
    EXPECT_EQ(DataFolders::FirstHolding(candidates, "vorncap.lib"), "");
    EXPECT_EQ(DataFolders::FirstHolding({}, "cap.vorn"), "");
    std::filesystem::remove_all(root);
}

TEST(DataFolders, ProgramFolderIsTheFolderOfTheRunningTest) {
    const std::string folder = DataFolders::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "platform_tests"));
}

} // namespace
