#include "ElfImage.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <elf.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

#if UINTPTR_MAX == 0xffffffffffffffffu
using Ehdr = Elf64_Ehdr;
using Phdr = Elf64_Phdr;
constexpr unsigned char kClass = ELFCLASS64;
#else
using Ehdr = Elf32_Ehdr;
using Phdr = Elf32_Phdr;
constexpr unsigned char kClass = ELFCLASS32;
#endif

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr unsigned char kByteOrder = ELFDATA2LSB;
#else
constexpr unsigned char kByteOrder = ELFDATA2MSB;
#endif

#if defined(__x86_64__)
constexpr std::uint16_t kMachine = EM_X86_64;
#elif defined(__i386__)
constexpr std::uint16_t kMachine = EM_386;
#elif defined(__aarch64__)
constexpr std::uint16_t kMachine = EM_AARCH64;
#elif defined(__arm__)
constexpr std::uint16_t kMachine = EM_ARM;
#elif defined(__riscv)
constexpr std::uint16_t kMachine = EM_RISCV;
#elif defined(__powerpc64__)
constexpr std::uint16_t kMachine = EM_PPC64;
#elif defined(__s390x__)
constexpr std::uint16_t kMachine = EM_S390;
#elif defined(__loongarch__)
constexpr std::uint16_t kMachine = EM_LOONGARCH;
#else
#error "the processor of this machine has no ELF machine number here"
#endif

// offset + length <= size, without overflow.
bool Inside(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
    return offset <= size && length <= size - offset;
}

// The check itself: `headers` holds the first `available` bytes of a file of `size` bytes,
// at least the file header and the program header table.
bool CheckHeaders(const unsigned char* data, std::uint64_t available, std::uint64_t size,
                  ElfImage::Kind kind) {
    using ElfImage::Kind;
    if (data == nullptr || available < sizeof(Ehdr) || available > size) {
        return false;
    }
    Ehdr header;
    std::memcpy(&header, data, sizeof header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != kClass ||
        header.e_ident[EI_DATA] != kByteOrder || header.e_ident[EI_VERSION] != EV_CURRENT ||
        header.e_version != EV_CURRENT || header.e_machine != kMachine) {
        return false;
    }
    // Position-independent programs are shared objects with an entry point.
    const bool typeFits =
        kind == Kind::Executable
            ? header.e_type == ET_EXEC || (header.e_type == ET_DYN && header.e_entry != 0)
            : header.e_type == ET_DYN;
    if (!typeFits || header.e_phentsize != sizeof(Phdr) || header.e_phnum == 0 ||
        header.e_phnum == PN_XNUM || header.e_phoff < sizeof(Ehdr) ||
        !Inside(header.e_phoff, std::uint64_t(header.e_phnum) * sizeof(Phdr), available)) {
        return false;
    }
    int loadable = 0;
    for (unsigned i = 0; i < header.e_phnum; ++i) {
        Phdr segment;
        std::memcpy(&segment, data + header.e_phoff + i * sizeof(Phdr), sizeof segment);
        if (segment.p_type != PT_LOAD) {
            continue;
        }
        if (!Inside(segment.p_offset, segment.p_filesz, size) ||
            segment.p_filesz > segment.p_memsz) {
            return false;
        }
        ++loadable;
    }
    return loadable > 0;
}

} // namespace

namespace ElfImage {

bool IsComplete(const unsigned char* data, std::uint64_t size, Kind kind) {
    return CheckHeaders(data, size, size, kind);
}

bool IsCompleteFile(const std::string& path, Kind kind) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool complete = false;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        const auto size = static_cast<std::uint64_t>(info.st_size);
        // Only the headers are read: a few kilobytes at most, whatever the file's size.
        std::vector<unsigned char> head(
            static_cast<std::size_t>(std::min<std::uint64_t>(size, sizeof(Ehdr))));
        if (pread(fd, head.data(), head.size(), 0) == static_cast<ssize_t>(head.size()) &&
            head.size() == sizeof(Ehdr)) {
            Ehdr header;
            std::memcpy(&header, head.data(), sizeof header);
            const std::uint64_t tableEnd =
                std::uint64_t(header.e_phoff) + std::uint64_t(header.e_phnum) * sizeof(Phdr);
            if (header.e_phoff >= sizeof(Ehdr) && tableEnd >= sizeof(Ehdr) && tableEnd <= size &&
                tableEnd <= (1u << 20)) {
                head.resize(static_cast<std::size_t>(tableEnd));
                const auto rest = static_cast<ssize_t>(tableEnd - sizeof(Ehdr));
                complete = pread(fd, head.data() + sizeof(Ehdr), static_cast<std::size_t>(rest),
                                 sizeof(Ehdr)) == rest &&
                           CheckHeaders(head.data(), tableEnd, size, kind);
            }
        }
    }
    close(fd);
    return complete;
}

} // namespace ElfImage
