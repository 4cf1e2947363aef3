#include "DialogTemplate.h"

#include "DialogResources.h"

#include <QAbstractButton>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

IDialogResources* g_resources = nullptr;

// A template whose controls sit in a layout is kept whole inside the dialog; Esc and Enter in
// it must still reach the dialog, not a dialog class the template root may have.
class TemplateKeyForwarder : public QObject {
public:
    explicit TemplateKeyForwarder(QDialog* dialog) : QObject(dialog), m_dialog(dialog) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            m_dialog->reject();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QDialog* m_dialog;
};

} // namespace

IDialogResources* DialogResources() {
    return g_resources;
}

void SetDialogResources(IDialogResources* resources) {
    g_resources = resources;
}

QString ResourceString(int id) {
    return g_resources != nullptr ? g_resources->LoadString(id) : QString();
}

namespace {

QSize BaseUnitsOf(const QWidget* dialog) {
    const QSize base = dialog != nullptr ? dialog->property("dialogBaseUnits").toSize() : QSize();
    return base.isValid() && !base.isEmpty() ? base : QSize(6, 13);
}

} // namespace

int DialogUnitsX(const QWidget* dialog, int units) {
    return (units * BaseUnitsOf(dialog).width() + 2) / 4;
}

int DialogUnitsY(const QWidget* dialog, int units) {
    return (units * BaseUnitsOf(dialog).height() + 4) / 8;
}

bool AdoptTemplate(QDialog* dialog, int templateId) {
    if (g_resources == nullptr) {
        return false;
    }
    QWidget* root = g_resources->LoadDialog(templateId, dialog);
    if (root == nullptr) {
        return false;
    }
    dialog->setWindowTitle(root->windowTitle());
    dialog->setFont(root->font());
    dialog->setProperty("dialogBaseUnits", root->property("dialogBaseUnits"));
    const QSize size = root->size();
    if (root->layout() == nullptr) {
        // Absolute positions: the controls become the dialog's own children.
        const QList<QWidget*> children = root->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* child : children) {
            const QRect geometry = child->geometry();
            const bool hidden = child->isHidden();
            child->setParent(dialog);
            child->setGeometry(geometry);
            child->setHidden(hidden);
        }
        root->hide();
        root->deleteLater();
    } else {
        root->setWindowFlags(Qt::Widget);
        root->installEventFilter(new TemplateKeyForwarder(dialog));
        auto* box = new QVBoxLayout(dialog);
        box->setContentsMargins(0, 0, 0, 0);
        box->addWidget(root);
        root->show();
    }
    if (!size.isEmpty()) {
        dialog->resize(size);
    }
    if (auto* ok = Control<QAbstractButton>(dialog, 1)) {
        QObject::connect(ok, &QAbstractButton::clicked, dialog, &QDialog::accept);
        if (auto* push = qobject_cast<QPushButton*>(ok)) {
            push->setDefault(true);
        }
    }
    if (auto* cancel = Control<QAbstractButton>(dialog, 2)) {
        QObject::connect(cancel, &QAbstractButton::clicked, dialog, &QDialog::reject);
    }
    return true;
}
