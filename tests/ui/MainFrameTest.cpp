#include "CChildFrame.h"
#include "CGraphDocTemplate.h"
#include "CMainFrame.h"
#include "FormatValue.h"
#include "FrameDialogs.h"
#include "FrequencyResponse.h"
#include "MenuBarLayout.h"
#include "ModelVector.h"
#include "ResourceLibrary.h"
#include "ResourceMenus.h"
#include "RippleLimits.h"
#include "SeriesRules.h"
#include "TemperatureLists.h"
#include "TestEnvironment.h"
#include "TestRecords.h"
#include "ViewProbe.h"
#include "WorkingState.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <vector>

#include <sys/resource.h>

namespace {

// The dialogs of the frame, answering as a user would in the test's script.
class ScriptedDialogs : public IFrameDialogs {
public:
    bool RunCustomTemperature(QWidget*, int low, int high, int initial, int* value) override {
        customRange = {low, high};
        customInitial = initial;
        *value = customValue;
        return customOk;
    }
    bool RunMeasurementPoint(QWidget*, double frequency, const QString& secondLabel,
                             int initialChoice, double* frequencyOut, int* choiceOut) override {
        measurementShown = frequency;
        measurementLabel = secondLabel;
        measurementInitialChoice = initialChoice;
        *frequencyOut = measurementFrequency;
        *choiceOut = measurementChoice;
        return true;
    }
    bool RunComparison(QWidget*, const CapacitorRecord*, const CapacitorRecord*,
                       const CapacitorRecord*, const CapacitorRecord** first,
                       const CapacitorRecord** second) override {
        *first = compareFirst;
        *second = compareSecond;
        return compareOk;
    }
    void ShowEquivalentCircuit(QWidget*, const CapacitorRecord*) override {}
    QString BrowseForFolder(QWidget*, const QString& title, const QString& initial) override {
        browseTitle = title;
        browseInitial = initial;
        return folder;
    }

    std::pair<int, int> customRange{0, 0};
    int customInitial = 0;
    int customValue = 0;
    bool customOk = true;
    double measurementShown = 0.0;
    QString measurementLabel;
    int measurementInitialChoice = -1;
    double measurementFrequency = 1000.0;
    int measurementChoice = 0;
    const CapacitorRecord* compareFirst = nullptr;
    const CapacitorRecord* compareSecond = nullptr;
    bool compareOk = true;
    QString folder;
    QString browseTitle;
    QString browseInitial;
};

class ScriptedSelection : public ISelectionDialog {
public:
    bool Exists() const override { return exists; }
    bool Create(QWidget*) override {
        exists = createOk;
        return createOk;
    }
    void Present(const CapacitorRecord* current, const QString& title) override {
        presented = current;
        presentedTitle = title;
    }
    void Raise() override { ++raised; }
    const CapacitorRecord* GetSelected() const override { return selected; }

    bool exists = false;
    bool createOk = true;
    const CapacitorRecord* presented = nullptr;
    QString presentedTitle;
    int raised = 0;
    const CapacitorRecord* selected = nullptr;
};

class RecordingSink : public IMessageSink {
public:
    void ShowMessage(int id, MessageIcon, const std::string& text) override {
        messages.emplace_back(id, text);
    }
    std::vector<std::pair<int, std::string>> messages;
};

void FlushDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        library.SetLanguage(CResourceLibrary::Language::English);
        ASSERT_EQ(library.Load(), 0) << library.ErrorDetail().toStdString();
        templates = CreateGraphDocTemplates(library);
        std::array<const CGraphDocTemplate*, kGraphKindCount> order{};
        for (size_t i = 0; i < templates.size(); ++i)
            order[i] = templates[i].get();
        MainFrameServices services;
        services.strings = &library;
        services.menus = &menus;
        services.dialogTemplates = [this](int id, QWidget* parent) {
            return library.LoadDialog(id, parent).release();
        };
        services.messages = &sink;
        services.dialogs = &dialogs;
        services.selectionDialog = &selection;
        for (const CAccelerator& accelerator : library.Accelerators(128))
            services.accelerators.emplace_back(accelerator.key, accelerator.id);
        RememberedDclSelections() = {};
        CMainFrame::LastSParameterFolder().clear();
        frame = std::make_unique<CMainFrame>(order, services);
        frame->resize(1200, 900);
    }

    void TearDown() override {
        frame.reset();
        FlushDeletions();
    }

    void Start(const CapacitorRecord* record) {
        frame->SetCurrentCapacitor(record);
        ASSERT_EQ(frame->ShowInitialGraphs(), 0);
        FlushDeletions();
    }

    std::vector<int> OpenKinds() const {
        std::vector<int> kinds;
        for (int k = 0; k < kGraphKindCount; ++k)
            if (frame->GraphWindow(k) != nullptr)
                kinds.push_back(k);
        return kinds;
    }

    // The kinds of the windows in the multi-document area, in the order they were created.
    std::vector<int> KindsInCreationOrder() const {
        std::vector<int> kinds;
        for (QMdiSubWindow* w : frame->MdiArea()->subWindowList(QMdiArea::CreationOrder))
            if (auto* child = dynamic_cast<CChildFrame*>(w))
                kinds.push_back(child->Kind());
        return kinds;
    }

    CChildFrame* W(int kind) const { return frame->GraphWindow(kind); }

    void Toggle(int kind) {
        frame->ToggleGraphWindow(kind);
        FlushDeletions();
    }

    void PressInPlot(int kind) {
        ASSERT_NE(W(kind), nullptr);
        ASSERT_TRUE(probe::PressInPlot(W(kind)));
    }
    void ReleaseInPlot(int kind) { probe::ReleaseInPlot(W(kind)); }

    CResourceLibrary library;
    CResourceMenuSource menus{library};
    ScriptedDialogs dialogs;
    ScriptedSelection selection;
    RecordingSink sink;
    std::vector<std::unique_ptr<CGraphDocTemplate>> templates;
    std::unique_ptr<CMainFrame> frame;

    CapacitorRecord qak = MakeTestRecord("QAKB106M016R", "QAK", 'T', 'B', 10, 16);
    CapacitorRecord qakSmall = MakeTestRecord("QAKA475K010R", "QAK", 'T', 'A', 4.7, 10);
    CapacitorRecord qcn = MakeTestRecord("QCNC107M016", "QCN", FamilyOfSeries("QCN"), 'C', 100, 16);
    CapacitorRecord qclListed =
        MakeTestRecord(kQcl125PartNumbers[0], "QCL", FamilyOfSeries("QCL"), 'D', 1000, 2.5);
    CapacitorRecord qclOther =
        MakeTestRecord("QCLD107M010R0099", "QCL", FamilyOfSeries("QCL"), 'D', 100, 10);
    CapacitorRecord qaw = MakeTestRecord("QAWD106K016R", "QAW", 'T', 'D', 10, 16);
    CapacitorRecord qaw200 = MakeTestRecord(kQaw200PartNumbers[0], "QAW", 'T', 'C', 22, 25);
    CapacitorRecord conformal = MakeTestRecord("QCT1C106MRA", "QCT", 'F', 'R', 10, 16);
};

