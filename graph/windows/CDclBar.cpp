#include "CDclBar.h"

#include <QComboBox>
#include <QHBoxLayout>

CDclBar::CDclBar(int templateId, const TemplateLoader& loader, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(templateId));
    setFixedHeight(kHeight);
    QWidget* content = loader ? loader(templateId, this) : nullptr;
    if (content != nullptr) {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(content);
        voltageList = content->findChild<QComboBox*>(QString::number(kVoltageList));
        temperatureList = content->findChild<QComboBox*>(QString::number(kTemperatureList));
    } else {
        BuildOwnControls();
    }
    for (QComboBox* list : {voltageList, temperatureList}) {
        if (list == nullptr)
            continue;
        // `activated` comes only from the user accepting an item, never from refilling.
        QObject::connect(list, QOverload<int>::of(&QComboBox::activated), this, [this](int) {
            if (onSelection)
                onSelection();
        });
    }
}

// Without a resource library the bar still offers its two lists, in the template's order. Their
// captions live only in the template, so this bare form has none.
void CDclBar::BuildOwnControls() {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 4, 1);
    voltageList = new QComboBox(this);
    voltageList->setObjectName(QString::number(kVoltageList));
    layout->addWidget(voltageList);
    temperatureList = new QComboBox(this);
    temperatureList->setObjectName(QString::number(kTemperatureList));
    layout->addWidget(temperatureList);
    layout->addStretch(1);
}

DclBarMemory& RememberedDclSelections() {
    static DclBarMemory memory;
    return memory;
}
