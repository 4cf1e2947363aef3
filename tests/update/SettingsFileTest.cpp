#include "EnglishStrings.h"
#include "LocalHttpServer.h"
#include "ProfileFile.h"
#include "QtHttpClient.h"
#include "TestEnvironment.h"
#include "UpdateFlow.h"
#include "UpdateTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The settings files edited as the profile functions edit them, and files that are refused.

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteBytes(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(ProfileFile, OneKeyChangesOrIsAddedAndEveryOtherByteStays) {
    const struct {
        const char* name;
        std::string before;
        const char* key;
        const char* value;
        std::string after;
    } cases[] = {
        {"changed in place, CR LF and spelling kept", "; mine\r\n[Zelta]\r\nUseProxy = 0\r\n",
         "useproxy", "1", "; mine\r\n[Zelta]\r\nUseProxy = 1\r\n"},
        {"the same value leaves the line alone", "[zelta]\r\nproxyport =  8080  \r\n", "proxyport",
         "8080", "[zelta]\r\nproxyport =  8080  \r\n"},
        {"added after the section's last line, before its blank lines",
         "[zelta]\r\nuseproxy=1\r\n; end\r\n\r\n[other]\r\nx=1\r\n", "proxyname", "cache",
         "[zelta]\r\nuseproxy=1\r\n; end\r\nproxyname=cache\r\n\r\n[other]\r\nx=1\r\n"},
        {"the key of another section is not ours", "[other]\nproxyname=a\n", "proxyname", "b",
         "[other]\nproxyname=a\n[zelta]\nproxyname=b\n"},
        {"a last line without a line end gets one", "[zelta]\nuseproxy=1", "proxyport", "80",
         "[zelta]\nuseproxy=1\nproxyport=80\n"},
        {"a new file", "", "useproxy", "0", "[zelta]\nuseproxy=0\n"},
        {"lines without a section and a byte-order mark stay",
         "\xEF\xBB\xBFloose line\r\n[zelta]\r\n", "username", "anna",
         "\xEF\xBB\xBFloose line\r\n[zelta]\r\nusername=anna\r\n"},
        {"only the first section of the name", "[zelta]\na=1\n[ZELTA]\nusername=x\n", "username",
         "y", "[zelta]\na=1\nusername=y\n[ZELTA]\nusername=x\n"},
        {"a commented key is no key", "[zelta]\n;password=old\n", "password", "",
         "[zelta]\n;password=old\npassword=\n"},
        {"blanks at the ends are quoted", "[zelta]\nusername=x\n", "username", " Jo ",
         "[zelta]\nusername=\" Jo \"\n"},
        {"a line break cannot add a key", "[zelta]\n", "password", "a\r\nuseproxy=1",
         "[zelta]\npassword=a  useproxy=1\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string after = SetProfileString(c.before, "zelta", c.key, c.value);
        EXPECT_EQ(after, c.after);
        std::string read;
        ASSERT_TRUE(GetProfileString(after, "zelta", c.key, read));
        if (std::string(c.value).find('\n') == std::string::npos) {
            EXPECT_EQ(read, c.value);
        }
    }
}

// The lines of `text` with their line ends.
std::vector<std::string> RawLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t feed = text.find('\n', begin);
        const std::size_t next = feed == std::string::npos ? text.size() : feed + 1;
        lines.push_back(text.substr(begin, next - begin));
        begin = next;
    }
    return lines;
}

std::string Lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The plain reading of one line: "[name]" gives the section, "key=value" a key.
struct Reading {
    bool header = false;
    std::string section;
    std::string key;
    std::string value;
};

