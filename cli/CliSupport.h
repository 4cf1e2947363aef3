#pragma once

#include "CCapacitorStore.h"
#include "Messages.h"

#include <memory>
#include <string>
#include <vector>

// Exit statuses of zeltacli.
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1; // the program's own message is on standard error
constexpr int kExitUsage = 2;   // the usage text follows on standard error

using CliArguments = std::vector<std::string>;

// Shows the program's messages as text lines on standard error.
class CStderrMessageSink : public IMessageSink {
public:
    void ShowMessage(int stringId, MessageIcon icon, const std::string& text) override;
};

// Writes `text` on standard error, ending it with a newline unless it has one.
void PrintError(const std::string& text);

// When the program shows `part` at another temperature than `asked` (°C) — above the part's
// limit, at its limit; a wet tantalum part at 25 °C only — says so on standard error:
// "zeltacli: <part> is shown at its limit of 125 °C, not at 150 °C".
void NoteShownTemperature(const CapacitorRecord& part, double asked, double shown);

// Reports a wrong command line: prints `complaint` and returns kExitUsage, after which
// main prints the usage text.
int UsageError(const std::string& complaint);

// What every command works with: the data folder, the program's string table (the resource
// library's) and the store loaded from it exactly as the program's start-up loads it.
class CCliSession {
public:
    CCliSession(std::string dataDirectory, const IStringTable& strings);
    // Without --data: the data folder is the first of `searchFolders` that holds cap.vorn (the
    // current folder, then the installation's data folders), as the program's start-up finds it.
    CCliSession(std::vector<std::string> searchFolders, const IStringTable& strings);

    const std::string& DataDirectory() const { return m_dataDirectory; }

    // Loads cap.vorn and vorncap.lib from the data folder. kExitSuccess, or kExitFailure after
    // the loader's message has been printed.
    int LoadStore();

    CCapacitorStore& Store() { return *m_store; }
    IMessageSink& Sink() { return m_sink; }
    const IStringTable& Strings() const { return *m_strings; }

    // The catalogue record whose part number is exactly `partNumber`; null after printing
    // "Capacitor <part> is not in the catalogue" when there is none.
    const CapacitorRecord* FindPart(const std::string& partNumber) const;

    // LoadStore, then FindPart: the one part a command works on, or null once the loader's or
    // the catalogue's message has been printed (the command then ends with kExitFailure).
    const CapacitorRecord* LoadPart(const std::string& partNumber);

private:
    std::string m_dataDirectory;
    std::vector<std::string> m_searchFolders;
    CStderrMessageSink m_sink;
    const IStringTable* m_strings;
    std::unique_ptr<CCapacitorStore> m_store; // large: keep it off the stack
};

// One zeltacli command: its name, its argument synopsis, a one-line description and its entry
// point, which gets the arguments after the command name.
struct CliCommand {
    const char* name;
    const char* arguments;
    const char* description;
    int (*run)(CCliSession& session, const CliArguments& arguments);
};

// ---- Checked output and safe file names, for every command --------------------------------

// Writes `text` to standard output. False, after printing why on standard error, when it
// cannot be written (a full disk, a closed or broken output).
bool WriteOutput(const std::string& text);

// printf to standard output with the same check as WriteOutput.
bool PrintOutput(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Flushes and closes standard output once a command has finished: data that reached only
// the buffer so far is written now. kExitSuccess, or kExitFailure after printing why on
// standard error when any write to standard output failed.
int FinishOutput();

// True when `partNumber` can begin a file name in `folder`. Otherwise prints that it would
// name a file outside the folder and returns false; the command then ends with kExitFailure.
bool CheckFileNamePart(const std::string& partNumber, const std::string& folder);

// A command-line number in the C form ("12.5", "-55", "1e3"), whatever the user's locale.
bool ReadOptionNumber(const std::string& text, double* value);
