#include "FindImpedanceDlg.h"

#include "CapacitorRecord.h"
#include "DialogTemplate.h"
#include "FilterCatalogue.h"
#include "FindTable.h"
#include "TableText.h"
#include "TechnologyTable.h"
#include "TextLines.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

// Texts of the dialog in the resource library.
enum FindString {
    kStrTitle = 34100,
    kStrTarget = 34101,
    kStrFrom = 34102,
    kStrTo = 34103,
    kStrTemperature = 34104,
    kStrMaxCount = 34105,
    kStrRipple = 34106,
    kStrRippleAt = 34107,
    kStrMinVoltage = 34108,
    kStrTechnology = 34109,
    kStrSearch = 34110,
    kStrCopy = 34111,
    kStrOnePerModel = 34112,
    kStrFirstHeading = 34113, // 34113 .. 34121: n .. n x ripple
    kStrBadValue = 34122,
    kStrBandReversed = 34123,
    kStrBandEmpty = 34124,
    kStrRippleOutside = 34125,
    kStrFound = 34126,
    kStrNoneFound = 34127,
};

constexpr int kColumnCount = 9;
constexpr int kMatchRole = Qt::UserRole + 1;

// A cell that sorts by the number it shows, not by its text.
class CNumberItem : public QTableWidgetItem {
public:
    CNumberItem(const QString& text, double key) : QTableWidgetItem(text) {
        setData(Qt::UserRole, key);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

QString Fill(QString format, const QString& a, const QString& b = QString()) {
    const int first = format.indexOf(QLatin1Char('%'));
    if (first >= 0 && first + 1 < format.size()) {
        format.replace(first, 2, a);
        const int second = format.indexOf(QLatin1Char('%'), first + a.size());
        if (second >= 0 && second + 1 < format.size())
            format.replace(second, 2, b);
    }
    return format;
}

// A label of the form without the unit in brackets, for messages.
QString FieldName(int stringId) {
    QString text = ResourceString(stringId);
    const int bracket = text.indexOf(QLatin1String(" ["));
    return bracket < 0 ? text : text.left(bracket);
}

QLineEdit* Edit(QWidget* parent, int id, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::number(id));
    return edit;
}

} // namespace

CFindImpedanceDlg::CFindImpedanceDlg(const IFilterCatalogue& catalogue, QWidget* parent)
    : QDialog(parent), m_catalogue(catalogue) {}