std::string Strip(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return "";
    return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

Reading Read(const std::string& line) {
    Reading reading;
    const std::string bare = Strip(line);
    if (!bare.empty() && bare[0] == '[' && bare.back() == ']') {
        reading.header = true;
        reading.section = Lowered(Strip(bare.substr(1, bare.size() - 2)));
    } else if (!bare.empty() && bare[0] != ';' && bare.find('=') != std::string::npos) {
        reading.key = Lowered(Strip(bare.substr(0, bare.find('='))));
        reading.value = Strip(bare.substr(bare.find('=') + 1));
    }
    return reading;
}

// Every key of the text by brute force: section/key -> the first value, in the first section
// of each name.
std::map<std::string, std::string> AllKeys(const std::string& text) {
    std::map<std::string, std::string> keys;
    std::set<std::string> closed;
    std::string section;
    for (const std::string& line : RawLines(text)) {
        const Reading r = Read(line);
        if (r.header) {
            if (!section.empty())
                closed.insert(section);
            section = r.section;
        } else if (!r.key.empty() && !section.empty() && closed.count(section) == 0) {
            keys.emplace(section + "/" + r.key, r.value);
        }
    }
    return keys;
}

// Random settings files as people and programs write them: comments, blank lines, other
// sections, our section once, twice or not at all, keys in any case, CR LF or LF, with or
// without a last line end. Setting one key changes exactly that key, and the lines of the file
// stay, one line changed or one or two added.
TEST(ProfileFile, GeneratedFilesKeepEveryOtherLine) {
    const char* const keys[] = {"useproxy", "ProxyName", "proxyport", "USERNAME", "password"};
    const char* const sections[] = {"zelta", "Zelta", "other", "General"};
    std::mt19937 random(6101);
    for (int n = 0; n < 400; ++n) {
        const std::string end = random() % 2 ? "\r\n" : "\n";
        std::string text;
        const int lineCount = static_cast<int>(random() % 14);
        for (int i = 0; i < lineCount; ++i) {
            switch (random() % 6) {
            case 0:
                text += "; comment " + std::to_string(i);
                break;
            case 1:
                text += "";
                break;
            case 2:
                text += std::string("[") + sections[random() % 4] + "]";
                break;
            default:
                text += std::string(random() % 3 == 0 ? "  " : "") + keys[random() % 5] +
                        (random() % 2 ? " = " : "=") + "v" + std::to_string(random() % 100);
            }
            if (i + 1 < lineCount || random() % 4 != 0)
                text += end;
        }
        const char* key = keys[random() % 5];
        const std::string value = "new" + std::to_string(n);
        SCOPED_TRACE(text);
        const std::string after = SetProfileString(text, "zelta", Lowered(key).c_str(), value);

        std::map<std::string, std::string> expected = AllKeys(text);
        expected["zelta/" + Lowered(key)] = value;
        EXPECT_EQ(AllKeys(after), expected);
        std::string read;
        EXPECT_TRUE(GetProfileString(after, "zelta", key, read));
        EXPECT_EQ(read, value);

        // The earlier lines are all there in order; one of them changed, or the key's line was
        // added (with its section when there was none, and a line end for the last line).
        // A file with no line end yet gets LF ones.
        const std::string used = text.find('\n') == std::string::npos ? "\n" : end;
        const std::vector<std::string> old = RawLines(text), now = RawLines(after);
        std::vector<std::string> rest;
        for (const std::string& line : now) {
            if (now.size() == old.size() || line != Lowered(key) + "=" + value + used)
                rest.push_back(line);
        }
        if (rest.size() == old.size() + 1) {
            EXPECT_EQ(rest.back(), "[zelta]" + used);
            rest.pop_back();
        }
        ASSERT_EQ(rest.size(), old.size());
        size_t differing = 0;
        for (size_t i = 0; i < old.size(); ++i) {
            if (rest[i] != old[i] && !(i + 1 == old.size() && rest[i] == old[i] + used))
                ++differing;
        }
        EXPECT_LE(differing, now.size() == old.size() ? 1u : 0u);
    }
}

class SettingsFileFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Start()); // serves nothing: both checks fail at once
        folder = MakeTempDir("settings-flow");
        WriteBytes(folder + "/ZeltaIII.srv",
                   "[zelta]\r\nhttpserver=" + server.Address().toStdString() +
                       "\r\nhttpserver2=" + server.Address().toStdString() + "\r\n");
    }
    UpdateOutcome Run() {
        return RunUpdate(QString::fromStdString(folder), http, ui, &strings, QByteArray("key"));
    }

    EnglishStrings strings;
    LocalHttpServer server;
    CQtHttpClient http{kTestHttpTimeoutMs};
    ScriptedUpdateUi ui;
    std::string folder;
};

