#pragma once

#include "HintBox.h"

#include <QWidget>

#include <string>

class QPainter;

// A small child window with two lines of text in a light-yellow box: the value readout that
// follows a dragged cursor, and the picture of the measurement readout.
class CHintWnd : public QWidget {
    Q_OBJECT
public:
    explicit CHintWnd(QWidget* parent = nullptr);

    // Copies both lines (at most 259 characters each), sizes the box to the wider line + 10
    // and the two line heights + 2, and returns the width.
    virtual int SetTexts(const std::string& line1, const std::string& line2);
    // Places the box at (x, y), pulled left so it stays inside the parent's client area.
    virtual void MoveBox(int x, int y);
    // Draws the box: frame over the whole client area, line 1 centred in the upper half and
    // line 2 in the lower half. The painter's state is restored afterwards.
    virtual void PaintBox(QPainter& surface);

    int BoxWidth() const { return m_box.BoxWidth(); }
    int BoxHeight() const { return m_box.BoxHeight(); }
    const std::string& Line1() const { return m_box.Line1(); }
    const std::string& Line2() const { return m_box.Line2(); }

    // The stock variable-pitch font the box measures and writes with.
    static QFont BoxFont() { return CHintBox::BoxFont(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CHintBox m_box;
};
