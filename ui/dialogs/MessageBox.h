#pragma once

#include "Messages.h"

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through AppMessageBox. The application installs the
// handler that applies its start-up rules (a box shown during the splash ends the splash);
// without one, a plain modal QMessageBox is shown, owned by the window that has the focus.
struct MessageBoxRequest {
    QString text;
    QString caption; // empty: the application's title
    QMessageBox::Icon icon = QMessageBox::Warning;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QWidget* owner = nullptr; // null: the window that has the focus
};

using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Shows the box and returns the button pressed (a QMessageBox::StandardButton).
int AppMessageBox(const MessageBoxRequest& request);
int AppMessageBox(const QString& text, QMessageBox::Icon icon = QMessageBox::Warning,
                  QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Replaces the handler; returns the previous one (empty for the plain box).
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The plain box itself, for handlers that add their own rules around it.
int ShowPlainMessageBox(const MessageBoxRequest& request);

QMessageBox::Icon ToBoxIcon(MessageIcon icon);

// The loaders' messages, shown through AppMessageBox.
class CMessageBoxSink : public IMessageSink {
public:
    void ShowMessage(int stringId, MessageIcon icon, const std::string& text) override;
};