TEST_F(MainFrameTest, StartShowsDfEsrImpedanceAndCapacitanceTiled) {
    Start(&qak);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{KindDF, KindESR, KindImpedance, KindCapacitance}));
    EXPECT_EQ(frame->GraphWindow(KindDF)->windowTitle(),
              QStringLiteral("The graph of DF - QAKB106M016R"));
    EXPECT_EQ(frame->GraphWindow(KindCapacitance)->windowTitle(),
              QStringLiteral("The graph of Capacitance - QAKB106M016R"));
    EXPECT_EQ(frame->windowTitle(), QString::fromUtf8("ZeltaIII - QAKB106M016R - B 10 µF/16 V"));
    EXPECT_EQ(probe::PointCount(W(KindESR)), 600);

    // Tiled: the four windows cover the area without overlapping.
    const QRect area = frame->MdiArea()->viewport()->rect();
    int covered = 0;
    std::vector<QRect> rects;
    for (int k : OpenKinds())
        rects.push_back(frame->GraphWindow(k)->geometry());
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_TRUE(area.contains(rects[i])) << i;
        covered += rects[i].width() * rects[i].height();
        for (size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(rects[i].intersects(rects[j])) << i << " " << j;
    }
    EXPECT_GT(covered, area.width() * area.height() * 9 / 10);

    // With graph windows open the menu bar has the Window menu and the temperature menu.
    EXPECT_TRUE(HoldsCommand(frame->menuBar(), 57650));
    EXPECT_TRUE(HoldsCommand(frame->menuBar(), 32774));
    EXPECT_EQ(frame->StatusPane(34000)->text(), QStringLiteral("Part: QAKB106M016R"));
    EXPECT_EQ(frame->StatusPane(34003)->text(), QStringLiteral("Case: B"));
}

TEST_F(MainFrameTest, StandardKeysAreShownInTheMenusAndRunTheirCommands) {
    Start(&qak);
    const struct {
        int id;
        const char* text;
    } items[] = {
        {32771, "Copy Graph to Clipboard\tCtrl+C"}, {57607, "Print...\tCtrl+P"},
        {57665, "&Exit\tAlt+F4, Ctrl+Q"},           {32794, "Set Measurement Point ...\tIns"},
        {32795, "Delete Measurement Point\tDel"},   {32772, "Copy Data to Clipboard"}};
    for (const auto& item : items) {
        QAction* action = FindCommand(frame->menuBar(), item.id);
        ASSERT_NE(action, nullptr) << item.id;
        EXPECT_EQ(action->text(), QString::fromUtf8(item.text)) << item.id;
        EXPECT_TRUE(action->shortcut().isEmpty()) << item.id; // the frame's shortcut runs it
    }

    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    // Insert sets the measurement point (the dialog is scripted), Ctrl+Q ends the frame.
    dialogs.measurementShown = -1;
    QTest::keyClick(frame.get(), Qt::Key_Insert);
    EXPECT_GT(dialogs.measurementShown, 0);
    QTest::keyClick(frame.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainFrameTest, MissingTemplateFailsTheStart) {
    std::array<const CGraphDocTemplate*, kGraphKindCount> order{};
    for (size_t i = 0; i + 1 < templates.size(); ++i)
        order[i] = templates[i].get(); // the DCL template (created last) is missing
    MainFrameServices services;
    services.strings = &library;
    services.menus = &menus;
    CMainFrame incomplete(order, services);
    incomplete.SetCurrentCapacitor(&qak);
    EXPECT_EQ(incomplete.ShowInitialGraphs(), -1);
    EXPECT_EQ(incomplete.GraphWindow(KindDF), nullptr);
}

TEST_F(MainFrameTest, TemperatureAndRippleCommandsFollowThePart) {
    struct Row {
        const CapacitorRecord* part;
        bool m55, t85, t105, t125, t175, t200, custom, ripple;
    };
    const Row rows[] = {
        {&qcn, false, false, false, false, false, false, false, false},
        {&qclListed, true, true, true, true, false, false, true, true},
        {&qclOther, true, true, true, false, false, false, true, true},
        {&qaw, true, true, true, true, true, false, true, true},
        {&qaw200, true, true, true, true, true, true, true, true},
        {&conformal, true, true, true, true, false, false, true, false},
    };
    const int ids[] = {32774, 32776, 32789, 32777, 32802, 32803, 32778, 32791, 32792};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.part->partNumber);
        frame->SetCurrentCapacitor(row.part);
        frame->UpdateMenuStates();
        const bool expected[] = {row.m55,  row.t85,    row.t105,   row.t125,  row.t175,
                                 row.t200, row.custom, row.ripple, row.ripple};
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(frame->QueryCommandState(ids[i]).enabled, expected[i]) << ids[i];
        EXPECT_TRUE(frame->QueryCommandState(32775).enabled);
        // The menu items show the same.
        QAction* t125 = FindCommand(frame->menuBar(), 32777);
        ASSERT_NE(t125, nullptr);
        EXPECT_EQ(t125->isEnabled(), row.t125);
    }
}

