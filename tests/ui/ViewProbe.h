#pragma once

#include <QString>

#include <string>

class CChildFrame;
struct CursorInfo;

// What the tests read off a graph window's view, and the mouse they drive it with. Kept in
// its own file so the tests of the computation need not see the view's headers.
namespace probe {

int PointCount(CChildFrame* window);
bool CrosshairShown(CChildFrame* window);
bool ReadoutShown(CChildFrame* window);
std::string HintLine1(CChildFrame* window);
std::string HintLine2(CChildFrame* window);
const CursorInfo& Cursor(CChildFrame* window);
// Presses or releases the left button in the middle of the plot; false when the view has
// no plot to press in.
bool PressInPlot(CChildFrame* window);
void ReleaseInPlot(CChildFrame* window);

} // namespace probe
