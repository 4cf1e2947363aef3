#pragma once

#include <cstdint>
#include <string>

// The executable format of this platform (ELF), checked before a file is run or loaded. The
// dynamic loader maps every loadable segment straight from the file: a segment that reaches
// past the end of a truncated file is a bus error at the first touch, not an error code.
namespace ElfImage {

enum class Kind {
    Executable,   // a program (position-dependent or position-independent)
    SharedObject, // a library for dlopen
};

// True when the `size` bytes at `data` form a complete ELF image of `kind` for this machine:
// the signature bytes, this machine's word size, byte order and processor, a program header
// table inside the data, at least one loadable segment and every loadable segment's file
// range inside the data.
bool IsComplete(const unsigned char* data, std::uint64_t size, Kind kind);

// The same for the file at `path`; false when it cannot be read.
bool IsCompleteFile(const std::string& path, Kind kind);

} // namespace ElfImage