TEST_F(MainFrameTest, CheckMarksFollowTemperatureAndOpenWindows) {
    Start(&qak);
    EXPECT_TRUE(frame->QueryCommandState(32775).checked);
    EXPECT_FALSE(frame->QueryCommandState(32778).checked);
    EXPECT_TRUE(frame->QueryCommandState(32782).checked);
    EXPECT_FALSE(frame->QueryCommandState(32797).checked);

    dialogs.customValue = 47;
    frame->OnCommand(32778);
    EXPECT_EQ(dialogs.customRange, std::make_pair(-55, 125));
    EXPECT_EQ(frame->State().selectedTemperature, 47.0);
    EXPECT_TRUE(frame->QueryCommandState(32778).checked);
    EXPECT_FALSE(frame->QueryCommandState(32775).checked);
    EXPECT_TRUE(FindCommand(frame->menuBar(), 32778)->isChecked());
    EXPECT_FALSE(FindCommand(frame->menuBar(), 32775)->isChecked());

    // A value outside the part's range changes nothing.
    dialogs.customValue = 300;
    frame->OnCommand(32778);
    EXPECT_EQ(frame->State().selectedTemperature, 47.0);
}

TEST_F(MainFrameTest, ChoosingAPartClampsTheTemperatureAndReopensTheFourGraphs) {
    struct Row {
        const CapacitorRecord* part;
        double before;
        double after;
    };
    const Row rows[] = {
        {&qcn, 125, 25},       // wet tantalum: 25 °C only
        {&qclOther, 125, 105}, // a QCL part outside the 125 °C list
        {&qclListed, 125, 125},
        {&qaw, 200, 175},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.part->partNumber);
        frame->SetCurrentCapacitor(&qaw200);
        frame->SetTemperature(row.before);
        selection.selected = row.part;
        frame->PostCapacitorChosen();
        EXPECT_EQ(frame->GetCurrentCapacitor(), &qaw200); // taken only once the queue runs
        QCoreApplication::processEvents();
        FlushDeletions();
        EXPECT_EQ(frame->GetCurrentCapacitor(), row.part);
        EXPECT_EQ(frame->State().selectedTemperature, row.after);
        EXPECT_EQ(OpenKinds(), (std::vector<int>{KindDF, KindESR, KindImpedance, KindCapacitance}));
    }
    // A confirmation without a chosen capacitor changes nothing.
    selection.selected = nullptr;
    EXPECT_EQ(frame->TakeChosenCapacitor(), -1);
    EXPECT_EQ(frame->GetCurrentCapacitor(), &qaw);
}

TEST_F(MainFrameTest, ClosingEsrAndShowingItAgainGivesTheSameTitle) {
    Start(&qak);
    const QString title = frame->GraphWindow(KindESR)->windowTitle();
    frame->OnCommand(32782);
    FlushDeletions();
    EXPECT_EQ(frame->GraphWindow(KindESR), nullptr);
    EXPECT_FALSE(frame->QueryCommandState(32782).checked);
    frame->OnCommand(32782);
    ASSERT_NE(frame->GraphWindow(KindESR), nullptr);
    EXPECT_EQ(frame->GraphWindow(KindESR)->windowTitle(), title);
    EXPECT_EQ(title, QStringLiteral("The graph of ESR - QAKB106M016R"));
    EXPECT_EQ(probe::PointCount(W(KindESR)), 600);
}

