// The dialog side of the resource library: templates built into widget trees with Qt UI Tools.
// Kept apart from the tables so that a program without widgets (zeltacli) reads the strings,
// menus and pictures without linking the widget stack.

#include "DialogUnits.h"
#include "ResourceLibrary.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QUiLoader>
#include <QWidget>

std::unique_ptr<QWidget> CResourceLibrary::LoadDialog(int id, QWidget* parent) const {
    const QString path = DialogPath(id);
    if (path.isEmpty())
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    QUiLoader loader;
    std::unique_ptr<QWidget> root(loader.load(&file, parent));
    if (!root)
        return nullptr;
    LayOutFromDialogUnits(root.get());
    FillPictures(root.get());
    KeepPicturesWhole(root.get());
    if (root->property("noCaption").toBool())
        root->setWindowFlags(root->windowFlags() | Qt::FramelessWindowHint);
    return root;
}

int CResourceLibrary::ApplyDialog(int id, QWidget* target) const {
    if (!target)
        return -1;
    std::unique_ptr<QWidget> form = LoadDialog(id);
    if (!form)
        return -1;
    if (!form->property("noCaption").toBool())
        target->setWindowTitle(form->windowTitle());
    else if (target->isWindow())
        target->setWindowFlags(target->windowFlags() | Qt::FramelessWindowHint);
    target->setFont(form->font());
    target->resize(form->size());
    target->setProperty("templateId", id);
    target->setProperty("dialogBaseUnits", form->property("dialogBaseUnits"));
    const QList<QWidget*> children =
        form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        const bool hidden =
            child->isHidden() && child->testAttribute(Qt::WA_WState_ExplicitShowHide);
        const QPoint pos = child->pos();
        child->setParent(target);
        child->move(pos);
        child->setVisible(!hidden);
    }
    return 0;
}

QWidget* CResourceLibrary::FindControl(const QWidget* dialog, int controlId) {
    if (!dialog)
        return nullptr;
    const QList<QWidget*> all = dialog->findChildren<QWidget*>();
    for (QWidget* w : all) {
        const QVariant v = w->property("controlId");
        if (v.isValid() && v.toInt() == controlId)
            return w;
    }
    return nullptr;
}

void CResourceLibrary::FillPictures(QWidget* root) const {
    const QList<QLabel*> labels = root->findChildren<QLabel*>();
    for (QLabel* label : labels) {
        const QVariant bitmap = label->property("bitmapId");
        if (bitmap.isValid())
            label->setPixmap(Bitmap(bitmap.toInt()));
        const QVariant icon = label->property("iconId");
        if (icon.isValid())
            label->setPixmap(Icon(icon.toInt()).pixmap(QSize(32, 32)));
    }
    const QList<QLineEdit*> edits = root->findChildren<QLineEdit*>();
    for (QLineEdit* edit : edits) {
        if (edit->property("digitsOnly").toBool())
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
    }
}
