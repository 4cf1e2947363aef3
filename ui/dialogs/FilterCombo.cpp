#include "FilterCombo.h"

#include "SelectMessages.h"

#include <QCoreApplication>

CFilterCombo::CFilterCombo(QWidget* parent) : QComboBox(parent) {
    connect(this, qOverload<int>(&QComboBox::activated), this, [this] {
        if (QWidget* owner = parentWidget()) {
            CFilterChosenEvent chosen(this);
            QCoreApplication::sendEvent(owner, &chosen);
        }
    });
}

CFilterCombo* CFilterCombo::Replace(QComboBox* combo) {
    QWidget* parent = combo->parentWidget();
    auto* replacement = new CFilterCombo(parent);
    replacement->setObjectName(combo->objectName());
    replacement->setGeometry(combo->geometry());
    replacement->setFont(combo->font());
    replacement->setEnabled(combo->isEnabled());
    replacement->setMaxVisibleItems(combo->maxVisibleItems());
    for (int i = 0; i < combo->count(); ++i) {
        replacement->addItem(combo->itemText(i));
    }
    replacement->setCurrentIndex(combo->currentIndex());
    for (const QByteArray& name : combo->dynamicPropertyNames()) {
        replacement->setProperty(name.constData(), combo->property(name.constData()));
    }
    if (parent != nullptr) {
        QWidget::setTabOrder(combo, replacement);
    }
    replacement->setVisible(!combo->isHidden());
    delete combo;
    return replacement;
}
