#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>

class QWidget;

// Where the dialogs take their templates, texts and pictures from. The application points it
// at the resource library once at start-up; every dialog of the program then finds its
// template and its controls by numeric id, as the library defines them.
class IDialogResources {
public:
    virtual ~IDialogResources() = default;
    // A fresh widget tree of dialog template `id`, parented to `parent`; each control's
    // objectName is its control id as text ("1017"). Null when the template is missing.
    virtual QWidget* LoadDialog(int id, QWidget* parent) = 0;
    virtual QString LoadString(int id) = 0;
    virtual QPixmap LoadBitmap(int id) = 0;
    // The library's cursor `id` with its hot spot; the arrow cursor when it is missing.
    virtual QCursor LoadCursor(int id) = 0;
};

// The resource source of the process; null until the application sets it.
IDialogResources* DialogResources();
void SetDialogResources(IDialogResources* resources);
