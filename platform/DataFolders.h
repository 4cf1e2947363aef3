#pragma once

#include <string>
#include <vector>

// Where the program and zeltacli look for cap.vorn and vorncap.lib, in this order: the current
// folder (as the installer's shortcuts start the program there), the installation's data folder
// (share/zeltaiii in the installation's prefix: ../share/zeltaiii from a program in bin/,
// ../../share/zeltaiii from one in lib/zeltaiii/), then zeltaiii under each XDG data folder
// ($XDG_DATA_HOME or ~/.local/share, then $XDG_DATA_DIRS or /usr/local/share:/usr/share).
// Plain C++: the store and zeltacli's session use it without Qt.
namespace DataFolders {

// The candidate folders for `currentFolder` and `programFolder`, in order, each once;
// `environment` answers getenv-style (null for an unset variable).
std::vector<std::string> Candidates(const std::string& currentFolder,
                                    const std::string& programFolder,
                                    const char* (*environment)(const char*));
// The same for this process: its current folder, the folder of its executable and its
// environment. An unreadable current folder is left out.
std::vector<std::string> ForThisProcess();

// The folder of the running executable (symbolic links resolved); empty when unknown.
std::string ProgramFolder();

// The first of `candidates` that holds `fileName` as a file; empty when none does.
std::string FirstHolding(const std::vector<std::string>& candidates, const char* fileName);

} // namespace DataFolders
