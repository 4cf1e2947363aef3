#include "SelectDlg.h"

#include "CapacitorRecord.h"
#include "DialogResources.h"
#include "DialogTemplate.h"
#include "SelectDetails.h"
#include "TextFormat.h"
#include "UpdateViaInternet.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

// The capacitor list holds only record pointers; a row's texts are made when it is drawn.
class CCapacitorListModel : public QAbstractTableModel {
public:
    explicit CCapacitorListModel(const CSelectFilterEngine& engine, QObject* parent)
        : QAbstractTableModel(parent), m_engine(engine) {}

    void Reset() {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : m_engine.Rows().GetCount();
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : kCapacitorColumns;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return QVariant();
        }
        return QString::fromStdString(m_engine.GetRowText(index.row(), index.column()));
    }

private:
    const CSelectFilterEngine& m_engine;
};

namespace {

// Control of each filter list, in the engine's list order.
constexpr int kComboIds[kFilterListCount] = {1042, 1003, 1004, 1005, 1002, 1007, 1008};

// Detail controls 1010 to 1017 and the ESR heading 1046.
void SetLabel(QWidget* root, int id, const std::string& text) {
    if (auto* label = Control<QLabel>(root, id)) {
        label->setText(QString::fromStdString(text));
    }
}

} // namespace

CSelectDlg::CSelectDlg(const IFilterCatalogue* catalogue, const IStringTable* strings,
                       QWidget* parent)
    : QDialog(parent), m_engine(strings), m_strings(strings) {
    m_engine.SetCatalogue(catalogue);
}

CSelectDlg::~CSelectDlg() = default;

QComboBox* CSelectDlg::FilterCombo(FilterListId list) const {
    return m_combos[int(list)];
}

bool CSelectDlg::Create(int templateId) {
    if (!AdoptTemplate(this, templateId)) {
        return false;
    }
    for (int i = 0; i < kFilterListCount; ++i) {
        m_combos[i] = Control<QComboBox>(this, kComboIds[i]);
        if (m_combos[i] == nullptr) {
            return false;
        }
    }
    m_list = Control<QTreeView>(this, 1006);
    if (m_list == nullptr) {
        return false;
    }
    if (DialogResources() != nullptr) {
        setWindowIcon(QIcon(DialogResources()->LoadBitmap(128)));
    }
    m_picture = Control<QLabel>(this, 1009);
    if (m_picture != nullptr) {
        m_picture->hide();
    }

    m_model = new CCapacitorListModel(m_engine, this);
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setItemsExpandable(false);
    m_list->header()->hide();
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int w = m_list->contentsRect().width() - 15;
    const int widths[kCapacitorColumns] = {w * 120 / 255, w * 60 / 255, w * 40 / 255, w * 35 / 255};
    for (int c = 0; c < kCapacitorColumns; ++c) {
        m_list->setColumnWidth(c, widths[c]);
    }
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { OnRowChanged(); });
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this] {
        if (GetSelected() != nullptr) {
            accept();
        }
    });

    if (auto* cases = Control<QPushButton>(this, 1048)) {
        connect(cases, &QPushButton::clicked, this, [this] {
            QDialog chart(this);
            if (AdoptTemplate(&chart, 189)) {
                chart.exec();
            }
        });
    }

    // The update belongs to the main window when there is one; at start-up there is none yet.
    if (auto* update = Control<QPushButton>(this, 1026)) {
        connect(update, &QPushButton::clicked, this, [this] { UpdateViaInternet(parentWidget()); });
    }

    QFont bold = font();
    bold.setBold(true);
    for (int id = 1010; id <= 1017; ++id) {
        if (auto* label = Control<QLabel>(this, id)) {
            label->setFont(bold);
        }
    }

    for (int i = 0; i < kFilterListCount; ++i) {
        const FilterListId list = FilterListId(i);
        if (list == FilterListId::Technology) {
            connect(m_combos[i], qOverload<int>(&QComboBox::currentIndexChanged), this,
                    [this, list](int index) { OnFilterChosen(list, index); });
        } else {
            connect(m_combos[i], qOverload<int>(&QComboBox::activated), this,
                    [this, list](int index) { OnFilterChosen(list, index); });
        }
    }
    m_engine.Initialise();
    MirrorLists();
    return true;
}

