#pragma once

#include "MessageBox.h"

#include <QStringList>

// Collects the message boxes a test provokes instead of showing them.
class MessageRecorder {
public:
    MessageRecorder() {
        m_previous = SetMessageBoxHandler([this](const MessageBoxRequest& r) {
            texts << r.text;
            icons << r.icon;
            return int(QMessageBox::Ok);
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler(m_previous); }
    QStringList texts;
    QList<QMessageBox::Icon> icons;

private:
    MessageBoxHandler m_previous;
};
