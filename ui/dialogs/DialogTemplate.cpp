#include "DialogTemplate.h"

#include "DialogResources.h"

#include <QAbstractButton>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
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

// Keeps a template dialog at its template's size: on every show the dialog takes the larger
// of its own width and the width its title needs, centres its controls in any width added,
// and is fixed at that size, so the window manager offers neither resizing nor maximising.
class FixedSizeKeeper : public QObject {
public:
    explicit FixedSizeKeeper(QDialog* dialog) : QObject(dialog), m_dialog(dialog) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_dialog && event->type() == QEvent::Show)
            FixDialogSize(m_dialog);
        return QObject::eventFilter(watched, event);
    }

private:
    QDialog* m_dialog;
};

} // namespace

int TitleBarWidth(const QString& title) {
    if (title.isEmpty())
        return 0;
    // A common window manager's title bar (openbox's default theme): the title in an 8-point
    // bold sans face, centred between the window icon and the iconify, maximise and close
    // buttons, each about as wide as the bar is high, with padding around each of them.
    QFont font(QStringLiteral("Sans"));
    font.setPointSize(8);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int barHeight = metrics.height() + 6;
    constexpr int kPadding = 3;
    constexpr int kBarItemsBesideTitle = 5; // icon, iconify, maximise, close, title padding
    return metrics.horizontalAdvance(title) + kBarItemsBesideTitle * (barHeight + kPadding) + 10;
}

QMargins WindowFrameMargins(const QWidget* window) {
    if (window == nullptr)
        return QMargins();
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    if (window->isVisible() && outer != inner)
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                        outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (window->windowFlags() & Qt::FramelessWindowHint)
        return QMargins();
    // A caption of the title font's height with padding, and a thin border elsewhere.
    QFont font(QStringLiteral("Sans"));
    font.setPointSize(8);
    font.setBold(true);
    const int border = 4;
    return QMargins(border, QFontMetrics(font).height() + 12, border, border);
}

void FixDialogSize(QDialog* dialog) {
    if (dialog == nullptr)
        return;
    QSize size = dialog->size();
    const Qt::WindowFlags flags = dialog->windowFlags();
    const bool titled =
        !(flags & Qt::FramelessWindowHint) && (flags & Qt::WindowType_Mask) != Qt::SplashScreen;
    if (titled) {
        const int wanted = TitleBarWidth(dialog->windowTitle());
        if (wanted > size.width()) {
            const int dx = (wanted - size.width()) / 2;
            if (dialog->layout() == nullptr) {
                for (QWidget* child :
                     dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                    if (!child->isWindow())
                        child->move(child->x() + dx, child->y());
                }
            }
            size.setWidth(wanted);
        }
    }
    dialog->setSizeGripEnabled(false);
    if (dialog->minimumSize() != size || dialog->maximumSize() != size)
        dialog->setFixedSize(size);
}

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
    if (dialog->isWindow()) {
        dialog->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
        dialog->setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    }
    dialog->installEventFilter(new FixedSizeKeeper(dialog));
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
