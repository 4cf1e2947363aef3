#pragma once

#include "ImpedanceSearch.h"

#include <QDialog>
#include <QString>

#include <vector>

class IFilterCatalogue;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
struct CapacitorRecord;

// Find by impedance: the parts, and how many of each in parallel, that keep |Z|/n at or under
// a target over a band at a temperature, searched over the whole catalogue with the same
// search zeltacli find runs. The answer is a sortable table; OK takes the chosen row's part.
class CFindImpedanceDlg : public QDialog {
public:
    // Control ids of the dialog's fields, for the program and its tests.
    enum Control {
        IDC_TARGET = 1101,
        IDC_FROM = 1102,
        IDC_TO = 1103,
        IDC_TEMPERATURE = 1104,
        IDC_MAX_COUNT = 1105,
        IDC_RIPPLE = 1106,
        IDC_RIPPLE_AT = 1107,
        IDC_MIN_VOLTAGE = 1108,
        IDC_TECHNOLOGY = 1109,
        IDC_SEARCH = 1110,
        IDC_COPY = 1111,
        IDC_TABLE = 1112,
        IDC_STATUS = 1113,
        IDC_ONE_PER_MODEL = 1114,
    };

    CFindImpedanceDlg(const IFilterCatalogue& catalogue, QWidget* parent = nullptr);

    // Builds the controls with the resource library's texts; `temperature` is the selected
    // temperature the search starts at.
    void Initialise(double temperature);

    // Reads the fields and searches. False, with the reason in the status line and the table
    // left as it was, when a field does not hold a usable value.
    bool Search();

    // The table as CSV, in the order it is shown (the same columns as zeltacli find's CSV).
    QString TableCsv() const;
    // Puts TableCsv on the clipboard.
    void CopyTable();

    // The part of the chosen row, or null.
    const CapacitorRecord* Chosen() const;
    const std::vector<ImpedanceMatch>& Matches() const { return m_matches; }
    const ImpedanceQuery& Query() const { return m_query; }

    void accept() override;

private:
    bool ReadQuery(ImpedanceQuery& query, QString& problem) const;
    void FillTable();
    void UpdateButtons();
    int MatchOfRow(int row) const;

    const IFilterCatalogue& m_catalogue;
    ImpedanceQuery m_query;
    std::vector<ImpedanceMatch> m_matches;
    QLineEdit* m_target = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QLineEdit* m_temperature = nullptr;
    QSpinBox* m_maxCount = nullptr;
    QLineEdit* m_ripple = nullptr;
    QLineEdit* m_rippleAt = nullptr;
    QLineEdit* m_minVoltage = nullptr;
    QComboBox* m_technology = nullptr;
    QCheckBox* m_onePerModel = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_copy = nullptr;
};
