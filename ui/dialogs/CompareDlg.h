#pragma once

#include <QDialog>

struct CapacitorRecord;
class QAbstractButton;
class QLabel;

// Picks the two capacitors of a comparison. OK is possible only once both are set.
class CCompareDlg : public QDialog {
public:
    explicit CCompareDlg(QWidget* parent = nullptr);

    // The pair the comparison starts from (null for none) and the main frame's current part.
    void SetCapacitors(const CapacitorRecord* first, const CapacitorRecord* second);
    void SetCurrentCapacitor(const CapacitorRecord* current) { m_current = current; }

    bool Initialise(); // false when the template is missing

    const CapacitorRecord* Capacitor1() const { return m_capacitor1; }
    const CapacitorRecord* Capacitor2() const { return m_capacitor2; }

    void accept() override;
    void UpdateTexts();
    void SelectCapacitor1(); // button 1054
    void SelectCapacitor2(); // button 1055

private:
    const CapacitorRecord* m_current = nullptr;
    const CapacitorRecord* m_lastChosen = nullptr;
    const CapacitorRecord* m_capacitor1 = nullptr;
    const CapacitorRecord* m_capacitor2 = nullptr;
    QLabel* m_line1 = nullptr; // control 1056
    QLabel* m_line2 = nullptr; // control 1057
    QAbstractButton* m_ok = nullptr;
};

// Runs the selection dialog on template 150 as a modal picker owned by `owner`, starting at
// `start`. Returns 1 with `chosen` set to the picked record (possibly null) on OK; 2 with
// `chosen` null when it was cancelled or could not be created.
int SelectForCompare(QWidget* owner, const CapacitorRecord* start, const CapacitorRecord*& chosen);

// The comparison command's dialog: true with both records set when it ended with OK and a pair.
bool RunCompareDialog(QWidget* parent, const CapacitorRecord* current,
                      const CapacitorRecord*& first, const CapacitorRecord*& second);
