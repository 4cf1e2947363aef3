#pragma once

#include <QComboBox>

// A drop-down filter list of the selection dialog. Confirming a choice (a click in the open
// list, Enter, or the arrow keys on the closed box) sends message 1580 to the parent, which
// then refills every list; merely closing the drop-down does nothing.
class CFilterCombo : public QComboBox {
public:
    explicit CFilterCombo(QWidget* parent = nullptr);

    // Puts a new CFilterCombo in place of `combo` (same name, geometry, font, items and
    // selection, same position in the tab order) and deletes `combo`.
    static CFilterCombo* Replace(QComboBox* combo);
};
