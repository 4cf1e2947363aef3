#pragma once

#include "GraphKind.h"

#include <QString>

#include <array>

class CChildFrame;
class IGraphResources;
class QPainter;

// The page of all open graph windows (WM_GRAPH_PRINTPAGE): the windows by kind, the main
// frame's description of the capacitor for the header, and where the logo and footer texts
// come from. 0, or -1 without a surface or without an open window.
int ComposeFramePage(QPainter* surface, const std::array<CChildFrame*, kGraphKindCount>& windows,
                     const QString& description, const IGraphResources* resources);
