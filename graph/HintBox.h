#pragma once

#include <QBrush>
#include <QFont>
#include <QPen>

#include <string>

class QPainter;

// The picture of a hint box: two lines of text in a light-yellow box with a black frame. The
// live hint window shows it on screen; the graph drawing paints the measurement readout with
// it on any surface.
class CHintBox {
public:
    CHintBox();

    // Copies both lines (at most 259 characters each), sizes the box to the wider line + 10
    // and the two line heights + 2, and returns the width.
    int SetTexts(const std::string& line1, const std::string& line2);
    // Draws the box at the surface's origin: frame over the whole box, line 1 centred in the
    // upper half and line 2 in the lower half. The painter's state is restored afterwards.
    void PaintBox(QPainter& surface) const;

    int BoxWidth() const { return m_width; }
    int BoxHeight() const { return m_height; }
    const std::string& Line1() const { return m_line1; }
    const std::string& Line2() const { return m_line2; }

    // The stock variable-pitch font the box measures and writes with.
    static QFont BoxFont();

private:
    std::string m_line1;
    std::string m_line2;
    int m_width = 20;
    int m_height = 20;
    QPen m_pen;
    QBrush m_brush;
};
