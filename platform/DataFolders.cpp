#include "DataFolders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace DataFolders {

namespace {

constexpr const char* kDataSubfolder = "zeltaiii";

std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

void AddOnce(std::vector<std::string>& folders, std::string folder) {
    if (folder.empty())
        return;
    folder = WithoutTrailingSlashes(folder);
    for (const std::string& known : folders) {
        if (known == folder)
            return;
    }
    folders.push_back(folder);
}

// The folders of a colon-separated list; relative entries are ignored, as the XDG rules say.
std::vector<std::string> SplitPathList(const std::string& list) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = list.find(':', start);
        const std::string part =
            list.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!part.empty() && part[0] == '/')
            parts.push_back(WithoutTrailingSlashes(part));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return parts;
}

const char* ProcessEnvironment(const char* name) {
    return std::getenv(name);
}

} // namespace

std::vector<std::string> Candidates(const std::string& currentFolder,
                                    const std::string& programFolder,
                                    const char* (*environment)(const char*)) {
    std::vector<std::string> folders;
    AddOnce(folders, currentFolder);
    if (!programFolder.empty()) {
        // The installation's prefix: the folder above bin/, or above lib/zeltaiii/ where the
        // package keeps the program beside its resource library.
        fs::path folder = fs::path(programFolder).lexically_normal();
        if (!folder.has_filename())
            folder = folder.parent_path();
        fs::path prefix = folder.parent_path();
        const std::string above = prefix.filename().string();
        if (folder.filename() == kDataSubfolder &&
            (above == "lib" || above == "lib64" || above == "libexec"))
            prefix = prefix.parent_path();
        AddOnce(folders, (prefix / "share" / kDataSubfolder).string());
    }
    const char* dataHome = environment("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        AddOnce(folders, WithoutTrailingSlashes(dataHome) + "/" + kDataSubfolder);
    } else {
        const char* home = environment("HOME");
        if (home != nullptr && home[0] == '/')
            AddOnce(folders, WithoutTrailingSlashes(home) + "/.local/share/" + kDataSubfolder);
    }
    const char* dataDirs = environment("XDG_DATA_DIRS");
    std::vector<std::string> system = SplitPathList(dataDirs != nullptr ? dataDirs : std::string());
    if (system.empty())
        system = {"/usr/local/share", "/usr/share"};
    for (const std::string& folder : system)
        AddOnce(folders, folder + "/" + kDataSubfolder);
    return folders;
}

std::string ProgramFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return std::string();
    return program.parent_path().string();
}

std::vector<std::string> ForThisProcess() {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    return Candidates(error ? std::string() : current.string(), ProgramFolder(),
                      ProcessEnvironment);
}

std::string FirstHolding(const std::vector<std::string>& candidates, const char* fileName) {
    for (const std::string& folder : candidates) {
        std::error_code error;
        if (fs::is_regular_file(fs::path(folder) / fileName, error))
            return folder;
    }
    return std::string();
}

} // namespace DataFolders