TEST_F(SettingsFileFlowTest, ProxyDialogsOkKeepsCommentsSectionsAndLineEnds) {
    const std::string ini = folder + "/ZeltaIII.ini";
    WriteBytes(ini, "; proxy of the lab, ask Jana\r\n"
                    "[zelta]\r\n"
                    "UseProxy = 0\r\n"
                    "proxyname=old.lab\r\n"
                    "colour=blue\r\n"
                    "\r\n"
                    "[window]\r\n"
                    "x=10\r\n");
    ui.editProxy = [](ProxySettings& settings) {
        EXPECT_EQ(settings.proxyName, "old.lab");
        settings.useProxy = 1;
        settings.proxyName = "new.lab";
        settings.password = "s3cret";
        settings.savePassword = 1;
    };
    EXPECT_EQ(Run(), UpdateOutcome::CheckFailed);
    EXPECT_EQ(ReadBytes(ini), "; proxy of the lab, ask Jana\r\n"
                              "[zelta]\r\n"
                              "UseProxy = 1\r\n"
                              "proxyname=new.lab\r\n"
                              "colour=blue\r\n"
                              "proxyport=0\r\n"
                              "username=\r\n"
                              "password=s3cret\r\n"
                              "savepassword=1\r\n"
                              "\r\n"
                              "[window]\r\n"
                              "x=10\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(ini.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(ui.messages.size(), 1u); // only "Update cannot be checked ..."
}

// A settings file far over the limit is refused from its size alone (a sparse file: nothing
// of it is read), the user is told, and it stays exactly as it was.
TEST_F(SettingsFileFlowTest, AHugeOrUnreadableFileIsRefusedWithAMessageAndLeftAlone) {
    const std::string ini = folder + "/ZeltaIII.ini";
    const int descriptor = ::open(ini.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(::ftruncate(descriptor, 200LL * 1024 * 1024), 0);
    ::close(descriptor);
    struct stat before {};
    ASSERT_EQ(::stat(ini.c_str(), &before), 0);

    SettingsFileStatus status = SettingsFileStatus::Usable;
    const ProxySettings read = ReadProxySettings(QString::fromStdString(ini), &status);
    EXPECT_EQ(status, SettingsFileStatus::TooLarge);
    EXPECT_TRUE(read.proxyName.isEmpty());

    ui.editProxy = [](ProxySettings& settings) { settings.proxyName = "typed.lab"; };
    EXPECT_EQ(Run(), UpdateOutcome::CheckFailed);
    ASSERT_GE(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].toStdString(),
              "The settings file " + ini +
                  " is larger than 1 MB. It is neither read nor changed; the default settings "
                  "are used.");
    struct stat after {};
    ASSERT_EQ(::stat(ini.c_str(), &after), 0);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

    // A server file that cannot be read: the defaults, and the message naming it.
    // A pipe in the file's place neither holds the window nor is replaced.
    ::unlink(ini.c_str());
    ASSERT_EQ(::mkfifo(ini.c_str(), 0644), 0);
    ReadProxySettings(QString::fromStdString(ini), &status);
    EXPECT_EQ(status, SettingsFileStatus::Unreadable);
    EXPECT_FALSE(WriteProxySettings(QString::fromStdString(ini), read));
    ::unlink(ini.c_str());
    ::unlink((folder + "/ZeltaIII.srv").c_str());
    ::mkdir((folder + "/ZeltaIII.srv").c_str(), 0755);
    SettingsFileStatus srv = SettingsFileStatus::Usable;
    const ServerSettings servers =
        ReadServerSettings(QString::fromStdString(folder + "/ZeltaIII.srv"), &srv);
    EXPECT_EQ(srv, SettingsFileStatus::Unreadable);
    EXPECT_EQ(servers.dir1, kDefaultUpdateDir);
    EXPECT_FALSE(WriteProxySettings(QString::fromStdString(folder + "/ZeltaIII.srv"), read));
}

} // namespace
