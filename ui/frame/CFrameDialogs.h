#pragma once

#include "FrameDialogs.h"

// The program's dialogs behind the main frame's dialog interface: the custom temperature,
// measurement point, comparison and equivalent-circuit dialogs, and the platform's folder
// browser.
class CFrameDialogs : public IFrameDialogs {
public:
    bool RunCustomTemperature(QWidget* parent, int low, int high, int initial, int* value) override;
    bool RunMeasurementPoint(QWidget* parent, double frequency, const QString& secondChoiceLabel,
                             int initialChoice, double* frequencyOut, int* choiceOut) override;
    bool RunComparison(QWidget* parent, const CapacitorRecord* current,
                       const CapacitorRecord* first, const CapacitorRecord* second,
                       const CapacitorRecord** firstOut,
                       const CapacitorRecord** secondOut) override;
    void ShowEquivalentCircuit(QWidget* parent, const CapacitorRecord* record) override;
    QString BrowseForFolder(QWidget* parent, const QString& title,
                            const QString& initialFolder) override;
    bool RunFindImpedance(QWidget* parent, const IFilterCatalogue& catalogue, double temperature,
                          const CapacitorRecord** chosen) override;
    QString SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& initialPath) override;
    bool AskYesNo(QWidget* parent, const QString& question) override;
};
