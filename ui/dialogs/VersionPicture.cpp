#include "VersionPicture.h"

#include "DialogResources.h"

#include <QPainter>

CVersionPicture::CVersionPicture(QWidget* parent) : QWidget(parent) {
    if (DialogResources() != nullptr) {
        m_picture = DialogResources()->LoadBitmap(144);
    }
}

void CVersionPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(18);
    font.setWeight(QFont::Normal);
    painter.setFont(font);
    const QString text = QStringLiteral("Version %1").arg(kProgramVersion, 0, 'f', 1);
    // A light text over a dark shadow one pixel down and right.
    QRect box(QPoint(520, 3), QPoint(640 - 1, 50 - 1));
    painter.setPen(QColor(34, 34, 34));
    painter.drawText(box, Qt::AlignCenter, text);
    box.translate(-1, -1);
    painter.setPen(QColor(238, 238, 238));
    painter.drawText(box, Qt::AlignCenter, text);
}
