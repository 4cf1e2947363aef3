#pragma once

// The seven kinds of graph window. The value indexes the main frame's window slots, and the
// table below ties each kind to its menu command, its template (whose id is also that of its
// menu, icon and document string) and its window class.

enum GraphKind {
    KindDF = 0,
    KindESR = 1,
    KindImpedance = 2,
    KindCapacitance = 3,
    KindRippleVoltage = 4,
    KindRippleCurrent = 5,
    KindDCL = 6,
};

constexpr int kGraphKindCount = 7;

struct GraphKindInfo {
    GraphKind kind;
    int commandId;           // "Show ..." command that toggles the window
    int templateId;          // template, menu, icon and document string id
    const char* windowClass; // class name of the graph window
    const char* documentName;
};

// The row of `kind`; `kind` must be one of the seven values.
const GraphKindInfo& KindInfo(GraphKind kind);

// The kind whose "Show ..." command is `commandId`, or -1.
int KindForCommand(int commandId);

// The kind whose template id is `templateId`, or -1.
int KindForTemplate(int templateId);

// True for the six kinds whose x axis is frequency (every kind but DCL).
inline bool IsFrequencyKind(int kind) { return kind >= KindDF && kind <= KindRippleCurrent; }

// Template ids in the order the application creates its templates at start-up.
constexpr int kTemplateCreationOrder[kGraphKindCount] = {130, 129, 132, 131, 153, 133, 184};
