#pragma once

#include <QString>

struct CapacitorRecord;
class IFilterCatalogue;
class QWidget;

// The dialogs the main frame opens, behind one interface: the program passes the real
// dialogs, tests pass a scripted double. Each Run... returns true when the user chose OK.
class IFrameDialogs {
public:
    virtual ~IFrameDialogs() = default;

    // Custom temperature: an integer in [low, high], starting at `initial`.
    virtual bool RunCustomTemperature(QWidget* parent, int low, int high, int initial,
                                      int* value) = 0;

    // Measurement point: the frequency and the temperature choice (0: 25 °C, 1: the selected
    // temperature). `secondChoiceLabel` labels the second choice; empty when it is not
    // offered (the selected temperature is 25 °C).
    virtual bool RunMeasurementPoint(QWidget* parent, double frequency,
                                     const QString& secondChoiceLabel, int initialChoice,
                                     double* frequencyOut, int* choiceOut) = 0;

    // Comparison: two capacitors, starting from the current pair (either may be null) and the
    // capacitor shown. The outputs are null when the user did not choose a capacitor.
    virtual bool RunComparison(QWidget* parent, const CapacitorRecord* current,
                               const CapacitorRecord* first, const CapacitorRecord* second,
                               const CapacitorRecord** firstOut,
                               const CapacitorRecord** secondOut) = 0;

    // The equivalent circuit of `record`.
    virtual void ShowEquivalentCircuit(QWidget* parent, const CapacitorRecord* record) = 0;

    // The folder browser: folders only, titled `title`, opening at `initialFolder` when it is
    // not empty. Returns the chosen folder, or an empty text when the user cancelled.
    virtual QString BrowseForFolder(QWidget* parent, const QString& title,
                                    const QString& initialFolder) = 0;

    // The commands beyond the design's menus. A double that does not script them answers as a
    // user who cancels.

    // Find by impedance over `catalogue`, starting at `temperature`: the part of the chosen
    // row, or false when the user cancelled.
    virtual bool RunFindImpedance(QWidget* parent, const IFilterCatalogue& catalogue,
                                  double temperature, const CapacitorRecord** chosen) {
        (void)parent, (void)catalogue, (void)temperature, (void)chosen;
        return false;
    }

    // A file to write: titled `title`, offering the file types of `filter` ("PNG picture
    // (*.png);;..."), opening at `initialPath`. Empty when the user cancelled.
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& initialPath) {
        (void)parent, (void)title, (void)filter, (void)initialPath;
        return QString();
    }

    // A yes/no question; true for yes.
    virtual bool AskYesNo(QWidget* parent, const QString& question) {
        (void)parent, (void)question;
        return false;
    }
};

// The capacitor selection dialog as the main frame uses it: one modeless dialog that lives
// as long as the frame and reports a confirmed choice by calling the frame's
// PostCapacitorChosen.
class ISelectionDialog {
public:
    virtual ~ISelectionDialog() = default;

    // True once the dialog window exists.
    virtual bool Exists() const = 0;
    // Creates the dialog window (template 150, parent `parent`) and loads its pictures;
    // false when that fails.
    virtual bool Create(QWidget* parent) = 0;
    // Titles the dialog, rebuilds its lists from the saved filter state, selects and shows
    // `current` in its list and shows the dialog.
    virtual void Present(const CapacitorRecord* current, const QString& title) = 0;
    // Gives the existing dialog the focus and shows it.
    virtual void Raise() = 0;
    // The confirmed capacitor, or null.
    virtual const CapacitorRecord* GetSelected() const = 0;
};
