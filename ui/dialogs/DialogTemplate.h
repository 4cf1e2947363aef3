#pragma once

#include <QMargins>
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

// Width a window needs so that the window manager's title bar shows `title` whole beside its
// buttons; 0 for no title.
int TitleBarWidth(const QString& title);

// The window manager's frame around `window`: the real one once the window is shown and
// framed, otherwise an estimate of a common title bar and border (none for a frameless one).
QMargins WindowFrameMargins(const QWidget* window);

// Fixes `dialog` at its present size, widened for its title where the title needs it (the
// controls move to the middle of the added width). A template dialog runs this every time it
// is shown, so a size its class sets before showing is the one kept.
void FixDialogSize(QDialog* dialog);

// The control with numeric id `id` under `root`, or null.
template <typename T> T* Control(const QWidget* root, int id) {
    return root->findChild<T*>(QString::number(id));
}

// The string `id` of the resource source; empty when there is no source or no such string.
QString ResourceString(int id);
