#include "GraphKindTable.h"

namespace {

const GraphKindInfo kKinds[kGraphKindCount] = {
    {KindDF, 32781, 131, "CChildDF", "The graph of DF"},
    {KindESR, 32782, 130, "CChildR", "The graph of ESR"},
    {KindImpedance, 32779, 132, "CChildZ", "The graph of Impedance"},
    {KindCapacitance, 32780, 129, "CChildC", "The graph of Capacitance"},
    {KindRippleVoltage, 32791, 133, "CChildURipple", "The graph of Ripple Voltage"},
    {KindRippleCurrent, 32792, 153, "CChildIRipple", "The graph of Ripple Current"},
    {KindDCL, 32797, 184, "CChildDCL", "The graph of DCL"},
};

} // namespace

const GraphKindInfo& KindInfo(GraphKind kind) {
    return kKinds[static_cast<int>(kind)];
}

int KindForCommand(int commandId) {
    for (const GraphKindInfo& info : kKinds)
        if (info.commandId == commandId)
            return info.kind;
    return -1;
}

int KindForTemplate(int templateId) {
    for (const GraphKindInfo& info : kKinds)
        if (info.templateId == templateId)
            return info.kind;
    return -1;
}
