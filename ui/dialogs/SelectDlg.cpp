#include "SelectDlg.h"

#include "CapacitorList.h"
#include "CapacitorRecord.h"
#include "CaseSizesDlg.h"
#include "DialogResources.h"
#include "DialogTemplate.h"
#include "FilterCombo.h"
#include "SelectDetails.h"
#include "SelectMessages.h"
#include "TextFormat.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace {

// Control of each filter list, in the engine's list order.
constexpr int kComboIds[kFilterListCount] = {1042, 1003, 1004, 1005, 1002, 1007, 1008};

// Detail controls 1010 to 1017 and the ESR heading 1046.
void SetLabel(QWidget* root, int id, const std::string& text) {
    if (auto* label = Control<QLabel>(root, id)) {
        label->setText(QString::fromStdString(text));
    }
}

CSelectDlg::UpdateHandler& UpdateHandlerSlot() {
    static CSelectDlg::UpdateHandler handler;
    return handler;
}

// The separator above the details area: a grey line over a light grey one.
constexpr int kSeparatorDu = 259;

} // namespace

void CSelectDlg::SetUpdateHandler(UpdateHandler handler) {
    UpdateHandlerSlot() = std::move(handler);
}

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
        QComboBox* combo = Control<QComboBox>(this, kComboIds[i]);
        if (combo == nullptr) {
            return false;
        }
        // The technology list is a plain one; the others tell the dialog of a confirmed choice.
        m_combos[i] =
            FilterListId(i) == FilterListId::Technology ? combo : CFilterCombo::Replace(combo);
    }
    auto* view = Control<QTreeView>(this, 1006);
    if (view == nullptr) {
        return false;
    }
    m_list = CCapacitorList::Replace(view, m_engine);
    m_picture = Control<QLabel>(this, 1009);
    if (m_picture != nullptr) {
        FitPictureBox();
        m_picture->hide();
    }

    m_list->SetColumnWidths();
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { OnRowChanged(); });
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this] {
        if (GetSelected() != nullptr) {
            accept();
        }
    });

    if (auto* cases = Control<QPushButton>(this, 1048)) {
        connect(cases, &QPushButton::clicked, this, [this] { ShowCaseSizes(this, GetSelected()); });
    }

    // The update belongs to the main window when there is one; at start-up there is none yet.
    if (auto* update = Control<QPushButton>(this, 1026)) {
        connect(update, &QPushButton::clicked, this, [this] {
            if (const UpdateHandler handler = UpdateHandlerSlot()) {
                handler(parentWidget());
            }
        });
    }

    QFont bold = font();
    bold.setBold(true);
    for (int id = 1010; id <= 1017; ++id) {
        if (auto* label = Control<QLabel>(this, id)) {
            label->setFont(bold);
        }
    }

    connect(m_combos[int(FilterListId::Technology)],
            qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { OnFilterChosen(FilterListId::Technology, index); });
    m_engine.Initialise();
    MirrorLists();
    return true;
}

// The picture box is exactly one series photograph, whatever the dialog font's units make of
// the template's box. Controls under it in its column (the "Case sizes" button) move down as
// far as it grows into them, staying above the separator.
void CSelectDlg::FitPictureBox() {
    const QRect old = m_picture->geometry();
    const QRect box(old.topLeft(), QSize(kSeriesPictureWidth, kSeriesPictureHeight));
    m_picture->setGeometry(box);
    const int separatorY = DialogUnitsY(this, kSeparatorDu);
    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect g = control->geometry();
        if (control == m_picture || control->isWindow() || g.top() <= old.top() ||
            g.top() >= separatorY || g.right() < box.left() || g.left() > box.right())
            continue;
        const int overlap = box.bottom() + 1 + (g.top() - old.bottom() - 1) - g.top();
        if (overlap > 0)
            control->move(g.x(), std::min(g.y() + overlap, separatorY - g.height()));
    }
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
    m_list->Refill();
    MirrorLists();
    const int row = m_engine.GetSelectedRow();
    m_mirroring = true;
    m_list->SelectRow(row);
    m_mirroring = false;
    m_engine.SelectRow(row);
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
    m_mirroring = true;
    m_list->SelectRow(row);
    m_mirroring = false;
    m_engine.SelectRow(row);
    if (row >= 0) {
        m_list->scrollTo(m_list->Model()->index(row, 0));
    }
    m_list->setFocus();
    UpdateDetails();
}

void CSelectDlg::OnRowChanged() {
    if (m_mirroring) {
        return;
    }
    const CapacitorRecord* selected = m_list->GetSelected();
    m_engine.SelectRow(selected != nullptr ? m_list->IndexOf(selected) : -1);
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
    if (QWidget* owner = parentWidget()) {
        QCoreApplication::postEvent(owner, new QEvent(SelectMessage::kCapacitorConfirmed));
    }
    if (m_onConfirmed) {
        m_onConfirmed();
    }
    QDialog::accept();
}

bool CSelectDlg::event(QEvent* event) {
    if (event->type() == SelectMessage::kFilterChosen) {
        QObject* list = static_cast<CFilterChosenEvent*>(event)->List();
        for (int i = 0; i < kFilterListCount; ++i) {
            if (m_combos[i] == list) {
                OnFilterChosen(FilterListId(i), m_combos[i]->currentIndex());
            }
        }
        return true;
    }
    if (event->type() == SelectMessage::kSelectionMayChange) {
        OnRowChanged();
        return true;
    }
    return QDialog::event(event);
}

void CSelectDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (isMinimized()) {
        const QPixmap icon = windowIcon().pixmap(32, 32);
        painter.drawPixmap((width() - icon.width()) / 2, (height() - icon.height()) / 2, icon);
        return;
    }
    const int separatorY = DialogUnitsY(this, kSeparatorDu);
    painter.setPen(QColor(119, 119, 119));
    painter.drawLine(0, separatorY, width() - 1, separatorY);
    painter.setPen(QColor(238, 238, 238));
    painter.drawLine(0, separatorY + 1, width() - 1, separatorY + 1);
    painter.end();
    QDialog::paintEvent(event);
}
