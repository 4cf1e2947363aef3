#pragma once

#include "Graph.h"
#include "GraphHost.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMouseEvent>

#include <functional>
#include <vector>

// A host standing in for the graph window and main frame: records what the view sends and,
// like the main frame, lets the picking view follow its own picks.
class FakeGraphHost : public IGraphHost {
public:
    std::vector<CursorInfo> picks;
    bool follow = true;
    double followY = 1.0;
    int queryAnswer = -1;
    double queryPoint[2] = {0.0, 0.0};
    std::function<int(QPainter*)> onPrintPage;
    bool composingDuringPrint = false;

    int GraphPick(CGraph& view, CursorInfo& cursor) override {
        picks.push_back(cursor);
        if (follow) {
            CursorInfo copy = cursor;
            copy.y = followY;
            view.TrackCursor(copy);
        }
        return 0;
    }
    int GraphPrintPage(QPainter* surface) override {
        composingDuringPrint = CGraph::composingPage;
        return onPrintPage ? onPrintPage(surface) : -1;
    }
    int GraphQueryPoint(CGraph&, double point[2]) override {
        point[0] = queryPoint[0];
        point[1] = queryPoint[1];
        return queryAnswer;
    }
};

inline void SendMouse(QWidget& widget, QEvent::Type type, int x, int y) {
    const QPointF pos(x, y);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, pos, widget.mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

inline bool IsColour(const QImage& image, int x, int y, const QColor& colour) {
    return QColor(image.pixel(x, y)) == colour;
}

// Whether any pixel of the box (x0..x1, y0..y1) is dark (text, lines).
inline bool HasDarkPixel(const QImage& image, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}