TEST_F(MainFrameTest, ArrangingRecreatesTheWindowsInTheFixedOrder) {
    Start(&qak);
    Toggle(KindRippleVoltage);
    frame->OnCommand(CMainFrame::ID_WINDOW_TILE_HORZ);
    FlushDeletions();
    EXPECT_EQ(KindsInCreationOrder(), (std::vector<int>{4, 0, 1, 2, 3}));

    Toggle(KindRippleCurrent);
    Toggle(KindDCL);
    frame->OnCommand(CMainFrame::ID_WINDOW_TILE_VERT);
    FlushDeletions();
    EXPECT_EQ(KindsInCreationOrder(), (std::vector<int>{5, 0, 1, 4, 2, 3, 6}));
    for (int k = 0; k < kGraphKindCount; ++k) {
        ASSERT_NE(frame->GraphWindow(k), nullptr);
        EXPECT_EQ(frame->GraphWindow(k)->Kind(), k);
    }
}

TEST_F(MainFrameTest, ComparisonShowsBothPartsClosesRippleAndLeakageAndSwitchesTheMenu) {
    Start(&qak);
    Toggle(KindRippleVoltage);
    Toggle(KindRippleCurrent);
    Toggle(KindDCL);

    // The dialog returning only one capacitor leaves everything as it was.
    dialogs.compareFirst = &qak;
    frame->OnCommand(32800);
    EXPECT_FALSE(frame->IsComparisonMode());
    EXPECT_EQ(OpenKinds().size(), 7u);

    dialogs.compareSecond = &qakSmall;
    frame->OnCommand(32800);
    FlushDeletions();
    ASSERT_TRUE(frame->IsComparisonMode());
    EXPECT_EQ(OpenKinds(), (std::vector<int>{KindDF, KindESR, KindImpedance, KindCapacitance}));
    EXPECT_EQ(frame->GetPartNumberText(), QStringLiteral("QAKB106M016R/QAKA475K010R"));
    EXPECT_EQ(frame->GraphWindow(KindDF)->windowTitle(),
              QStringLiteral("The graph of DF - QAKB106M016R/QAKA475K010R"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("ZeltaIII - QAKB106M016R/QAKA475K010R"));
    EXPECT_EQ(frame->StatusPane(34000)->text(), QStringLiteral("Part: QAKB106M016R/QAKA475K010R"));
    EXPECT_EQ(frame->StatusPane(34001)->text(), QString::fromUtf8("Capacitance: 10 µF/4.7 µF"));
    EXPECT_EQ(frame->StatusPane(34002)->text(), QStringLiteral("Rated Voltage: 16 V/10 V"));
    EXPECT_EQ(frame->StatusPane(34003)->text(), QStringLiteral("Case: B/A"));
    EXPECT_FALSE(HoldsCommand(frame->menuBar(), 32774));
    EXPECT_TRUE(HoldsCommand(frame->menuBar(), 32801));
    EXPECT_TRUE(HoldsCommand(frame->menuBar(), 57650));

    // A newly activated window keeps the comparison layout, and opens at a useful size.
    frame->OnCommand(32782);
    frame->OnCommand(32782);
    FlushDeletions();
    EXPECT_FALSE(HoldsCommand(frame->menuBar(), 32774));
    const QSize area = frame->MdiArea()->viewport()->size();
    EXPECT_EQ(W(KindESR)->size(), QSize(area.width() * 3 / 4, area.height() * 3 / 4));

    // A pick on the second part's curve reads that part's values in every graph.
    CursorInfo pick;
    pick.x = 5000.0;
    pick.phase = CursorInfo::Begin;
    pick.curve = 1;
    frame->HandlePick(W(KindESR), &pick);
    ModelVector vector;
    BuildModelVector(qakSmall, vector);
    FrequencyPoint p{};
    p.frequency = 5000.0;
    EvaluatePoint(qakSmall, p, vector, true);
    EXPECT_EQ(probe::HintLine2(W(KindDF)), FormatEngineering(p.dissipationFactor));
    EXPECT_EQ(probe::HintLine2(W(KindESR)), FormatEngineering(p.esr) + "Ohm");
    pick.phase = CursorInfo::End;
    frame->HandlePick(W(KindESR), &pick);

    frame->OnCommand(32801);
    FlushDeletions();
    EXPECT_FALSE(frame->IsComparisonMode());
    EXPECT_TRUE(HoldsCommand(frame->menuBar(), 32774));
    EXPECT_FALSE(HoldsCommand(frame->menuBar(), 32801));
    EXPECT_EQ(frame->GraphWindow(KindDF)->windowTitle(),
              QStringLiteral("The graph of DF - QAKB106M016R"));
}

TEST_F(MainFrameTest, ComparisonWithAMaximisedGraphWindowKeepsItsControls) {
    Start(&qak);
    W(KindDF)->showMaximized();
    QCoreApplication::processEvents();
    QWidget* controls = frame->menuBar()->cornerWidget(Qt::TopRightCorner);
    ASSERT_NE(controls, nullptr);
    dialogs.compareFirst = &qak;
    dialogs.compareSecond = &qakSmall;
    frame->OnCommand(32800);
    FlushDeletions();
    EXPECT_TRUE(HoldsCommand(frame->menuBar(), 32801));
    EXPECT_EQ(frame->menuBar()->cornerWidget(Qt::TopRightCorner), controls);
    EXPECT_TRUE(W(KindDF)->isMaximized());
    EXPECT_EQ(CommandIdOf(frame->menuBar()->actions().constLast()), 57664);
}

TEST_F(MainFrameTest, DragInImpedanceMovesEveryFrequencyCrosshairWithItsOwnQuantity) {
    Start(&qak);
    Toggle(KindRippleVoltage);
    Toggle(KindRippleCurrent);
    Toggle(KindDCL);
    frame->OnCommand(CMainFrame::ID_WINDOW_TILE_HORZ);
    FlushDeletions();

    PressInPlot(KindImpedance);
    const double x = probe::Cursor(W(KindImpedance)).x;
    ASSERT_GT(x, 100.0);
    ModelVector vector;
    BuildModelVector(qak, vector);
    FrequencyPoint p{};
    p.frequency = x;
    EvaluatePoint(qak, p, vector, true);
    double current = 0.0;
    double voltage = 0.0;
    RippleLimits(p.esr, RippleDerating(25.0, "QAK"), CasePowerDissipation('B', 'T', "QAK"),
                 p.impedanceMagnitude, 16.0, current, voltage);
    const std::pair<int, std::string> expected[] = {
        {KindDF, FormatEngineering(p.dissipationFactor)},
        {KindESR, FormatEngineering(p.esr) + "Ohm"},
        {KindImpedance, FormatEngineering(p.impedanceMagnitude) + "Ohm"},
        {KindCapacitance, FormatEngineering(p.seriesCapacitance) + "F"},
        {KindRippleVoltage, FormatEngineering(voltage) + "V"},
        {KindRippleCurrent, FormatEngineering(current) + "A"},
    };
    for (const auto& [kind, line2] : expected) {
        SCOPED_TRACE(kind);
        EXPECT_TRUE(probe::CrosshairShown(W(kind)));
        EXPECT_EQ(probe::HintLine1(W(kind)), FormatEngineering(x) + "Hz");
        EXPECT_EQ(probe::HintLine2(W(kind)), line2);
    }
    EXPECT_FALSE(probe::CrosshairShown(W(KindDCL)));
    ReleaseInPlot(KindImpedance);
    for (int kind = 0; kind < kGraphKindCount; ++kind)
        EXPECT_FALSE(probe::CrosshairShown(W(kind))) << kind;

    // A drag in the leakage graph moves only its own crosshair. Its note takes three lines,
    // so the window is made tall enough for a plot.
    W(KindDCL)->setGeometry(0, 0, 800, 500);
    PressInPlot(KindDCL);
    EXPECT_TRUE(probe::CrosshairShown(W(KindDCL)));
    for (int kind = KindDF; kind <= KindRippleCurrent; ++kind)
        EXPECT_FALSE(probe::CrosshairShown(W(kind))) << kind;
    const CursorInfo& c = probe::Cursor(W(KindDCL));
    EXPECT_EQ(probe::HintLine2(W(KindDCL)),
              FormatEngineering(frame->State().DclCursorValue(c.x, c.curve)) + "A");
    ReleaseInPlot(KindDCL);
}

TEST_F(MainFrameTest, PickOnTheEsrLimitMovesOnlyTheEsrCrosshair) {
    Start(&qak);
    ASSERT_NE(frame->State().esrLimitReference[0], 0.0);
    CursorInfo pick;
    pick.x = 10000.0;
    pick.phase = CursorInfo::Begin;
    pick.curve = 1; // the limit curve of the ESR graph at 25 °C
    frame->HandlePick(frame->GraphWindow(KindESR), &pick);
    EXPECT_TRUE(probe::CrosshairShown(W(KindESR)));
    for (int kind : {KindDF, KindImpedance, KindCapacitance})
        EXPECT_FALSE(probe::CrosshairShown(W(kind))) << kind;
    // The limit value at that frequency is the curve's own value there.
    ModelVector vector;
    BuildModelVector(qak, vector);
    FrequencyPoint p{}, ref{};
    p.frequency = 10000.0;
    ref.frequency = EsrReferenceFrequency("QAK");
    EvaluatePoint(qak, p, vector, true);
    EvaluatePoint(qak, ref, vector, true);
    const double limit = ScaleToEsrLimit(qak.esrMax, p.esr, ref.esr);
    EXPECT_EQ(probe::HintLine2(W(KindESR)), FormatEngineering(limit) + "Ohm");
}

TEST_F(MainFrameTest, MeasurementPointShowsOnFrequencyGraphsAndDeletingHidesEveryReadout) {
    Start(&qak);
    Toggle(KindDCL);
    frame->SetTemperature(85.0);
    dialogs.measurementFrequency = 2500.0;
    dialogs.measurementChoice = 1;
    frame->OnCommand(32794);
    EXPECT_EQ(dialogs.measurementShown, 100.0);
    EXPECT_EQ(dialogs.measurementLabel, QString::fromUtf8("85°C"));
    EXPECT_TRUE(frame->MeasurementSet());
    for (int kind : {KindDF, KindESR, KindImpedance, KindCapacitance})
        EXPECT_TRUE(probe::ReadoutShown(W(kind))) << kind;
    EXPECT_FALSE(probe::ReadoutShown(W(KindDCL)));

    // The impedance readout is the model scaled to the selected temperature.
    double point[2] = {0, 0};
    ASSERT_EQ(frame->AnswerMeasurementQuery(frame->GraphWindow(KindImpedance), point), 0);
    ModelVector vector;
    BuildModelVector(qak, vector);
    frame->State().ScaleModelToTemperature(vector, 85.0);
    FrequencyPoint p{};
    p.frequency = 2500.0;
    EvaluatePoint(qak, p, vector, true);
    EXPECT_EQ(point[0], 2500.0);
    EXPECT_DOUBLE_EQ(point[1], p.impedanceMagnitude);

    EXPECT_TRUE(FindCommand(frame->menuBar(), 32795)->isEnabled());
    frame->OnCommand(32795);
    EXPECT_FALSE(frame->MeasurementSet());
    for (int kind : {KindDF, KindESR, KindImpedance, KindCapacitance, KindDCL})
        EXPECT_FALSE(probe::ReadoutShown(W(kind))) << kind;
    EXPECT_FALSE(frame->QueryCommandState(32795).enabled);
    EXPECT_EQ(frame->AnswerMeasurementQuery(frame->GraphWindow(KindImpedance), point), -1);
}

TEST_F(MainFrameTest, LeakageBarSetsTheConditionsAndIsRememberedAcrossWindows) {
    Start(&qak);
    Toggle(KindDCL);
    CChildFrame* window = frame->GraphWindow(KindDCL);
    ASSERT_NE(window, nullptr);
    CDclBar* bar = window->GetDclBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(bar->VoltageList(), nullptr);
    ASSERT_NE(bar->TemperatureList(), nullptr);
    EXPECT_EQ(bar->VoltageList()->currentText(), QStringLiteral("100%"));
    EXPECT_EQ(bar->TemperatureList()->currentText(), QString::fromUtf8(" 25°C"));
    EXPECT_EQ(bar->TemperatureList()->count(), 6);
    EXPECT_EQ(frame->State().dclFactor, 1.0);
    EXPECT_EQ(probe::PointCount(W(KindDCL)), 29);

    // The user picks 80 % and 85 °C.
    bar->VoltageList()->setCurrentIndex(1);
    emit bar->VoltageList()->activated(1);
    bar->TemperatureList()->setCurrentIndex(3);
    emit bar->TemperatureList()->activated(3);
    EXPECT_EQ(frame->State().dclVoltagePercent, 80);
    EXPECT_EQ(frame->State().dclTemperature, 85);
    EXPECT_DOUBLE_EQ(frame->State().dclFactor, 0.609597233 * 6.636240739);

    // Closed and shown again, the leakage graph starts with the last conditions.
    Toggle(KindDCL);
    Toggle(KindDCL);
    bar = frame->GraphWindow(KindDCL)->GetDclBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->VoltageList()->currentText(), QStringLiteral("80%"));
    EXPECT_EQ(bar->TemperatureList()->currentText(), QString::fromUtf8(" 85°C"));
    EXPECT_DOUBLE_EQ(frame->State().dclFactor, 0.609597233 * 6.636240739);
}

