#pragma once

#include <QAbstractTableModel>
#include <QTreeView>

class CSelectFilterEngine;
struct CapacitorRecord;

// The model behind the capacitor list: as many rows as the engine lists, each only a record
// pointer; a row's texts are formatted when the view asks for them, that is when it draws
// the row.
class CCapacitorListModel : public QAbstractTableModel {
public:
    CCapacitorListModel(const CSelectFilterEngine& engine, QObject* parent);

    // The engine's rows changed (refilled or cleared): the view takes the new count.
    void Reset();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // How many cell texts were formatted so far (the list formats only what it shows).
    long long FormattedCells() const { return m_formatted; }

private:
    const CSelectFilterEngine& m_engine;
    mutable long long m_formatted = 0;
};

// The list of capacitors that pass every filter: a report list without header, one row
// selected at a time, the whole row highlighted, the selection kept visible when the list
// loses the focus. After a mouse button or a key is released it posts message 1581 to its
// parent, which then shows the details of the (possibly new) selection.
class CCapacitorList : public QTreeView {
public:
    CCapacitorList(const CSelectFilterEngine& engine, QWidget* parent = nullptr);

    // Puts a new list in place of the template's `view` (same name, geometry and tab
    // position) and deletes `view`.
    static CCapacitorList* Replace(QTreeView* view, const CSelectFilterEngine& engine);

    CCapacitorListModel* Model() const { return m_model; }
    // Row count follows the engine's rows again.
    void Clear() { m_model->Reset(); }
    void Refill() { m_model->Reset(); }
    // Column widths from the list's client width w less 15: 120, 60, 40 and 35 parts of 255.
    void SetColumnWidths();
    // The first selected row's record, or null.
    const CapacitorRecord* GetSelected() const;
    // Row of `record`, 0 when it is not listed.
    int IndexOf(const CapacitorRecord* record) const;
    // Makes `row` the current and selected row (none for a row outside the list).
    void SelectRow(int row);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void PostSelectionMayChange();

    const CSelectFilterEngine& m_engine;
    CCapacitorListModel* m_model;
};
