#pragma once

#include "Clipboard.h"

class CMainFrame;

// Serves the clipboard commands of the main frame's menus: "Copy Graph to Clipboard" (32771)
// on the active graph window's view, "Copy Data to Clipboard" (32772) and "Copy All Graphs to
// Clipboard " (32799) on the frame's working state and graph windows. True when `commandId`
// is one of the three, whether or not anything reached the clipboard.
bool ServeClipboardCommand(CMainFrame& frame, int commandId, const ClipboardContext& context);

// The views of the frame's open graph windows, indexed by kind.
GraphViews FrameGraphViews(const CMainFrame& frame);
