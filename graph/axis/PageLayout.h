#pragma once

// Geometry of the printed page of all graphs, in logical page units.

// Page width P = 1130 for a landscape device (horizontal resolution at least the vertical
// one), else 800; Q = P * vertical / horizontal. Returns false when a resolution is not
// positive.
bool PageSize(int horizontalResolution, int verticalResolution, int& pageWidth, int& pageHeight);

// Cell size e x d for n graphs (1 .. 7); false for any other n.
bool PageCellSize(int n, int pageWidth, int pageHeight, int& cellWidth, int& cellHeight);

// Which graph windows are open, for the two placements that leave a cell free.
struct PageOpenWindows {
    bool impedance = false;
    bool capacitance = false;
    bool rippleVoltage = false;
    bool rippleCurrent = false;
};

// Top-left corner of the k-th graph (0-based) of n: columns at x = 10 and e + 20, rows at
// y = 70, d + 80, 2d + 90 and 3d + 100. With three graphs the third moves to the right column
// when the impedance graph is closed and the capacitance graph open; with five graphs the
// fifth moves right when the ripple-current graph is open and the ripple-voltage graph closed.
void PageCellOrigin(int n, int k, int cellWidth, int cellHeight, const PageOpenWindows& open,
                    int& x, int& y);
