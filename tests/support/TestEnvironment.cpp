#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string g_home;

std::string MakeDirFromTemplate(std::string pattern) {
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder from " + pattern);
    return std::string(buffer.data());
}

} // namespace

void InitTestEnvironment() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("LC_ALL", "C.UTF-8", 1);
    unsetenv("LANGUAGE");
    const char* tmp = std::getenv("TMPDIR");
    std::string base = (tmp != nullptr && *tmp != '\0') ? tmp : "/tmp";
    g_home = MakeDirFromTemplate(base + "/zelta-test-XXXXXX");
    setenv("HOME", g_home.c_str(), 1);
    for (const char* sub : {"config", "data", "cache", "runtime"}) {
        std::string dir = g_home + "/" + sub;
        mkdir(dir.c_str(), 0700);
    }
    setenv("XDG_CONFIG_HOME", (g_home + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (g_home + "/data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (g_home + "/cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (g_home + "/runtime").c_str(), 1);
}

const std::string& TestHome() { return g_home; }

std::string FixturePath(const std::string& relative) {
    return std::string(ZELTA_FIXTURES_DIR) + "/" + relative;
}

std::string MakeTempDir(const std::string& prefix) {
    return MakeDirFromTemplate(g_home + "/" + prefix + "-XXXXXX");
}

std::string GenerateGermanLocale() {
    if (std::system("command -v localedef >/dev/null 2>&1") != 0)
        return std::string();
    const std::string folder = MakeTempDir("locales");
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return folder;
}
