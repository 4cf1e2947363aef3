#include "MessageBox.h"

#include "DialogTemplate.h"

#include <QApplication>
#include <QWidget>

namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

} // namespace

int ShowPlainMessageBox(const MessageBoxRequest& request) {
    QWidget* owner = request.owner != nullptr ? request.owner : QApplication::focusWidget();
    QString caption = request.caption;
    if (caption.isEmpty()) {
        caption = ResourceString(57344);
    }
    QMessageBox box(request.icon, caption, request.text, request.buttons, owner);
    return box.exec();
}

int AppMessageBox(const MessageBoxRequest& request) {
    if (Handler()) {
        return Handler()(request);
    }
    return ShowPlainMessageBox(request);
}

int AppMessageBox(const QString& text, QMessageBox::Icon icon,
                  QMessageBox::StandardButtons buttons) {
    MessageBoxRequest request;
    request.text = text;
    request.icon = icon;
    request.buttons = buttons;
    return AppMessageBox(request);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

QMessageBox::Icon ToBoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::Warning;
}

void CMessageBoxSink::ShowMessage(int /*stringId*/, MessageIcon icon, const std::string& text) {
    // The loaders' texts end in "\n" as the message boxes of the original design did.
    AppMessageBox(QString::fromStdString(text), ToBoxIcon(icon));
}
