#pragma once

#include "GraphKind.h"

// The table of the seven graph kinds (GraphKind): it ties each kind to its menu command, its
// template (whose id is also that of its menu, icon and document string) and its window class.

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
inline bool IsFrequencyKind(int kind) {
    return kind >= KindDF && kind <= KindRippleCurrent;
}

// Template ids in the order the application creates its templates at start-up.
constexpr int kTemplateCreationOrder[kGraphKindCount] = {130, 129, 132, 131, 153, 133, 184};
