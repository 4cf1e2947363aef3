#pragma once

#include <QEvent>

// The messages between the selection dialog, its lists and its owner. Each travels as an
// event of its own type; 1580 is sent (handled before the send returns), 1581 and 1585 are
// posted (handled when the event loop next runs).
namespace SelectMessage {
// A choice in a filter list was confirmed; the dialog refills its lists and saves them.
constexpr QEvent::Type kFilterChosen = QEvent::Type(QEvent::User + 1580);
// The capacitor list's selection may have changed; the dialog shows the details again.
constexpr QEvent::Type kSelectionMayChange = QEvent::Type(QEvent::User + 1581);
// The user confirmed a capacitor; the owner reads the dialog's selection.
constexpr QEvent::Type kCapacitorConfirmed = QEvent::Type(QEvent::User + 1585);
} // namespace SelectMessage

// The event of message 1580, naming the list whose choice was confirmed.
class CFilterChosenEvent : public QEvent {
public:
    explicit CFilterChosenEvent(QObject* list)
        : QEvent(SelectMessage::kFilterChosen), m_list(list) {}
    QObject* List() const { return m_list; }

private:
    QObject* m_list;
};