TEST_F(MainFrameTest, WithTheLeakageWindowClosedTheConditionsAndCurvesGoBackTogether) {
    Start(&qak);
    Toggle(KindDCL);
    CDclBar* bar = frame->GraphWindow(KindDCL)->GetDclBar();
    ASSERT_NE(bar, nullptr);
    bar->VoltageList()->setCurrentIndex(2);
    emit bar->VoltageList()->activated(2);
    ASSERT_NE(frame->State().dclFactor, 1.0);

    // Closing the leakage window and opening another graph refills the graphs without a
    // recomputation; the data export then reads 100 % / 25 °C, so the leakage curve must be the
    // one of those conditions.
    Toggle(KindDCL);
    Toggle(KindRippleVoltage);
    EXPECT_EQ(frame->State().dclVoltagePercent, 100);
    EXPECT_EQ(frame->State().dclTemperature, 25);
    EXPECT_EQ(frame->State().dclFactor, 1.0);
    for (int i = 0; i < kDclPoints; ++i)
        EXPECT_DOUBLE_EQ(frame->State().dclAtConditions[i], frame->State().dclTypical[i]) << i;
}

TEST_F(MainFrameTest, LeakageBarOffers175OnlyForQaw) {
    Start(&qaw);
    Toggle(KindDCL);
    CDclBar* bar = frame->GraphWindow(KindDCL)->GetDclBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->TemperatureList()->count(), 7);
    bar->TemperatureList()->setCurrentIndex(6);
    emit bar->TemperatureList()->activated(6);
    EXPECT_EQ(frame->State().dclTemperature, 175);

    // Another series: the remembered 175 °C matches nothing and 25 °C is taken.
    selection.selected = &qak;
    ASSERT_EQ(frame->TakeChosenCapacitor(), 0);
    FlushDeletions();
    Toggle(KindDCL);
    bar = frame->GraphWindow(KindDCL)->GetDclBar();
    EXPECT_EQ(bar->TemperatureList()->count(), 6);
    EXPECT_EQ(bar->TemperatureList()->currentText(), QString::fromUtf8(" 25°C"));
    EXPECT_EQ(frame->State().dclFactor, 1.0);
}

