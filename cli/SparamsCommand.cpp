#include "CliSupport.h"
#include "SParameterWriter.h"

#include <string>

// zeltacli sparams: the two Touchstone files of the S-parameter command, written into a
// folder.
int RunSparamsCommand(CCliSession& session, const CliArguments& arguments) {
    if (arguments.size() != 2)
        return UsageError("sparams takes a part number and an output folder");
    const std::string& part = arguments[0];
    const std::string& folder = arguments[1];
    if (folder.empty())
        return UsageError("sparams needs a non-empty output folder");

    const int status = session.LoadStore();
    if (status != kExitSuccess)
        return status;
    const CapacitorRecord* record = session.FindPart(part);
    if (record == nullptr || !CheckFileNamePart(record->partNumber, folder))
        return kExitFailure;
    // The writer shows its own message (cannot open / cannot write) through the session.
    if (WriteSParameterFiles(folder, *record, session.Sink(), session.Strings()) != 0)
        return kExitFailure;
    return kExitSuccess;
}
