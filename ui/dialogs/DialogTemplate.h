#pragma once

#include <QString>
#include <QWidget>

class QDialog;

// Pixels of `units` horizontal or vertical dialog units of `dialog`, at the base units its
// template was laid out with (MS Sans Serif 8's 6 x 13 when it has none).
int DialogUnitsX(const QWidget* dialog, int units);
int DialogUnitsY(const QWidget* dialog, int units);

// Builds a dialog from its template: the controls of template `templateId` move into `dialog`
// at their template positions, and the dialog takes the template's title and size. Buttons 1
// and 2 become the dialog's confirm and cancel. Returns false when the template is missing.
bool AdoptTemplate(QDialog* dialog, int templateId);

// The control with numeric id `id` under `root`, or null.
template <typename T> T* Control(const QWidget* root, int id) {
    return root->findChild<T*>(QString::number(id));
}

// The string `id` of the resource source; empty when there is no source or no such string.
QString ResourceString(int id);
