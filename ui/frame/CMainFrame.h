#pragma once

#include "CDclBar.h"
#include "GraphKindTable.h"
#include "IGraphFrameHost.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class CChildFrame;
class CGraphDocTemplate;
class CWorkingState;
class IFilterCatalogue;
class IFrameDialogs;
class IGraphResources;
class IMenuSource;
class IMessageSink;
class ISelectionDialog;
class IStringTable;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPainter;
struct CapacitorRecord;
struct ModelVector;

// What the main frame is built on: where its texts, menus, templates and dialogs come from
// and where its messages go. Everything is borrowed and must outlive the frame.
struct MainFrameServices {
    const IStringTable* strings = nullptr;
    IMenuSource* menus = nullptr;
    CDclBar::TemplateLoader dialogTemplates;
    IMessageSink* messages = nullptr;
    IFrameDialogs* dialogs = nullptr;
    ISelectionDialog* selectionDialog = nullptr;
    // The logo and footer texts of the printed page.
    const IGraphResources* graphResources = nullptr;
    // Keyboard accelerators of the frame (accelerator table 128): key and command.
    std::vector<std::pair<QKeySequence, int>> accelerators;
    // The catalogue the find dialog and the comparison of parts search.
    const IFilterCatalogue* catalogue = nullptr;
    // Commands served elsewhere (copying to the clipboard, about box); true when handled.
    std::function<bool(int commandId)> otherCommands;
};

// Enabled state and check mark of one command.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// The multi-document main window and the owner of the working state: the capacitor shown,
// the selected temperature, the comparison pair, the measurement point, every computed
// curve and one slot per graph kind. Every command that changes what is shown enters here
// and ends with the curves recomputed (when they depend on the change), every open graph
// refilled and the titles refreshed.
class CMainFrame : public QMainWindow, public IGraphFrameHost {
public:
    // Command ids of the menus.
    enum Command {
        ID_COPY_DATA = 32772,
        ID_TEMP_M55 = 32774,
        ID_TEMP_25 = 32775,
        ID_TEMP_85 = 32776,
        ID_TEMP_125 = 32777,
        ID_TEMP_CUSTOM = 32778,
        ID_CHOOSE_CAPACITOR = 32785,
        ID_TEMP_105 = 32789,
        ID_SET_MEASUREMENT = 32794,
        ID_DELETE_MEASUREMENT = 32795,
        ID_EQUIVALENT_CIRCUIT = 32796,
        ID_SPARAMETERS = 32798,
        ID_COPY_ALL_GRAPHS = 32799,
        ID_COMPARISON = 32800,
        ID_CANCEL_COMPARISON = 32801,
        ID_TEMP_175 = 32802,
        ID_TEMP_200 = 32803,
        ID_FIND_IMPEDANCE = 32810,
        ID_SAVE_GRAPH = 32812,
        ID_SAVE_DATA = 32813,
        ID_EXPORT_SPICE = 32814,
        ID_SPARAMETERS_AT_TEMPERATURE = 32815,
        ID_WINDOW_CASCADE = 57650,
        ID_WINDOW_TILE_HORZ = 57651,
        ID_WINDOW_TILE_VERT = 57652,
        ID_APP_EXIT = 57665,
    };

