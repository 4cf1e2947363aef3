#pragma once

#include <QWidget>

#include <functional>
#include <string>

class QComboBox;

// The leakage-current condition bar: a one-row panel at the top of the DCL graph window with
// the application-voltage list (control 1052) and the temperature list (control 1053), built
// from dialog template 185. It has no handlers of its own: a selection the user accepts in
// either list is reported to the owner through the callback.
class CDclBar : public QWidget {
public:
    // Loads dialog template `templateId` as a widget under `parent`; null when it has none.
    using TemplateLoader = std::function<QWidget*(int templateId, QWidget* parent)>;

    static constexpr int kTemplateId = 185;
    static constexpr int kVoltageList = 1052;
    static constexpr int kTemperatureList = 1053;
    static constexpr int kHeight = 24;

    CDclBar(int templateId, const TemplateLoader& loader, QWidget* parent);

    // The two lists; null when the template lacks them.
    QComboBox* VoltageList() const { return voltageList; }
    QComboBox* TemperatureList() const { return temperatureList; }

    void SetSelectionHandler(std::function<void()> handler) { onSelection = std::move(handler); }

private:
    void BuildOwnControls();

    QComboBox* voltageList = nullptr;
    QComboBox* temperatureList = nullptr;
    std::function<void()> onSelection;
};

// The two remembered selection texts of the bar, shared by every DCL window of the run, so a
// reopened leakage graph starts with the last conditions.
struct DclBarMemory {
    std::string voltage;
    std::string temperature;
};
DclBarMemory& RememberedDclSelections();
