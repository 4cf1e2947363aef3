#include "SplashWnd.h"

#include "DialogTemplate.h"
#include "VersionPicture.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTimerEvent>

CSplashWnd::CSplashWnd(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {}

CSplashWnd::~CSplashWnd() {
    EndWait();
}

bool CSplashWnd::Create() {
    if (!AdoptTemplate(this, 130)) {
        return false;
    }
    m_picture = new CVersionPicture(this);
    if (QWidget* area = Control<QWidget>(this, 1018)) {
        area->hide();
        area->setObjectName(QString());
        area->deleteLater();
    }
    m_picture->setObjectName(QStringLiteral("1018"));
    setFixedSize(kWidth, kHeight);
    // Centred on the screen the program starts on (the one under the mouse).
    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - kWidth) / 2, area.top() + (area.height() - kHeight) / 2);
    }
    m_picture->setGeometry(2, 2, 644, 432);
    m_picture->show();
    setCursor(Qt::WaitCursor);
    show();
    m_picture->repaint();
    return true;
}

void CSplashWnd::Wait(int ms) {
    if (m_loop != nullptr) {
        return;
    }
    QEventLoop loop;
    m_loop = &loop;
    m_timer.start(ms < 0 ? 0 : ms, this);
    loop.exec();
    m_loop = nullptr;
}

void CSplashWnd::EndWait() {
    m_timer.stop();
    if (m_loop != nullptr) {
        m_loop->quit();
    }
}

void CSplashWnd::SetTopmost(bool topmost) {
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (visible) {
        show();
    }
}

void CSplashWnd::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timer.timerId()) {
        EndWait();
        return;
    }
    QDialog::timerEvent(event);
}

void CSplashWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        EndWait();
    }
    QDialog::mousePressEvent(event);
}

void CSplashWnd::reject() {
    // Esc only ends the wait; start-up destroys the splash itself.
    EndWait();
}
