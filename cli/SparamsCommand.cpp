#include "CapacitorRecord.h"
#include "CliOutput.h"
#include "CliSupport.h"
#include "SParameterWriter.h"

#include <string>
#include <vector>

// zeltacli sparams: the two Touchstone files of the S-parameter command, written into a
// folder; with --temperature the same two files computed at that temperature.
int RunSparamsAllCommand(CCliSession& session, const CliArguments& arguments);

int RunSparamsCommand(CCliSession& session, const CliArguments& arguments) {
    for (const std::string& word : arguments) {
        if (word == "--all" || word.rfind("--all=", 0) == 0)
            return RunSparamsAllCommand(session, arguments);
    }
    std::vector<std::string> words;
    std::string temperatureText;
    bool temperatureGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        bool missing = false;
        if (TakeOption(arguments, i, "--temperature", &temperatureText, &missing)) {
            if (missing)
                return UsageError("sparams: --temperature needs a value");
            if (temperatureGiven)
                return UsageError("sparams: --temperature given twice");
            temperatureGiven = true;
        } else if (arguments[i].size() > 1 && arguments[i][0] == '-' && arguments[i][1] == '-') {
            return UsageError("sparams: unknown option " + arguments[i]);
        } else {
            words.push_back(arguments[i]);
        }
    }
    if (words.size() != 2)
        return UsageError("sparams takes a part number and an output folder");
    const std::string& part = words[0];
    const std::string& folder = words[1];
    if (folder.empty())
        return UsageError("sparams needs a non-empty output folder");
    double temperature = 25.0;
    if (temperatureGiven &&
        (!ReadOptionNumber(temperatureText, &temperature) || temperature < -55.0))
        return CommandFailure("--temperature takes degrees Celsius from -55 up, not \"" +
                              temperatureText + "\"");

    const CapacitorRecord* record = session.LoadPart(part);
    if (record == nullptr || !CheckFileNamePart(record->partNumber, folder))
        return kExitFailure;
    if (!temperatureGiven) {
        // The writer shows its own message (cannot open / cannot write) through the session.
        if (WriteSParameterFiles(folder, *record, session.Sink(), session.Strings()) != 0)
            return kExitFailure;
        return kExitSuccess;
    }
    NoteShownTemperature(*record, temperature, SParameterTemperature(*record, temperature));
    std::string texts[2];
    SParameterTextsAt(*record, temperature, texts);
    // The series file first; the shunt file only once it is complete, as without a temperature.
    for (bool shunt : {false, true}) {
        const std::string path = SParameterFileName(folder, record->partNumber, shunt);
        std::string error;
        if (texts[shunt ? 1 : 0].empty())
            return CommandFailure("Cannot write file " + path);
        if (!WriteFileWhole(path, texts[shunt ? 1 : 0], error))
            return CommandFailure(error);
    }
    return kExitSuccess;
}
