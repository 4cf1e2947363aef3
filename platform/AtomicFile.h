#pragma once

#include <cstddef>
#include <string>

// Files that appear only complete. The content goes into a temporary file of its own in the
// target's folder (a hidden name that no other writer, run or thread picks), which is renamed
// over the target once everything is written. A reader, a simulator or a second run sees the
// earlier file or the new one, never a part of either; a write that fails or is abandoned
// leaves the earlier file as it was and removes its temporary file. A target that is a device
// or a pipe is written in place. Only a process killed
// outright can leave a temporary ".<name>.<random>.tmp" behind, never a cut-off file under the
// target's name. Plain POSIX, no Qt: the computation layers write through it as well.

struct AtomicFileOptions {
    // Created readable and writable by its owner only (a file that holds a password), from the
    // first byte on. Otherwise a new file gets the usual permissions (0666 less the umask) and
    // a replaced file keeps those it had.
    bool ownerOnly = false;
    // Flushed to the disk before the rename and the folder after it, so that the new content
    // survives a power cut too. Costs milliseconds per file: for settings, not for batches.
    bool durable = false;
};

class CAtomicFile {
public:
    explicit CAtomicFile(std::string path, AtomicFileOptions options = {});
    ~CAtomicFile(); // discards the temporary file unless Commit succeeded
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Creates the temporary file. False when the folder does not take files or the target is
    // a folder; Error() says why.
    bool Open();
    // Appends `size` bytes (buffered). False once any write failed (a full disk, a file-size
    // limit); later calls do nothing.
    bool Write(const char* data, std::size_t size);
    bool Write(const std::string& text) { return Write(text.data(), text.size()); }
    // Writes what is buffered, closes the temporary file and renames it over the target.
    // False, with the temporary file removed and the target untouched, on any failure.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();

    // The file to write into, for writers that open it by name themselves (a picture
    // library): the temporary file, or the target itself when that is a device or a pipe.
    // Empty before Open. Whatever they wrote there goes into place at Commit.
    const std::string& WritingPath() const { return m_direct ? m_target : m_temporary; }
    // The file renamed over: the target, or what a symbolic link there points to.
    const std::string& TargetPath() const { return m_target; }
    // errno of the first failure, 0 when there was none.
    int Error() const { return m_error; }
    std::string ErrorText() const;

private:
    bool Flush();
    bool Fail(int error);

    std::string m_path;
    std::string m_target;
    std::string m_temporary;
    AtomicFileOptions m_options;
    int m_descriptor = -1;
    bool m_direct = false; // the target is a device or a pipe, written in place
    int m_error = 0;
    std::string m_buffer;
};

// Writes `text` as the file `path` through a CAtomicFile. False, with `error` set to errno and
// nothing left behind, when the file could not be created (`opened` false) or written.
bool WriteFileAtomically(const std::string& path, const std::string& text,
                         const AtomicFileOptions& options, int* error, bool* opened = nullptr);

// True when this process can create files in `folder`: a temporary file of a name of its own
// is created there and removed at once, so any number of runs may ask at the same time.
// False with `error` set to errno otherwise.
bool CanCreateFilesIn(const std::string& folder, int* error);
