#include "CapacitorList.h"

#include "SelectFilterEngine.h"
#include "SelectMessages.h"

#include <QCoreApplication>
#include <QHeaderView>

CCapacitorListModel::CCapacitorListModel(const CSelectFilterEngine& engine, QObject* parent)
    : QAbstractTableModel(parent), m_engine(engine) {}

void CCapacitorListModel::Reset() {
    beginResetModel();
    endResetModel();
}

int CCapacitorListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_engine.Rows().GetCount();
}

int CCapacitorListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kCapacitorColumns;
}

QVariant CCapacitorListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return QVariant();
    }
    ++m_formatted;
    return QString::fromStdString(m_engine.GetRowText(index.row(), index.column()));
}

CCapacitorList::CCapacitorList(const CSelectFilterEngine& engine, QWidget* parent)
    : QTreeView(parent), m_engine(engine), m_model(new CCapacitorListModel(engine, this)) {
    setModel(m_model);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    header()->hide();
    header()->setStretchLastSection(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One click activates a row, whatever the desktop's setting.
    connect(this, &QAbstractItemView::clicked, this, &QAbstractItemView::activated);
}

CCapacitorList* CCapacitorList::Replace(QTreeView* view, const CSelectFilterEngine& engine) {
    QWidget* parent = view->parentWidget();
    auto* list = new CCapacitorList(engine, parent);
    list->setObjectName(view->objectName());
    list->setGeometry(view->geometry());
    list->setFont(view->font());
    for (const QByteArray& name : view->dynamicPropertyNames()) {
        list->setProperty(name.constData(), view->property(name.constData()));
    }
    if (parent != nullptr) {
        QWidget::setTabOrder(view, list);
    }
    list->setVisible(!view->isHidden());
    delete view;
    return list;
}

void CCapacitorList::SetColumnWidths() {
    const int w = contentsRect().width() - 15;
    const int widths[kCapacitorColumns] = {w * 120 / 255, w * 60 / 255, w * 40 / 255, w * 35 / 255};
    for (int c = 0; c < kCapacitorColumns; ++c) {
        setColumnWidth(c, widths[c]);
    }
}

const CapacitorRecord* CCapacitorList::GetSelected() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return nullptr;
    }
    int first = rows.front().row();
    for (const QModelIndex& index : rows) {
        first = std::min(first, index.row());
    }
    return m_engine.Rows().GetAt(first);
}

int CCapacitorList::IndexOf(const CapacitorRecord* record) const {
    return m_engine.Rows().IndexOf(record);
}

void CCapacitorList::SelectRow(int row) {
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clearSelection();
        setCurrentIndex(QModelIndex());
        return;
    }
    setCurrentIndex(m_model->index(row, 0));
    selectionModel()->select(m_model->index(row, 0),
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CCapacitorList::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    PostSelectionMayChange();
}

void CCapacitorList::keyReleaseEvent(QKeyEvent* event) {
    QTreeView::keyReleaseEvent(event);
    PostSelectionMayChange();
}

void CCapacitorList::PostSelectionMayChange() {
    if (QWidget* owner = parentWidget()) {
        QCoreApplication::postEvent(owner, new QEvent(SelectMessage::kSelectionMayChange));
    }
}
