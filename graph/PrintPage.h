#pragma once

#include "GraphKind.h"

#include <array>
#include <string>

class CGraph;
class IGraphResources;
class QPainter;

// One graph window as the printed page sees it: open or not, and its view (a window without
// an active view is open but skipped).
struct PrintPageWindow {
    bool open = false;
    CGraph* view = nullptr;
};

struct PrintPageInput {
    std::array<PrintPageWindow, kGraphKindCount> windows; // indexed by GraphKind
    std::string description;                              // the main frame's part-number text
    const IGraphResources* resources = nullptr;           // logo and footer texts
};

// Composes the page of all open graphs on `surface`: the views in the order capacitance, ESR,
// impedance, DF, ripple voltage, ripple current, leakage current, each drawn into a cell of the
// table for their count, with the header (logo, product name, capacitor) and the footer (maker
// lines and the software version). The page is 1130 logical units wide on a landscape device
// and 800 otherwise. Returns 0, or -1 without a surface or without an open window.
int ComposePrintPage(QPainter* surface, const PrintPageInput& input);

// The footer's version text: `format` (string 34015, "Software version: %.1f") filled with the
// version. A text whose conversions are not exactly one floating-point conversion is shown as
// it stands rather than handed to printf.
std::string FormatVersionText(const std::string& format, double version);

// The page width and height of the last composition's device, for callers that place things
// on the same page.
void PrintPageSize(const QPainter& surface, int& pageWidth, int& pageHeight);
