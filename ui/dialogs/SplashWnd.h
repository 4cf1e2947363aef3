#pragma once

#include <QBasicTimer>
#include <QDialog>

class CVersionPicture;
class QEventLoop;

// The start-up picture. It stays on top of every window while the program loads, shows the
// wait cursor, and waits out the rest of the minimum splash time unless it is clicked.
class CSplashWnd : public QDialog {
public:
    static constexpr int kTimerId = 4660;
    static constexpr int kWidth = 654;
    static constexpr int kHeight = 442;

    explicit CSplashWnd(QWidget* parent = nullptr);
    ~CSplashWnd() override;

    // Builds the window from template 130 and shows it; false when the template is missing.
    bool Create();

    // Runs a modal loop until `ms` milliseconds have passed or the splash is clicked.
    void Wait(int ms);
    bool IsWaiting() const { return m_loop != nullptr; }

    // Moves the window out of (false) or into (true) the topmost layer.
    void SetTopmost(bool topmost);

    CVersionPicture* Picture() const { return m_picture; }

protected:
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void reject() override;

private:
    void EndWait();

    CVersionPicture* m_picture = nullptr; // control 1018
    QBasicTimer m_timer;
    QEventLoop* m_loop = nullptr;
};
