// The product data is generated, not edited: running the generator again must give the
// committed files byte for byte.

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int RunGenerator(const std::string& arguments) {
    const std::string command =
        std::string("\"") + ZELTA_PRODUCTGEN + "\" " + arguments + " > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ProductGenerator, ReproducesTheShippedFilesByteForByte) {
    const std::string out = MakeTempDir("productgen") + "/out";
    ASSERT_EQ(RunGenerator("\"" + out + "\""), 0);
    for (const char* name : {"cap.vorn", "vorncap.lib", "ZeltaIII.srv"}) {
        const std::string shipped = ReadBytes(std::string(ZELTA_SOURCE_DIR) + "/product/" + name);
        const std::string generated = ReadBytes(out + "/" + name);
        ASSERT_FALSE(shipped.empty()) << name;
        EXPECT_TRUE(generated == shipped) << name << " differs from the generator's output";
    }
}

TEST(ProductGenerator, FailsWhenTheOutputFolderCannotBeMade) {
    const std::string dir = MakeTempDir("productgen");
    std::ofstream(dir + "/file") << "x";
    EXPECT_NE(RunGenerator("\"" + dir + "/file/out\""), 0);
    EXPECT_NE(RunGenerator(""), 0);
}

} // namespace
