#pragma once

#include "DialogResources.h"

#include <QColor>
#include <QMap>
#include <QSet>

// Templates built in code with the control ids of the resource library, so the dialogs are
// tested without the library. Templates listed in `missing` fail to load.
class FakeDialogResources : public IDialogResources {
public:
    FakeDialogResources();
    QWidget* LoadDialog(int id, QWidget* parent) override;
    QString LoadString(int id) override { return strings.value(id); }
    QPixmap LoadBitmap(int id) override;
    QCursor LoadCursor(int) override { return QCursor(Qt::PointingHandCursor); }

    // Each bitmap is filled with a colour of its own, so a test can tell which one is shown.
    static QColor BitmapColour(int id);

    QMap<int, QString> strings;
    QMap<int, QSize> bitmapSizes; // sizes other than the library's
    QSet<int> missing;
    QSet<int> missingBitmaps;
};

// Installs a fake for the lifetime of the object.
class ScopedFakeResources {
public:
    ScopedFakeResources() { SetDialogResources(&fake); }
    ~ScopedFakeResources() { SetDialogResources(nullptr); }
    FakeDialogResources fake;
};
