#include "CliSupport.h"
#include "EquivalentCircuit.h"

#include <string>

// zeltacli model: the equivalent-circuit dialog as text, its title and then one line per
// element, in the dialog's order.
int RunModelCommand(CCliSession& session, const CliArguments& arguments) {
    if (arguments.size() != 1)
        return UsageError("model takes one part number");
    const CapacitorRecord* record = session.LoadPart(arguments[0]);
    if (record == nullptr)
        return kExitFailure;
    std::string text = CircuitTitle(*record) + "\n";
    for (const CircuitLine& line : CircuitLines(*record))
        text += FormatCircuitLine(line) + "\n";
    return WriteOutput(text) ? kExitSuccess : kExitFailure;
}
