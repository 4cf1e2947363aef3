#include "WindowPlacement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include <algorithm>
#include <cmath>

namespace {

// A readable extent that still fits: the wanted one, grown to the readable minimum, never
// beyond the space there is.
int FitExtent(int wanted, int readable, int space) {
    return std::max(1, std::min(std::max(wanted, readable), space));
}

// Start of the i-th of `count` cells of `extent` along `space`: side by side while they fit,
// else spread evenly with overlap so that the last one ends at the far edge.
int CellStart(int i, int count, int extent, int space) {
    if (count <= 1 || extent * count <= space)
        return i * extent;
    return static_cast<int>(static_cast<long long>(i) * (space - extent) / (count - 1));
}

// True when `groups` groups of `count` tiled windows all get at least the readable size.
bool GroupsFit(const QRect& area, int count, int groups, bool horizontal) {
    const int mostInGroup = (count + groups - 1) / groups;
    const int groupSpace = horizontal ? area.width() : area.height();
    const int lineSpace = horizontal ? area.height() : area.width();
    const int groupReadable = horizontal ? kReadableGraphSize.width() : kReadableGraphSize.height();
    const int lineReadable = horizontal ? kReadableGraphSize.height() : kReadableGraphSize.width();
    return groupSpace / groups >= groupReadable && lineSpace / mostInGroup >= lineReadable;
}

// floor(sqrt(count)) groups, unless that leaves a window below the readable size and another
// number of groups (the nearest) does not.
int TileGroups(const QRect& area, int count, bool horizontal) {
    const int usual = std::max(1, static_cast<int>(std::floor(std::sqrt(count))));
    if (GroupsFit(area, count, usual, horizontal))
        return usual;
    for (int distance = 1; distance < count; ++distance) {
        for (int groups : {usual + distance, usual - distance}) {
            if (groups >= 1 && groups <= count && GroupsFit(area, count, groups, horizontal))
                return groups;
        }
    }
    return usual;
}

} // namespace

QRect CascadeRect(const QRect& area, int index, int titleBarHeight) {
    const int width = FitExtent(area.width() * 3 / 4, kReadableGraphSize.width(), area.width());
    const int height = FitExtent(area.height() * 3 / 4, kReadableGraphSize.height(), area.height());
    const int step = std::max(1, titleBarHeight);
    // How many steps fit before a window would cross the right or the bottom edge.
    const int positions =
        std::min((area.width() - width) / step, (area.height() - height) / step) + 1;
    const int offset = (std::max(0, index) % std::max(1, positions)) * step;
    return QRect(area.left() + offset, area.top() + offset, width, height);
}

QRect KeepReadableInside(const QRect& frame, const QRect& area) {
    const int width = FitExtent(frame.width(), kReadableGraphSize.width(), area.width());
    const int height = FitExtent(frame.height(), kReadableGraphSize.height(), area.height());
    const int left = std::clamp(frame.left(), area.left(), area.left() + area.width() - width);
    const int top = std::clamp(frame.top(), area.top(), area.top() + area.height() - height);
    return QRect(left, top, width, height);
}

std::vector<QRect> TileRects(const QRect& area, int count, bool horizontal) {
    std::vector<QRect> cells;
    if (count <= 0 || area.isEmpty())
        return cells;
    const int groups = TileGroups(area, count, horizontal);
    for (int g = 0; g < groups; ++g) {
        const int inGroup = count / groups + (g >= groups - count % groups ? 1 : 0);
        // Along the groups and along the windows of one group.
        const int groupSpace = horizontal ? area.width() : area.height();
        const int lineSpace = horizontal ? area.height() : area.width();
        const int groupReadable =
            horizontal ? kReadableGraphSize.width() : kReadableGraphSize.height();
        const int lineReadable =
            horizontal ? kReadableGraphSize.height() : kReadableGraphSize.width();
        const int groupExtent = FitExtent(groupSpace / groups, groupReadable, groupSpace);
        const int lineExtent = FitExtent(lineSpace / inGroup, lineReadable, lineSpace);
        const int groupStart = CellStart(g, groups, groupExtent, groupSpace);
        for (int i = 0; i < inGroup; ++i) {
            const int lineStart = CellStart(i, inGroup, lineExtent, lineSpace);
            cells.push_back(horizontal ? QRect(area.left() + groupStart, area.top() + lineStart,
                                               groupExtent, lineExtent)
                                       : QRect(area.left() + lineStart, area.top() + groupStart,
                                               lineExtent, groupExtent));
        }
    }
    return cells;
}

QRect ClientRect(const QMdiArea* area) {
    return area != nullptr ? area->viewport()->rect() : QRect();
}

int TitleBarHeight(const QMdiSubWindow* window) {
    if (window == nullptr)
        return 0;
    QStyleOptionTitleBar option;
    option.initFrom(window);
    option.titleBarFlags = window->windowFlags();
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, window);
    const int frame =
        window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, &option, window);
    return titleBar + frame;
}
