#pragma once

#include "SelectFilterEngine.h"

#include <QDialog>
#include <QPixmap>

#include <functional>
#include <map>

class CCapacitorList;
class IFilterCatalogue;
class IStringTable;
class QComboBox;
class QLabel;

// The series photographs' size in pixels.
constexpr int kSeriesPictureWidth = 176;
constexpr int kSeriesPictureHeight = 247;

// Where the user finds a capacitor: seven drop-down filters narrow the catalogue shown in
// the list below them, the details area shows the chosen part's ratings and its series
// picture. Template 131 is the start-up form ("Quit", "Next >>"), 150 the form used from
// the main window and the comparison ("Cancel", "OK"). The filtering itself is the engine's.
class CSelectDlg : public QDialog {
public:
    CSelectDlg(const IFilterCatalogue* catalogue, const IStringTable* strings,
               QWidget* parent = nullptr);
    ~CSelectDlg() override;

    // Builds the window from `templateId`, hidden, and sets the lists up; false when the
    // template is missing.
    bool Create(int templateId);

    void FillLists(int save);
    int LoadPictures(); // 0, or -1 at the first picture that cannot be loaded
    void RestoreFilters() { m_engine.RestoreFilters(); }
    void UpdateDetails();
    const CapacitorRecord* GetSelected() const { return m_engine.GetSelected(); }
    // Selects the row of `record`, scrolls it into view and gives the list the focus.
    void SelectRecord(const CapacitorRecord* record);

    // Called when the user confirms a capacitor, before the dialog ends (the main window
    // takes the choice from there).
    void SetOnConfirmed(std::function<void()> onConfirmed) {
        m_onConfirmed = std::move(onConfirmed);
    }

    // What button 1026 ("Update via Internet") runs, for every selection dialog of the
    // process; it gets the dialog's parent (null at start-up). The program sets it once; with
    // none set the button does nothing.
    using UpdateHandler = std::function<void(QWidget*)>;
    static void SetUpdateHandler(UpdateHandler handler);

    CSelectFilterEngine& Engine() { return m_engine; }
    QComboBox* FilterCombo(FilterListId list) const;

    CCapacitorList* List() const { return m_list; }

    void accept() override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FitPictureBox();
    void MirrorLists();
    void OnFilterChosen(FilterListId list, int index);
    void OnRowChanged();

    CSelectFilterEngine m_engine;
    const IStringTable* m_strings;
    CCapacitorList* m_list = nullptr;
    QComboBox* m_combos[kFilterListCount] = {};
    QLabel* m_picture = nullptr;
    std::map<int, QPixmap> m_pictures;
    bool m_mirroring = false;
    std::function<void()> m_onConfirmed;
};