void CFindImpedanceDlg::Initialise(double temperature) {
    setWindowTitle(ResourceString(kStrTitle));
    m_target = Edit(this, IDC_TARGET, QString());
    m_target->setPlaceholderText(QStringLiteral("20m"));
    m_from = Edit(this, IDC_FROM, QStringLiteral("100k"));
    m_to = Edit(this, IDC_TO, QStringLiteral("1M"));
    m_temperature = Edit(this, IDC_TEMPERATURE, QString::number(temperature, 'g', 6));
    m_maxCount = new QSpinBox(this);
    m_maxCount->setObjectName(QString::number(IDC_MAX_COUNT));
    m_maxCount->setRange(1, 1000);
    m_maxCount->setValue(10);
    m_ripple = Edit(this, IDC_RIPPLE, QString());
    m_rippleAt = Edit(this, IDC_RIPPLE_AT, QString());
    m_minVoltage = Edit(this, IDC_MIN_VOLTAGE, QString());
    m_technology = new QComboBox(this);
    m_technology->setObjectName(QString::number(IDC_TECHNOLOGY));
    for (int i = 0; i < kTechnologyCount; ++i)
        m_technology->addItem(ResourceString(GetTechnologyRow(i)->stringId));
    m_onePerModel = new QCheckBox(ResourceString(kStrOnePerModel), this);
    m_onePerModel->setObjectName(QString::number(IDC_ONE_PER_MODEL));

    // Two columns of fields: the target and its band on the left, the constraints on the right.
    auto* left = new QFormLayout;
    left->addRow(ResourceString(kStrTarget), m_target);
    left->addRow(ResourceString(kStrFrom), m_from);
    left->addRow(ResourceString(kStrTo), m_to);
    left->addRow(ResourceString(kStrTemperature), m_temperature);
    left->addRow(ResourceString(kStrMaxCount), m_maxCount);
    auto* right = new QFormLayout;
    right->addRow(ResourceString(kStrRipple), m_ripple);
    right->addRow(ResourceString(kStrRippleAt), m_rippleAt);
    right->addRow(ResourceString(kStrMinVoltage), m_minVoltage);
    right->addRow(ResourceString(kStrTechnology), m_technology);
    right->addRow(QString(), m_onePerModel);
    auto* fields = new QHBoxLayout;
    fields->addLayout(left);
    fields->addSpacing(16);
    fields->addLayout(right);

    auto* search = new QPushButton(ResourceString(kStrSearch), this);
    search->setObjectName(QString::number(IDC_SEARCH));
    search->setDefault(true);
    connect(search, &QPushButton::clicked, this, [this] { Search(); });
    m_status = new QLabel(this);
    m_status->setObjectName(QString::number(IDC_STATUS));
    m_status->setWordWrap(true);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(search);
    searchRow->addWidget(m_status, 1);

    m_table = new QTableWidget(0, kColumnCount, this);
    m_table->setObjectName(QString::number(IDC_TABLE));
    QStringList headings;
    for (int c = 0; c < kColumnCount; ++c)
        headings << ResourceString(kStrFirstHeading + c);
    m_table->setHorizontalHeaderLabels(headings);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnHidden(kColumnCount - 1, true);
    m_table->setMinimumSize(720, 260);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });

    auto* buttons = new QDialogButtonBox(this);
    m_copy = buttons->addButton(ResourceString(kStrCopy), QDialogButtonBox::ActionRole);
    m_copy->setObjectName(QString::number(IDC_COPY));
    m_copy->setAutoDefault(false);
    connect(m_copy, &QPushButton::clicked, this, [this] { CopyTable(); });
    m_ok = buttons->addButton(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("1"));
    m_ok->setAutoDefault(false);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFindImpedanceDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFindImpedanceDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(searchRow);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    UpdateButtons();
}

bool CFindImpedanceDlg::ReadQuery(ImpedanceQuery& q, QString& problem) const {
    const auto value = [&](const QLineEdit* edit, int label, double* out, bool optional) {
        const std::string text = edit->text().trimmed().toStdString();
        if (optional && text.empty()) {
            *out = 0.0;
            return true;
        }
        if (ReadQuantityArgument(text, out) && std::isfinite(*out))
            return true;
        problem = Fill(ResourceString(kStrBadValue), FieldName(label));
        return false;
    };
    if (!value(m_target, kStrTarget, &q.maxImpedance, false) ||
        !value(m_from, kStrFrom, &q.fromFrequency, false) ||
        !value(m_to, kStrTo, &q.toFrequency, false))
        return false;
    if (!(q.maxImpedance > 0.0)) {
        problem = Fill(ResourceString(kStrBadValue), FieldName(kStrTarget));
        return false;
    }
    double temperature = 0.0;
    if (!ParseNumber(m_temperature->text().trimmed().toStdString(), temperature) ||
        !(temperature >= -55.0) || !std::isfinite(temperature)) {
        problem = Fill(ResourceString(kStrBadValue), FieldName(kStrTemperature));
        return false;
    }
    q.temperature = temperature;
    q.maxCount = m_maxCount->value();
    if (!value(m_ripple, kStrRipple, &q.rippleCurrent, true) || q.rippleCurrent < 0.0) {
        problem = Fill(ResourceString(kStrBadValue), FieldName(kStrRipple));
        return false;
    }
    q.rippleFrequency = 0.0;
    if (q.rippleCurrent > 0.0 && !value(m_rippleAt, kStrRippleAt, &q.rippleFrequency, false))
        return false;
    if (!value(m_minVoltage, kStrMinVoltage, &q.minVoltage, true) || q.minVoltage < 0.0) {
        problem = Fill(ResourceString(kStrBadValue), FieldName(kStrMinVoltage));
        return false;
    }
    q.onePerModel = m_onePerModel->isChecked();
    switch (CheckImpedanceQuery(q)) {
    case QueryProblem::kQueryOk:
        return true;
    case QueryProblem::kBandReversed:
        problem = ResourceString(kStrBandReversed);
        return false;
    case QueryProblem::kBandEmpty:
        problem = ResourceString(kStrBandEmpty);
        return false;
    case QueryProblem::kRippleFrequencyOutsideGrid:
        problem = ResourceString(kStrRippleOutside);
        return false;
    default:
        problem = Fill(ResourceString(kStrBadValue), FieldName(kStrTarget));
        return false;
    }
}

