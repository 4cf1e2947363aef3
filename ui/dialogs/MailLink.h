#pragma once

#include <QWidget>

#include <functional>

class QLabel;

// An e-mail address that behaves like a link: a pointing hand over it, an underline while the
// pointer is over it, and a click opens a new message to it with the user's mail program.
class CMailLink : public QWidget {
public:
    explicit CMailLink(QWidget* parent = nullptr);

    // Takes the place of `label`: same parent, position, size and text; the label is removed.
    static CMailLink* TakeOver(QLabel* label);

    void SetText(const QString& text) { m_text = text; }
    QString Text() const { return m_text; }
    bool IsHover() const { return m_hover; }

    // What a click does with "mailto:<address>"; the platform's URL opener by default.
    void SetOpener(std::function<void(const QString&)> opener) { m_opener = std::move(opener); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void SetHover(bool hover);

    QString m_text;
    bool m_hover = false;
    std::function<void(const QString&)> m_opener;
};
