#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

struct CliRun {
    int status;
    std::string out;
};

CliRun Zeltacli(const std::string& arguments) {
    const std::string command = std::string(ZELTA_BINARY_DIR "/bin/zeltacli --data ") +
                                ZELTA_SOURCE_DIR "/product " + arguments + " 2>&1";
    CliRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 512> buffer{};
    while (std::fgets(buffer.data(), int(buffer.size()), pipe) != nullptr) {
        run.out += buffer.data();
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(ModelCommandTest, PrintsTitleAndTheLinesOfEachTopology) {
    struct Case {
        const char* part;
        int lines; // after the title
        const char* marker;
    };
    for (const Case& c :
         {Case{"QAKA105K050RNJ", 16, "R5 = "}, Case{"QCLA106K006R0100", 12, "R3 = "},
          Case{"QCRC107M004R0050", 13, "Cp = "}}) {
        const CliRun run = Zeltacli(std::string("model ") + c.part);
        ASSERT_EQ(run.status, 0) << run.out;
        EXPECT_EQ(run.out.rfind(std::string("Equivalent circuit diagram of ") + c.part + "\n", 0),
                  0u)
            << run.out;
        int newlines = 0;
        for (char ch : run.out) {
            newlines += ch == '\n';
        }
        EXPECT_EQ(newlines, c.lines + 1) << run.out;
        EXPECT_NE(run.out.find("\nRd = 100 mOhm\n"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(c.marker), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find('\r'), std::string::npos);
    }
}

TEST(ModelCommandTest, UnknownPartIsAClearFailure) {
    const CliRun run = Zeltacli("model NOSUCHPART");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("NOSUCHPART"), std::string::npos) << run.out;
    EXPECT_EQ(Zeltacli("model").status, 2);
}

} // namespace