bool CFindImpedanceDlg::Search() {
    ImpedanceQuery query;
    QString problem;
    if (!ReadQuery(query, problem)) {
        m_status->setText(problem);
        return false;
    }
    std::vector<const CapacitorRecord*> parts;
    const int technology = m_technology->currentIndex();
    for (int i = 0; i < m_catalogue.GetCount(); ++i) {
        const CapacitorRecord* record = m_catalogue.GetAt(static_cast<unsigned>(i));
        if (record != nullptr && MatchesTechnology(technology, *record))
            parts.push_back(record);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_matches = FindImpedanceMatches(parts, query);
    QApplication::restoreOverrideCursor();
    m_query = query;
    FillTable();
    const QString searched = QString::number(parts.size());
    m_status->setText(m_matches.empty() ? Fill(ResourceString(kStrNoneFound), searched)
                                        : Fill(ResourceString(kStrFound),
                                               QString::number(m_matches.size()), searched));
    return true;
}

void CFindImpedanceDlg::FillTable() {
    m_table->setSortingEnabled(false);
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(m_matches.size()));
    const bool ripple = m_query.rippleCurrent > 0.0;
    m_table->setColumnHidden(kColumnCount - 1, !ripple);
    for (size_t i = 0; i < m_matches.size(); ++i) {
        const ImpedanceMatch& m = m_matches[i];
        const std::vector<std::string> cells = FindTableCells(m, m_query);
        // Sort keys of the numeric columns; the texts sort as text.
        const double keys[kColumnCount] = {static_cast<double>(m.count),
                                           m.worstImpedance,
                                           m.worstFrequency,
                                           0.0,
                                           m.record->capacitance,
                                           m.record->ratedVoltage,
                                           0.0,
                                           0.0,
                                           m.rippleCapacity};
        const int row = static_cast<int>(i);
        for (int c = 0; c < static_cast<int>(cells.size()) && c < kColumnCount; ++c) {
            const QString text = QString::fromStdString(cells[static_cast<size_t>(c)]);
            const bool textual = c == 3 || c == 6 || c == 7;
            QTableWidgetItem* item =
                textual ? new QTableWidgetItem(text) : new CNumberItem(text, keys[c]);
            if (c == 0)
                item->setData(kMatchRole, row);
            m_table->setItem(row, c, item);
        }
    }
    m_table->resizeColumnsToContents();
    // The search's own ranking stays until the user sorts by a column.
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    if (!m_matches.empty())
        m_table->selectRow(0);
    UpdateButtons();
}

int CFindImpedanceDlg::MatchOfRow(int row) const {
    const QTableWidgetItem* item = m_table->item(row, 0);
    if (item == nullptr)
        return -1;
    const int index = item->data(kMatchRole).toInt();
    return index >= 0 && index < static_cast<int>(m_matches.size()) ? index : -1;
}

QString CFindImpedanceDlg::TableCsv() const {
    std::vector<ImpedanceMatch> shown;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const int index = MatchOfRow(row);
        if (index >= 0)
            shown.push_back(m_matches[static_cast<size_t>(index)]);
    }
    return QString::fromStdString(FindCsvTable(shown, m_query));
}

void CFindImpedanceDlg::CopyTable() {
    if (m_matches.empty())
        return;
    QApplication::clipboard()->setText(TableCsv());
}

const CapacitorRecord* CFindImpedanceDlg::Chosen() const {
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    const int index = MatchOfRow(selected.first()->row());
    return index < 0 ? nullptr : m_matches[static_cast<size_t>(index)].record;
}

void CFindImpedanceDlg::UpdateButtons() {
    m_ok->setEnabled(Chosen() != nullptr);
    m_copy->setEnabled(!m_matches.empty());
}

void CFindImpedanceDlg::accept() {
    // Enter or a double click must not get past a disabled OK.
    if (Chosen() == nullptr)
        return;
    QDialog::accept();
}
