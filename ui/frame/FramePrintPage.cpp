#include "FramePrintPage.h"

#include "CChildFrame.h"
#include "PrintPage.h"

int ComposeFramePage(QPainter* surface, const std::array<CChildFrame*, kGraphKindCount>& windows,
                     const QString& description, const IGraphResources* resources) {
    PrintPageInput input;
    for (int kind = 0; kind < kGraphKindCount; ++kind) {
        input.windows[kind].open = windows[kind] != nullptr;
        input.windows[kind].view =
            windows[kind] != nullptr ? windows[kind]->GetActiveView() : nullptr;
    }
    input.description = description.toStdString();
    input.resources = resources;
    return ComposePrintPage(surface, input);
}