TEST_F(MainFrameTest, GraphWindowCommandsCloseAllAndNext) {
    Start(&qak);
    CChildFrame* active = dynamic_cast<CChildFrame*>(frame->MdiArea()->activeSubWindow());
    ASSERT_NE(active, nullptr);
    frame->OnCommand(CChildFrame::kCommandNext);
    EXPECT_NE(frame->MdiArea()->activeSubWindow(), active);

    // The Window menu lists the open graph windows, the active one checked.
    QMenu* windowMenu =
        frame->menuBar()->actions().at(frame->menuBar()->actions().size() - 2)->menu();
    ASSERT_NE(windowMenu, nullptr);
    emit windowMenu->aboutToShow();
    QStringList listed;
    int checked = 0;
    for (QAction* a : windowMenu->actions()) {
        if (a->property("zeltaWindowList").toBool() && !a->isSeparator()) {
            listed << a->text();
            checked += a->isChecked() ? 1 : 0;
        }
    }
    ASSERT_EQ(listed.size(), 4);
    EXPECT_EQ(listed.front(), QStringLiteral("&1 The graph of DF - QAKB106M016R"));
    EXPECT_EQ(checked, 1);

    frame->OnCommand(CChildFrame::kCommandClose);
    FlushDeletions();
    EXPECT_EQ(OpenKinds().size(), 3u);

    frame->OnCommand(CChildFrame::kCommandCloseAll);
    FlushDeletions();
    EXPECT_TRUE(OpenKinds().empty());
    EXPECT_TRUE(frame->MdiArea()->subWindowList().isEmpty());
    // Without graph windows the frame's own short menu is back.
    EXPECT_FALSE(HoldsCommand(frame->menuBar(), 57650));
    EXPECT_TRUE(HoldsCommand(frame->menuBar(), 32774));
}

