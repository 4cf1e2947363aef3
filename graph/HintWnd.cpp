#include "HintWnd.h"

#include <QPainter>

CHintWnd::CHintWnd(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Hint"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(0, 0);
    hide();
}

int CHintWnd::SetTexts(const std::string& line1, const std::string& line2) {
    return m_box.SetTexts(line1, line2);
}

void CHintWnd::MoveBox(int x, int y) {
    if (parentWidget() != nullptr && parentWidget()->width() < x + BoxWidth())
        x = parentWidget()->width() - BoxWidth();
    setGeometry(x, y, BoxWidth(), BoxHeight());
}

void CHintWnd::PaintBox(QPainter& surface) {
    m_box.PaintBox(surface);
}

void CHintWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBox(painter);
}
