#include "HintBox.h"

#include "FontFaces.h"
#include "TextLimits.h"

#include <QFontMetrics>
#include <QPainter>

CHintBox::CHintBox() : m_pen(QColor(0, 0, 0), 1, Qt::SolidLine), m_brush(QColor(255, 255, 225)) {}

QFont CHintBox::BoxFont() {
    return DrawingFont("MS Sans Serif", 11, QFont::Normal);
}

int CHintBox::SetTexts(const std::string& line1, const std::string& line2) {
    m_line1 = LimitText(line1);
    m_line2 = LimitText(line2);
    const QFontMetrics metrics(BoxFont());
    const int w1 = metrics.horizontalAdvance(QString::fromUtf8(m_line1.c_str()));
    const int w2 = metrics.horizontalAdvance(QString::fromUtf8(m_line2.c_str()));
    m_width = (w1 > w2 ? w1 : w2) + 10;
    m_height = 2 * metrics.height() + 2;
    return m_width;
}

void CHintBox::PaintBox(QPainter& surface) const {
    surface.save();
    surface.setFont(BoxFont());
    surface.setBrush(m_brush);
    surface.setPen(m_pen);
    surface.setBackgroundMode(Qt::TransparentMode);
    // The frame covers the box: its right and bottom lines are the last column/row.
    surface.drawRect(0, 0, m_width - 1, m_height - 1);
    surface.setPen(QColor(0, 0, 0));
    const int half = m_height / 2;
    surface.drawText(QRect(0, 0, m_width, half), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromUtf8(m_line1.c_str()));
    surface.drawText(QRect(0, half, m_width, m_height - half), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromUtf8(m_line2.c_str()));
    surface.restore();
}
