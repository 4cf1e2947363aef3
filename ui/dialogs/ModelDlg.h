#pragma once

#include "EquivalentCircuit.h"

#include <QDialog>

struct CapacitorRecord;
class QPlainTextEdit;
class QTextEdit;

// The equivalent circuit of one capacitor: the picture of its topology and the list of its
// element values at the model's reference temperature. Shows values only; a click on the
// picture closes it.
class CModelDlg : public QDialog {
public:
    explicit CModelDlg(int templateId = kModelLadder, QWidget* parent = nullptr);

    void SetCapacitor(const CapacitorRecord* record) { m_record = record; }

    // Builds the title and the element lines; false when the template is missing.
    bool Initialise();

    // The text set into edit control 1050.
    QString ElementText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowEveryLine(QPlainTextEdit* edit);
    int m_templateId;
    const CapacitorRecord* m_record = nullptr;
    QWidget* m_picture = nullptr;
    QWidget* m_edit = nullptr; // control 1050
};

// The main frame's "E&Q. circuit diagram": the dialog of `record`'s topology, run modally.
void ShowEquivalentCircuit(const CapacitorRecord* record, QWidget* parent);