TEST_F(MainFrameTest, SParametersAreWrittenIntoTheChosenFolderWhichIsRemembered) {
    Start(&qak);
    const QString folder = QString::fromStdString(MakeTempDir("sparams"));
    dialogs.folder = folder;
    frame->SetTemperature(125.0);
    frame->OnCommand(32798);
    EXPECT_EQ(dialogs.browseTitle, QStringLiteral("Folders"));
    EXPECT_TRUE(dialogs.browseInitial.isEmpty());
    EXPECT_TRUE(QFile::exists(folder + "/QAKB106M016Rser.s2p"));
    EXPECT_TRUE(QFile::exists(folder + "/QAKB106M016Rshu.s2p"));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(CMainFrame::LastSParameterFolder(), folder);

    // The next time the browser opens at that folder; cancelling keeps it.
    dialogs.folder.clear();
    frame->OnCommand(32798);
    EXPECT_EQ(dialogs.browseInitial, folder);
    EXPECT_EQ(CMainFrame::LastSParameterFolder(), folder);

    // A folder that cannot take the files: the message, and no shunt file attempted.
    dialogs.folder = folder + "/missing/deeper";
    frame->OnCommand(32798);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].first, 34004);
    EXPECT_NE(sink.messages[0].second.find("missing/deeper/QAKB106M016Rser.s2p"),
              std::string::npos);
}

// The disk fills while the command writes: the earlier files stay whole, the message names
// the file, and no temporary file is left. The full disk is a file-size limit of the process.
TEST_F(MainFrameTest, SParametersOnAFullDiskLeaveTheEarlierFilesWhole) {
    Start(&qak);
    const QString folder = QString::fromStdString(MakeTempDir("sparams-full"));
    dialogs.folder = folder;
    frame->OnCommand(32798);
    ASSERT_TRUE(sink.messages.empty());
    const QString series = folder + "/QAKB106M016Rser.s2p";
    const QString shunt = folder + "/QAKB106M016Rshu.s2p";
    const auto bytes = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray earlierSeries = bytes(series), earlierShunt = bytes(shunt);
    ASSERT_GT(earlierSeries.size(), 20000);

    {
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit full = old;
        full.rlim_cur = 8192;
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &full);
        frame->OnCommand(32798);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
    }
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].first, 34053);
    EXPECT_EQ(sink.messages[0].second, "Cannot write file " + series.toStdString() + "\n");
    EXPECT_EQ(bytes(series), earlierSeries);
    EXPECT_EQ(bytes(shunt), earlierShunt);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"QAKB106M016Rser.s2p", "QAKB106M016Rshu.s2p"}));
}

TEST_F(MainFrameTest, ChooseAnotherCapacitorCreatesTheDialogOnceThenRaisesIt) {
    Start(&qak);
    frame->OnCommand(32785);
    EXPECT_EQ(selection.presented, &qak);
    EXPECT_EQ(selection.presentedTitle, QStringLiteral("Select capacitor"));
    frame->OnCommand(32785);
    EXPECT_EQ(selection.raised, 1);
}

TEST_F(MainFrameTest, GraphWindowsKeepTheirPlacesInProportion) {
    Start(&qak);
    frame->showNormal();
    frame->resize(1000, 800);
    QCoreApplication::processEvents();
    CChildFrame* df = frame->GraphWindow(KindDF);
    df->setGeometry(QRect(100, 50, 300, 200));
    const QSize before = frame->MdiArea()->size();
    frame->resize(frame->width() + before.width(), frame->height() + before.height());
    QCoreApplication::processEvents();
    const QSize after = frame->MdiArea()->size();
    ASSERT_EQ(after.width(), 2 * before.width());
    ASSERT_EQ(after.height(), 2 * before.height());
    EXPECT_EQ(df->geometry(), QRect(200, 100, 600, 400));
}

