#pragma once

#include <QString>

#include <functional>
#include <memory>

struct CapacitorRecord;
class QWidget;

// The capacitor selection dialog as its users outside the dialog itself see it: start-up runs
// it on template 131 ("Quit", "Next >>"), the comparison dialog on template 150 to pick one
// capacitor.
class ICapacitorPicker {
public:
    virtual ~ICapacitorPicker() = default;
    // Creates the window from the template, modeless and hidden; false when that fails.
    virtual bool Create(int templateId, QWidget* parent) = 0;
    virtual int LoadPictures() = 0; // 0, or -1 when a picture is missing
    virtual void FillLists(int save) = 0;
    virtual void SetTitle(const QString& title) = 0;
    // Selects the row of `record`, scrolls it into view and gives the list the focus.
    virtual void SelectRecord(const CapacitorRecord* record) = 0;
    // Shows the dialog and runs a modal loop on it; true when it ended with OK.
    virtual bool RunModal() = 0;
    virtual const CapacitorRecord* GetSelected() = 0;
    virtual QWidget* Window() = 0;
};

using CapacitorPickerFactory = std::function<std::unique_ptr<ICapacitorPicker>()>;

// The factory of the process; the application sets it once the selection dialog exists.
void SetCapacitorPickerFactory(CapacitorPickerFactory factory);
std::unique_ptr<ICapacitorPicker> CreateCapacitorPicker(); // null without a factory
