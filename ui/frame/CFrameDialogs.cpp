#include "CFrameDialogs.h"

#include "CompareDlg.h"
#include "CustomTempDlg.h"
#include "FindImpedanceDlg.h"
#include "MeasPointDlg.h"
#include "MessageBox.h"
#include "ModelDlg.h"

#include <QFileDialog>

bool CFrameDialogs::RunCustomTemperature(QWidget* parent, int low, int high, int initial,
                                         int* value) {
    int temperature = initial;
    if (!RunCustomTemperatureDialog(parent, low, high, temperature))
        return false;
    *value = temperature;
    return true;
}

bool CFrameDialogs::RunMeasurementPoint(QWidget* parent, double frequency,
                                        const QString& secondChoiceLabel, int initialChoice,
                                        double* frequencyOut, int* choiceOut) {
    CMeasPointDlg dialog(parent);
    dialog.SetFrequency(frequency);
    dialog.SetTemperatureOption(initialChoice);
    if (!secondChoiceLabel.isEmpty())
        dialog.SetTemperatureLabel(secondChoiceLabel);
    if (!dialog.Initialise() || dialog.exec() != QDialog::Accepted)
        return false;
    *frequencyOut = dialog.Frequency();
    *choiceOut = dialog.TemperatureOption();
    return true;
}

bool CFrameDialogs::RunComparison(QWidget* parent, const CapacitorRecord* current,
                                  const CapacitorRecord* first, const CapacitorRecord* second,
                                  const CapacitorRecord** firstOut,
                                  const CapacitorRecord** secondOut) {
    CCompareDlg dialog(parent);
    dialog.SetCurrentCapacitor(current);
    dialog.SetCapacitors(first, second);
    if (!dialog.Initialise() || dialog.exec() != QDialog::Accepted)
        return false;
    *firstOut = dialog.Capacitor1();
    *secondOut = dialog.Capacitor2();
    return true;
}

void CFrameDialogs::ShowEquivalentCircuit(QWidget* parent, const CapacitorRecord* record) {
    if (record != nullptr)
        ::ShowEquivalentCircuit(record, parent);
}

QString CFrameDialogs::BrowseForFolder(QWidget* parent, const QString& title,
                                       const QString& initialFolder) {
    return QFileDialog::getExistingDirectory(parent, title, initialFolder,
                                             QFileDialog::ShowDirsOnly);
}

bool CFrameDialogs::RunFindImpedance(QWidget* parent, const IFilterCatalogue& catalogue,
                                     double temperature, const CapacitorRecord** chosen) {
    CFindImpedanceDlg dialog(catalogue, parent);
    dialog.Initialise(temperature);
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen() == nullptr)
        return false;
    *chosen = dialog.Chosen();
    return true;
}

QString CFrameDialogs::SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& initialPath) {
    return QFileDialog::getSaveFileName(parent, title, initialPath, filter);
}

bool CFrameDialogs::AskYesNo(QWidget* parent, const QString& question) {
    MessageBoxRequest request;
    request.text = question;
    request.icon = QMessageBox::Question;
    request.buttons = QMessageBox::Yes | QMessageBox::No;
    request.owner = parent;
    return AppMessageBox(request) == QMessageBox::Yes;
}