void CSelectDlg::OnFilterChosen(FilterListId list, int index) {
    if (m_mirroring) {
        return;
    }
    m_engine.SelectItem(list, index);
    FillLists(1);
}

void CSelectDlg::MirrorLists() {
    m_mirroring = true;
    for (int i = 0; i < kFilterListCount; ++i) {
        const CFilterList& list = m_engine.GetList(FilterListId(i));
        QComboBox* combo = m_combos[i];
        combo->clear();
        for (const std::string& item : list.Items()) {
            combo->addItem(QString::fromStdString(item));
        }
        combo->setCurrentIndex(list.GetSelected());
    }
    m_mirroring = false;
}

void CSelectDlg::FillLists(int save) {
    m_list->setUpdatesEnabled(false);
    m_engine.FillLists(save);
    m_model->Reset();
    MirrorLists();
    const int row = m_engine.GetSelectedRow();
    if (row >= 0) {
        m_list->setCurrentIndex(m_model->index(row, 0));
    }
    m_list->setUpdatesEnabled(true);
    UpdateDetails();
}

int CSelectDlg::LoadPictures() {
    if (DialogResources() == nullptr) {
        return -1;
    }
    for (int id : kSeriesPictureLoadOrder) {
        QPixmap picture = DialogResources()->LoadBitmap(id);
        if (picture.isNull()) {
            return -1;
        }
        m_pictures[id] = picture;
    }
    if (m_picture != nullptr) {
        m_picture->show();
    }
    return 0;
}

void CSelectDlg::SelectRecord(const CapacitorRecord* record) {
    m_engine.SelectRecord(record);
    const int row = m_engine.GetSelectedRow();
    if (row >= 0) {
        const QModelIndex index = m_model->index(row, 0);
        m_list->setCurrentIndex(index);
        m_list->scrollTo(index);
    }
    m_list->setFocus();
    UpdateDetails();
}

void CSelectDlg::OnRowChanged() {
    const QModelIndex current = m_list->currentIndex();
    m_engine.SelectRow(current.isValid() ? current.row() : -1);
    UpdateDetails();
}

void CSelectDlg::UpdateDetails() {
    const CapacitorRecord* record = GetSelected();
    const SelectDetails details = FormatDetails(record, m_strings);
    SetLabel(this, 1010, details.partNumber);
    SetLabel(this, 1011, details.caseSize);
    SetLabel(this, 1012, details.capacitance);
    SetLabel(this, 1013, details.voltage);
    SetLabel(this, 1014, details.dclMax);
    SetLabel(this, 1015, details.dfMax);
    SetLabel(this, 1016, details.esrMax);
    SetLabel(this, 1017, details.esl);
    SetLabel(this, 1046, details.esrHeading);
    if (auto* ok = Control<QPushButton>(this, 1)) {
        ok->setEnabled(record != nullptr);
    }
    if (auto* cases = Control<QPushButton>(this, 1048)) {
        cases->setEnabled(record != nullptr);
    }
    int pictureId = 0;
    if (record != nullptr) {
        pictureId = SeriesPictureId(record->series);
    } else {
        pictureId = FilterPictureId(m_engine.GetComboText(FilterListId::Series),
                                    m_engine.GetList(FilterListId::Technology).GetSelected());
    }
    const auto found = m_pictures.find(pictureId);
    if (m_picture != nullptr && found != m_pictures.end()) {
        m_picture->setPixmap(found->second);
    }
}

void CSelectDlg::accept() {
    if (GetSelected() == nullptr) {
        return;
    }
    if (m_onConfirmed) {
        m_onConfirmed();
    }
    QDialog::accept();
}
