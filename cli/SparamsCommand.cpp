#include "CliSupport.h"
#include "SParameterWriter.h"

#include <string>

// zeltacli sparams: the two Touchstone files of the S-parameter command, written into a
// folder.
int RunSparamsAllCommand(CCliSession& session, const CliArguments& arguments);

int RunSparamsCommand(CCliSession& session, const CliArguments& arguments) {
    for (const std::string& word : arguments) {
        if (word == "--all" || word.rfind("--all=", 0) == 0)
            return RunSparamsAllCommand(session, arguments);
    }
    if (arguments.size() != 2)
        return UsageError("sparams takes a part number and an output folder");
    const std::string& part = arguments[0];
    const std::string& folder = arguments[1];
    if (folder.empty())
        return UsageError("sparams needs a non-empty output folder");

    const CapacitorRecord* record = session.LoadPart(part);
    if (record == nullptr || !CheckFileNamePart(record->partNumber, folder))
        return kExitFailure;
    // The writer shows its own message (cannot open / cannot write) through the session.
    if (WriteSParameterFiles(folder, *record, session.Sink(), session.Strings()) != 0)
        return kExitFailure;
    return kExitSuccess;
}
