#include "ElfImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <elf.h>
#include <unistd.h>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Where the last loadable segment of `image` ends in the file.
std::uint64_t LoadEnd(const Bytes& image) {
    Elf64_Ehdr header;
    std::memcpy(&header, image.data(), sizeof header);
    std::uint64_t end = 0;
    for (unsigned i = 0; i < header.e_phnum; ++i) {
        Elf64_Phdr segment;
        std::memcpy(&segment, image.data() + header.e_phoff + i * sizeof segment, sizeof segment);
        if (segment.p_type == PT_LOAD)
            end = std::max<std::uint64_t>(end, segment.p_offset + segment.p_filesz);
    }
    return end;
}

bool Complete(const Bytes& image, ElfImage::Kind kind = ElfImage::Kind::Executable) {
    return ElfImage::IsComplete(image.data(), image.size(), kind);
}

// This test program is a complete executable of this machine.
const Bytes& Self() {
    static const Bytes self = ReadFile("/proc/self/exe");
    return self;
}

TEST(ElfImage, ThisProgramIsCompleteAndEveryCutInsideItsSegmentsIsNot) {
    const Bytes& self = Self();
    ASSERT_TRUE(Complete(self));
    const std::uint64_t end = LoadEnd(self);
    ASSERT_GT(end, 4096u);
    EXPECT_TRUE(Complete(Bytes(self.begin(), self.begin() + static_cast<long>(end))));
    for (const std::uint64_t cut :
         {std::uint64_t(0), std::uint64_t(3), std::uint64_t(63), std::uint64_t(64),
          std::uint64_t(200), end / 7, end / 3, end / 2, end - 4096, end - 1}) {
        const Bytes truncated(self.begin(), self.begin() + static_cast<long>(cut));
        EXPECT_FALSE(Complete(truncated)) << cut;
    }
}

TEST(ElfImage, RefusesOtherFormatsMachinesAndKinds) {
    const Bytes& self = Self();
    auto changed = [&self](std::size_t offset, unsigned char value) {
        Bytes copy = self;
        copy[offset] = value;
        return copy;
    };
    const std::string script = "#!/bin/sh\necho hello\n";
    struct Case {
        const char* name;
        Bytes image;
    } const cases[] = {
        {"a script", Bytes(script.begin(), script.end())},
        {"empty", Bytes()},
        {"signature", changed(1, 'X')},
        {"word size", changed(EI_CLASS, ELFCLASS32)},
        {"byte order", changed(EI_DATA, ELFDATA2MSB)},
        {"processor", changed(offsetof(Elf64_Ehdr, e_machine), 0x28)},
        {"relocatable object", changed(offsetof(Elf64_Ehdr, e_type), ET_REL)},
        {"program header size", changed(offsetof(Elf64_Ehdr, e_phentsize), 40)},
        {"no program headers", changed(offsetof(Elf64_Ehdr, e_phnum), 0)},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(Complete(c.image)) << c.name;
    // A shared object is not a program (no entry point) and a program is no library.
    Bytes library = self;
    std::memset(library.data() + offsetof(Elf64_Ehdr, e_entry), 0, sizeof(Elf64_Addr));
    EXPECT_TRUE(Complete(library, ElfImage::Kind::SharedObject));
    EXPECT_FALSE(Complete(library, ElfImage::Kind::Executable));
    EXPECT_FALSE(
        Complete(changed(offsetof(Elf64_Ehdr, e_type), ET_EXEC), ElfImage::Kind::SharedObject));
}

TEST(ElfImage, ChecksAFileByItsHeadersAndItsSize) {
    EXPECT_TRUE(ElfImage::IsCompleteFile("/proc/self/exe", ElfImage::Kind::Executable));
    char folder[] = "/tmp/zelta-elf-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(folder));
    const std::string path = std::string(folder) + "/program";
    const Bytes& self = Self();
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(self.data()),
                  static_cast<std::streamsize>(LoadEnd(self) - 1));
    }
    EXPECT_FALSE(ElfImage::IsCompleteFile(path, ElfImage::Kind::Executable));
    EXPECT_FALSE(
        ElfImage::IsCompleteFile(std::string(folder) + "/missing", ElfImage::Kind::Executable));
    EXPECT_FALSE(ElfImage::IsCompleteFile(folder, ElfImage::Kind::Executable));
    unlink(path.c_str());
    rmdir(folder);
}

} // namespace
