#include "MailLink.h"

#include "DialogResources.h"
#include "Shell.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

CMailLink::CMailLink(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    if (DialogResources() != nullptr) {
        setCursor(DialogResources()->LoadCursor(147));
    } else {
        setCursor(Qt::PointingHandCursor);
    }
    m_opener = [](const QString& url) { Shell::OpenUrl(url); };
}

CMailLink* CMailLink::TakeOver(QLabel* label) {
    if (label == nullptr) {
        return nullptr;
    }
    auto* link = new CMailLink(label->parentWidget());
    link->setObjectName(label->objectName());
    link->setGeometry(label->geometry());
    link->SetText(label->text());
    link->setVisible(!label->isHidden());
    label->setObjectName(QString());
    label->hide();
    label->deleteLater();
    return link;
}

void CMailLink::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    const QRect r = rect();
    painter.fillRect(r, face);
    // The variable-pitch system font of the dialogs: the dialog's own font as it maps here.
    painter.setFont(font());
    painter.setPen(QColor(0, 0, 255));
    painter.drawText(r, Qt::AlignHCenter | Qt::AlignTop, m_text);
    // The underline along the last pixel row, invisible while the pointer is elsewhere.
    painter.setPen(m_hover ? QColor(0, 0, 255) : face);
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
}

void CMailLink::SetHover(bool hover) {
    if (hover == m_hover) {
        return;
    }
    m_hover = hover;
    repaint();
}

void CMailLink::mouseMoveEvent(QMouseEvent* event) {
    SetHover(rect().contains(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void CMailLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (m_opener) {
            m_opener(QStringLiteral("mailto:") + m_text);
        }
        QApplication::restoreOverrideCursor();
    }
    QWidget::mouseReleaseEvent(event);
}

void CMailLink::leaveEvent(QEvent* event) {
    SetHover(false);
    QWidget::leaveEvent(event);
}

void CMailLink::hideEvent(QHideEvent* event) {
    m_hover = false;
    QWidget::hideEvent(event);
}