    // `templates` in the creation order of start-up (130, 129, 132, 131, 153, 133, 184); the
    // frame files them by kind. A missing template may be null.
    CMainFrame(const std::array<const CGraphDocTemplate*, kGraphKindCount>& templates,
               const MainFrameServices& services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Operations of the computation, for the current capacitor where they need one.
    virtual void RippleLimits(double esr, double derating, double power, double impedance,
                              double ratedVoltage, double& current, double& voltage);
    virtual double EsrReferenceFrequency(const char* series);
    virtual double ScaleToEsrLimit(double value, double esrAtReference);
    virtual double ScaleToDclLimit(double value, double typicalAt300);
    virtual double RippleDerating(double temperature, const char* series);
    virtual int MaxTemperature(const CapacitorRecord* record);
    virtual void ScaleModelToTemperature(ModelVector& vector, double temperature);
    virtual double CasePowerDissipation(char caseCode, char family, const char* series);
    virtual void RecomputeCurves();
    // The frame's own operations.
    virtual void ReopenGraphWindows();
    virtual void RefreshMeasurementPoint();
    virtual void SetComparisonMode(bool on);
    virtual bool IsComparisonMode() const;
    virtual const CapacitorRecord* GetComparisonCapacitor(int index) const;
    virtual int GetComparisonCount() const { return 2; }
    virtual void SetCurrentCapacitor(const CapacitorRecord* record);
    virtual const CapacitorRecord* GetCurrentCapacitor() const;
    virtual bool IsWetTantalum() const;
    virtual int ShowInitialGraphs();
    virtual void UpdateGraphs();
    virtual void UpdateTitle();
    virtual QString GetPartNumberText() const;
    virtual void ToggleGraphWindow(int kind);

    // Commands.
    void OnCommand(int commandId);
    CommandState QueryCommandState(int commandId) const;
    // Applies the enabled states and check marks to every item of the menu bar (the menus
    // do so themselves before they show).
    void UpdateMenuStates();
    void SetTemperature(double temperature);
    void CustomTemperature();
    void ChooseAnotherCapacitor();
    int TakeChosenCapacitor();
    // Makes `chosen` the current capacitor as confirming it in the selection dialog does.
    int TakeCapacitor(const CapacitorRecord* chosen);
    // WM_CAPACITOR_CHOSEN: queued, so the new capacitor is taken after the selection
    // dialog's handler has returned.
    void PostCapacitorChosen();
    void CloseAllGraphs();
    void ArrangeWindows(int commandId);
    void StartComparison();
    void CancelComparison();
    void SetMeasurementPoint();
    void DeleteMeasurementPoint();
    void GenerateSParameters();
    // The commands beyond the design's menus.
    void FindByImpedance();
    void ExportSpiceModel();
    void GenerateSParametersAtTemperature();
    // The active graph window's picture (PNG, SVG or PDF) and its curves (CSV).
    void SaveGraphAs();
    void SaveDataAs();

    // Answers of the graph windows' questions.
    int AnswerMeasurementQuery(CChildFrame* window, double* point);
    int HandlePick(CChildFrame* window, CursorInfo* cursor);

    // IGraphFrameHost.
    void OnGraphFrameDestroyed(CChildFrame* window) override;
    void OnGraphFrameActivated(CChildFrame* window) override;
    void OnGraphCloseAll() override;
    int OnGraphPick(CChildFrame* window, CursorInfo* cursor) override;
    int OnGraphPrintPage(QPainter* painter) override;
    int OnGraphQueryPoint(CChildFrame* window, double* point) override;
    int OnGraphDeletePoint() override;
    void OnGraphBarChanged() override;
    void OnGraphMenuUpdate(CChildFrame* window) override;

    // State, for the start-up code, the exports and tests.
    CWorkingState& State() { return *state; }
    const CWorkingState& State() const { return *state; }
    CChildFrame* GraphWindow(int kind) const;
    QMdiArea* MdiArea() const { return mdiArea; }
    QLabel* StatusPane(int paneId) const;
    double MeasurementFrequency() const { return measurementFrequency; }
    int MeasureAtTemperature() const { return measureAtTemperature; }
    bool MeasurementSet() const { return measurementSet; }
    // Refreshes the four status-bar panes (the framework's idle update).
    void UpdateStatusPanes();

    // The last folder chosen for S-parameter files, shared by the whole run.
    static QString& LastSParameterFolder();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void InstallMenu(int menuId);
    void ShowAcceleratorKeys(QAction* action, int id);
    void WireMenuBar();
    void AddMenuAdditions();
    // The status bar lists every curve of `window`'s graph at the cursor's x with its legend
    // name, while a pick moves.
    void ShowCurveReadout(CChildFrame* window, const CursorInfo& cursor);
    // Writes `bytes` as `path` whole (never a partial file); shows "Cannot open file" or
    // "Cannot write file" and returns false when it cannot.
    bool WriteWholeFile(const QString& path, const QByteArray& bytes);
    void RefreshWindowList(QMenu* menu);
    void OnActiveWindowChanged(QMdiSubWindow* window);
    CChildFrame* OpenKind(int kind);
    bool OpenStandardGraphs();
    void DestroyGraphWindow(int kind);
    void RefreshDclBar(CChildFrame* window);
    QList<QMdiSubWindow*> ArrangedWindows() const;
    void TileWindows(bool horizontal);
    void CascadeWindows();
    void ResizeGraphWindowsProportionally(int width, int height);
    QString String(int id) const;
    QString FormatStringId(int id, ...) const;
    QString CaseText(const CapacitorRecord& record) const;

    std::array<const CGraphDocTemplate*, kGraphKindCount> templates{};
    MainFrameServices services;
    std::unique_ptr<CWorkingState> state;
    std::array<CChildFrame*, kGraphKindCount> graphWindows{};
    int nextKindIndex = 0;
    double measurementFrequency = 100.0;
    int measureAtTemperature = 0;
    bool measurementSet = false;
    int lastClientWidth = 0;
    int lastClientHeight = 0;
    QMdiArea* mdiArea = nullptr;
    QLabel* panes[4] = {nullptr, nullptr, nullptr, nullptr};
    int installedMenu = 0;
    bool destroying = false;
};
