#pragma once

#include <QRect>
#include <QSize>

#include <vector>

class QMdiArea;
class QMdiSubWindow;

// Where graph windows go inside the multi-document client area. Every rule here keeps a
// window wholly inside the area and, where the area allows it, at least kReadableGraphSize,
// so no command leaves a window as a bare title bar or off the edge.

// The smallest frame at which a graph is still readable (title bar, axes and legend).
constexpr QSize kReadableGraphSize(300, 200);

// The standard place of the index-th window of a cascade: three quarters of the area, its
// top-left corner stepped down and right by one title bar per window, starting again at the
// area's corner once a step would push the window over the edge.
QRect CascadeRect(const QRect& area, int index, int titleBarHeight);

// `frame` moved and, only where needed, grown or shrunk so that it lies inside `area` at a
// readable size.
QRect KeepReadableInside(const QRect& frame, const QRect& area);

// The cells of `count` tiled windows: `horizontal` stacks wide windows in columns of rows,
// otherwise tall windows stand side by side in rows. floor(sqrt(count)) groups, the last
// groups taking one window more for the remainder; where that leaves a window below the
// readable size, the nearest number of groups that does not. When no number of groups gives
// every window the readable size, the windows keep it and overlap, spread evenly.
std::vector<QRect> TileRects(const QRect& area, int count, bool horizontal);

// The client area of `area` in its sub-windows' coordinates.
QRect ClientRect(const QMdiArea* area);
// The height of a graph window's title bar, the step of the cascade.
int TitleBarHeight(const QMdiSubWindow* window);
