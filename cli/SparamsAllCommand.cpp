#include "CapacitorRecord.h"
#include "CliOutput.h"
#include "CliSupport.h"
#include "Messages.h"
#include "PartBatch.h"
#include "SParameterWriter.h"
#include "SelectionFilters.h"

#include <string>
#include <vector>

// zeltacli sparams --all OUTDIR: both Touchstone files of every selected part, in parallel.

namespace {

// Keeps the writer's message of one part for the report at the end.
class CKeptMessage : public IMessageSink {
public:
    void ShowMessage(int /*stringId*/, MessageIcon /*icon*/, const std::string& text) override {
        m_text = text;
        while (!m_text.empty() && m_text.back() == '\n')
            m_text.pop_back();
    }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

} // namespace

int RunSparamsAllCommand(CCliSession& session, const CliArguments& arguments) {
    std::string folder;
    bool all = false;
    SelectionOptions selection;
    for (size_t i = 0; i < arguments.size(); ++i) {
        bool missing = false;
        const int taken = TakeSelectionOption(arguments, i, selection, "sparams");
        if (taken == kExitUsage)
            return taken;
        if (taken == 1)
            continue;
        if (!TakeOption(arguments, i, "--all", &folder, &missing))
            return UsageError("sparams: unknown argument " + arguments[i]);
        if (missing || all)
            return UsageError("sparams: --all takes one output folder");
        all = true;
    }
    if (folder.empty())
        return UsageError("sparams --all needs a non-empty output folder");

    const IStringTable& strings = session.Strings();
    return RunSelectionBatch(session, selection, folder, "S-parameter files",
                             [&](const CapacitorRecord& record, std::string& message) {
                                 // A file that failed leaves the earlier one as it was, and a
                                 // complete series file stays beside a failed shunt file, as
                                 // in the program's own command.
                                 CKeptMessage kept;
                                 if (WriteSParameterFiles(folder, record, kept, strings) == 0)
                                     return true;
                                 message = kept.Text();
                                 return false;
                             });
}