// Every window command, on a small and a large main window, leaves each graph window wholly
// inside the client area at a readable size.
TEST_F(MainFrameTest, EveryWindowCommandKeepsTheGraphsInsideAndReadable) {
    Start(&qak);
    for (const QSize mainSize : {QSize(800, 600), QSize(1600, 1000)}) {
        SCOPED_TRACE(testing::Message() << mainSize.width() << " x " << mainSize.height());
        frame->showNormal();
        frame->resize(mainSize);
        QCoreApplication::processEvents();
        const QRect area = frame->MdiArea()->viewport()->rect();
        ASSERT_GE(area.width(), 600);
        auto check = [&](const char* step) {
            FlushDeletions();
            QCoreApplication::processEvents();
            int shown = 0;
            for (QMdiSubWindow* w : frame->MdiArea()->subWindowList()) {
                if (w->isHidden())
                    continue;
                ++shown;
                const QRect r = w->geometry();
                EXPECT_TRUE(area.contains(r)) << step << ": " << r.x() << "," << r.y() << " "
                                              << r.width() << "x" << r.height();
                EXPECT_GE(r.width(), 300) << step;
                EXPECT_GE(r.height(), 200) << step;
            }
            EXPECT_GT(shown, 0) << step;
        };
        auto menuCommand = [&](int id) {
            QAction* action = FindCommand(frame->menuBar(), id);
            ASSERT_NE(action, nullptr) << id;
            action->trigger();
        };
        check("start");
        // Each kind from the Graph menu, one after the other, until all seven are open.
        for (int id : {32791, 32792, 32797})
            menuCommand(id), check("open from the Graph menu");
        // A window laid down as an icon comes back whole with every arrangement.
        for (int id : {CMainFrame::ID_WINDOW_CASCADE, CMainFrame::ID_WINDOW_TILE_HORZ,
                       CMainFrame::ID_WINDOW_TILE_VERT}) {
            W(KindDF)->showMinimized();
            menuCommand(id), check("arrange seven");
        }
        menuCommand(CMainFrame::ID_WINDOW_CASCADE);
        // A window closed and shown again from the Graph menu.
        Toggle(KindESR);
        menuCommand(32782);
        check("reopen after cascade");
        // Close all, then every kind again from the menu of the frame.
        menuCommand(CChildFrame::kCommandCloseAll);
        for (int id : {32780, 32782, 32779, 32781, 32791, 32792, 32797})
            menuCommand(id), check("open after close all");
        menuCommand(CMainFrame::ID_WINDOW_TILE_HORZ);
        dialogs.compareFirst = &qak;
        dialogs.compareSecond = &qakSmall;
        menuCommand(CMainFrame::ID_COMPARISON);
        check("comparison on");
        menuCommand(CMainFrame::ID_WINDOW_CASCADE);
        check("cascade in comparison");
        menuCommand(CMainFrame::ID_CANCEL_COMPARISON);
        menuCommand(32797);
        check("comparison off");
        // Cascade steps by one title bar: the second window starts below the first's title.
        menuCommand(CMainFrame::ID_WINDOW_CASCADE);
        const QList<QMdiSubWindow*> windows =
            frame->MdiArea()->subWindowList(QMdiArea::CreationOrder);
        ASSERT_GE(windows.size(), 2);
        EXPECT_EQ(windows[0]->geometry().topLeft(), area.topLeft());
        EXPECT_GT(windows[1]->y(), windows[0]->y() + 10);
        EXPECT_EQ(windows[1]->x() - windows[0]->x(), windows[1]->y() - windows[0]->y());
        EXPECT_EQ(windows[0]->width(), area.width() * 3 / 4);
        EXPECT_EQ(windows[0]->height(), area.height() * 3 / 4);
    }
}

// Each graph window carries its kind's icon; the status bar falls back to "Ready" whenever no
// prompt shows; the eight temperature commands are marked as one choice.
TEST_F(MainFrameTest, KindIconsReadyTextAndOneTemperatureMark) {
    Start(&qak);
    for (int kind : OpenKinds()) {
        const QImage expected =
            library.Icon(W(kind)->Template()->ResourceId()).pixmap(32).toImage();
        ASSERT_FALSE(expected.isNull()) << kind;
        EXPECT_EQ(W(kind)->windowIcon().pixmap(32).toImage(), expected) << kind;
    }
    QStatusBar* bar = frame->statusBar();
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("Ready"));
    QStatusTipEvent prompt(QStringLiteral("Select capacitor"));
    QCoreApplication::sendEvent(frame.get(), &prompt);
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("Select capacitor"));
    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(frame.get(), &leave);
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("Ready"));
    // A prompt left over when a command opened a dialog goes once the command is done.
    bar->showMessage(QStringLiteral("Select capacitor"));
    frame->OnCommand(CMainFrame::ID_CANCEL_COMPARISON);
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("Ready"));

    QActionGroup* group = nullptr;
    for (int id : {32774, 32775, 32776, 32789, 32777, 32802, 32803, 32778}) {
        QAction* action = FindCommand(frame->menuBar(), id);
        ASSERT_NE(action, nullptr) << id;
        ASSERT_NE(action->actionGroup(), nullptr) << id;
        EXPECT_TRUE(action->actionGroup()->isExclusive());
        if (group == nullptr)
            group = action->actionGroup();
        EXPECT_EQ(action->actionGroup(), group) << id;
    }
    frame->OnCommand(32776);
    EXPECT_EQ(group->checkedAction(), FindCommand(frame->menuBar(), 32776));
    int checked = 0;
    for (QAction* action : group->actions())
        checked += action->isChecked() ? 1 : 0;
    EXPECT_EQ(checked, 1);
}

} // namespace
