// The find dialog against zeltacli find, a found part taken as the selection dialog takes
// one, and the exports at the selected temperature, on the shipped catalogue.

#include "Axis.h"
#include "CCapacitorStore.h"
#include "CChildFrame.h"
#include "CGraphDocTemplate.h"
#include "CMainFrame.h"
#include "CliRun.h"
#include "DialogResources.h"
#include "DialogTemplate.h"
#include "FindImpedanceDlg.h"
#include "FrameDialogs.h"
#include "FrequencyResponse.h"
#include "Graph.h"
#include "MenuBarLayout.h"
#include "ModelVector.h"
#include "ResourceLibrary.h"
#include "ResourceMenus.h"
#include "StoreCatalogue.h"
#include "TestEnvironment.h"
#include "WorkingState.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kProduct = std::string(ZELTA_SOURCE_DIR) + "/product";

class SilentSink : public IMessageSink {
public:
    void ShowMessage(int, MessageIcon, const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

struct Query {
    const char* target;
    const char* from;
    const char* to;
    const char* temperature;
    int maxCount;
    const char* ripple; // "" for none
    const char* rippleAt;
    const char* minVoltage;
    int technology;
    const char* arguments; // the same query for zeltacli
};

const Query kQueries[] = {
    {"20m", "100k", "1M", "25", 10, "", "", "", 0, "--max-impedance 20m --from 100k --to 1M"},
    {"20m", "100k", "1M", "85", 6, "2", "100k", "10", 3,
     "--max-impedance 20m --from 100k --to 1M --temperature 85 --max-count 6 "
     "--ripple-current 2 --at 100k --min-voltage 10 --technology 3"},
    {"0.1", "1k", "100k", "-55", 20, "", "", "", 2,
     "--max-impedance 0.1 --from 1k --to 100k --temperature -55 --max-count 20 --technology 2"},
};

void FillDialog(CFindImpedanceDlg& dialog, const Query& q) {
    using D = CFindImpedanceDlg;
    Control<QLineEdit>(&dialog, D::IDC_TARGET)->setText(q.target);
    Control<QLineEdit>(&dialog, D::IDC_FROM)->setText(q.from);
    Control<QLineEdit>(&dialog, D::IDC_TO)->setText(q.to);
    Control<QLineEdit>(&dialog, D::IDC_TEMPERATURE)->setText(q.temperature);
    Control<QSpinBox>(&dialog, D::IDC_MAX_COUNT)->setValue(q.maxCount);
    Control<QLineEdit>(&dialog, D::IDC_RIPPLE)->setText(q.ripple);
    Control<QLineEdit>(&dialog, D::IDC_RIPPLE_AT)->setText(q.rippleAt);
    Control<QLineEdit>(&dialog, D::IDC_MIN_VOLTAGE)->setText(q.minVoltage);
    Control<QComboBox>(&dialog, D::IDC_TECHNOLOGY)->setCurrentIndex(q.technology);
}

// The cells of zeltacli find's text table: columns stand two or more blanks apart.
std::vector<std::vector<std::string>> TextCells(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    const std::regex gap("  +");
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        rows.emplace_back(std::sregex_token_iterator(line.begin(), line.end(), gap, -1),
                          std::sregex_token_iterator());
    }
    return rows;
}

// The dialogs of the frame: the find dialog is driven as a user would drive it.
class ScriptedDialogs : public IFrameDialogs {
public:
    bool RunCustomTemperature(QWidget*, int, int, int, int*) override { return false; }
    bool RunMeasurementPoint(QWidget*, double, const QString&, int, double*, int*) override {
        return false;
    }
    bool RunComparison(QWidget*, const CapacitorRecord*, const CapacitorRecord*,
                       const CapacitorRecord*, const CapacitorRecord**,
                       const CapacitorRecord**) override {
        return false;
    }
    void ShowEquivalentCircuit(QWidget*, const CapacitorRecord*) override {}
    QString BrowseForFolder(QWidget*, const QString& title, const QString&) override {
        browseTitle = title;
        return folder;
    }
    bool RunFindImpedance(QWidget* parent, const IFilterCatalogue& catalogue, double temperature,
                          const CapacitorRecord** chosen) override {
        CFindImpedanceDlg dialog(catalogue, parent);
        dialog.Initialise(temperature);
        FillDialog(dialog, kQueries[0]);
        if (!dialog.Search())
            return false;
        Control<QTableWidget>(&dialog, CFindImpedanceDlg::IDC_TABLE)->selectRow(row);
        *chosen = dialog.Chosen();
        found = *chosen;
        return *chosen != nullptr;
    }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return saveTo;
    }
    bool AskYesNo(QWidget*, const QString&) override { return answerYes; }

    int row = 2;
    const CapacitorRecord* found = nullptr;
    QString folder, browseTitle, saveTo;
    bool answerYes = true;
};

class FindAndExportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library = new CResourceLibrary;
        library->SetLanguage(CResourceLibrary::Language::English);
        ASSERT_EQ(library->Load(), 0) << library->ErrorDetail().toStdString();
        SetDialogResources(&resources);
        store = new CCapacitorStore(sink, *library);
        ASSERT_EQ(LoadStoreFromDirectory(*store, kProduct), 0);
        catalogue = new CStoreCatalogue(*store);
    }
    static void TearDownTestSuite() {
        SetDialogResources(nullptr);
        delete catalogue;
        delete store;
        delete library;
    }

    std::unique_ptr<CMainFrame> MakeFrame() {
        templates = CreateGraphDocTemplates(*library);
        std::array<const CGraphDocTemplate*, kGraphKindCount> order{};
        for (size_t i = 0; i < templates.size(); ++i)
            order[i] = templates[i].get();
        MainFrameServices services;
        services.strings = library;
        services.menus = &menus;
        services.messages = &frameSink;
        services.dialogs = &dialogs;
        services.catalogue = catalogue;
        auto frame = std::make_unique<CMainFrame>(order, services);
        frame->resize(1000, 800);
        return frame;
    }
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The library's dialog resources (texts only are needed here).
    class LibraryResources : public IDialogResources {
    public:
        QWidget* LoadDialog(int id, QWidget* parent) override {
            return library->LoadDialog(id, parent).release();
        }
        QString LoadString(int id) override { return library->String(id); }
        QPixmap LoadBitmap(int id) override { return library->Bitmap(id); }
        QCursor LoadCursor(int) override { return QCursor(); }
    };

    static inline CResourceLibrary* library = nullptr;
    static inline LibraryResources resources;
    static inline SilentSink sink;
    static inline CCapacitorStore* store = nullptr;
    static inline CStoreCatalogue* catalogue = nullptr;
    CResourceMenuSource menus{*library};
    SilentSink frameSink;
    ScriptedDialogs dialogs;
    std::vector<std::unique_ptr<CGraphDocTemplate>> templates;
};

TEST_F(FindAndExportTest, TheDialogsTableIsWhatZeltacliFindAnswers) {
    for (const Query& q : kQueries) {
        SCOPED_TRACE(q.arguments);
        CFindImpedanceDlg dialog(*catalogue);
        dialog.Initialise(25.0);
        FillDialog(dialog, q);
        ASSERT_TRUE(dialog.Search());
        ASSERT_FALSE(dialog.Matches().empty());

        const CliRun csv = RunCommandLine(Quote(ZELTACLI_PATH) + " --data " + Quote(kProduct) +
                                          " find " + q.arguments + " --format csv");
        ASSERT_EQ(csv.status, 0) << csv.err;
        EXPECT_EQ(dialog.TableCsv().toStdString(), csv.out);

        // The cells shown are the cells of the text table, row by row.
        const CliRun text = RunCommandLine(Quote(ZELTACLI_PATH) + " --data " + Quote(kProduct) +
                                           " find " + q.arguments);
        ASSERT_EQ(text.status, 0) << text.err;
        const auto rows = TextCells(text.out);
        const auto* table = Control<QTableWidget>(&dialog, CFindImpedanceDlg::IDC_TABLE);
        ASSERT_EQ(static_cast<int>(rows.size()), table->rowCount() + 1);
        for (int r = 0; r < table->rowCount(); ++r) {
            for (size_t c = 0; c < rows[r + 1].size(); ++c)
                ASSERT_EQ(table->item(r, static_cast<int>(c))->text().toStdString(), rows[r + 1][c])
                    << "row " << r << " column " << c;
        }
    }
}

TEST_F(FindAndExportTest, SortingByAColumnReordersTheCopyAndKeepsTheChosenPart) {
    CFindImpedanceDlg dialog(*catalogue);
    dialog.Initialise(25.0);
    FillDialog(dialog, kQueries[0]);
    ASSERT_TRUE(dialog.Search());
    auto* table = Control<QTableWidget>(&dialog, CFindImpedanceDlg::IDC_TABLE);
    ASSERT_GT(table->rowCount(), 3);
    table->sortByColumn(4, Qt::DescendingOrder); // capacitance, as a number
    double previous = 1e300;
    for (int r = 0; r < table->rowCount(); ++r) {
        const double c = table->item(r, 4)->data(Qt::UserRole).toDouble();
        EXPECT_LE(c, previous);
        previous = c;
    }
    table->selectRow(1);
    ASSERT_NE(dialog.Chosen(), nullptr);
    EXPECT_EQ(table->item(1, 3)->text().toStdString(), dialog.Chosen()->partNumber);
    const std::string csv = dialog.TableCsv().toStdString();
    EXPECT_NE(csv.find(std::string("\r\n") + table->item(0, 0)->text().toStdString() + ","),
              std::string::npos);

    // A value the search cannot use says so and keeps the table.
    Control<QLineEdit>(&dialog, CFindImpedanceDlg::IDC_TARGET)->setText("twenty");
    EXPECT_FALSE(dialog.Search());
    EXPECT_FALSE(Control<QLabel>(&dialog, CFindImpedanceDlg::IDC_STATUS)->text().isEmpty());
    EXPECT_GT(table->rowCount(), 3);
    Control<QLineEdit>(&dialog, CFindImpedanceDlg::IDC_TARGET)->setText("20m");
    Control<QLineEdit>(&dialog, CFindImpedanceDlg::IDC_FROM)->setText("2M");
    EXPECT_FALSE(dialog.Search()); // the band reversed
}

TEST_F(FindAndExportTest, AChosenRowBecomesTheCurrentCapacitorAsTheSelectionDialogsOkDoes) {
    auto frame = MakeFrame();
    frame->SetCurrentCapacitor(store->GetAt(0));
    ASSERT_EQ(frame->ShowInitialGraphs(), 0);
    frame->SetTemperature(125);
    frame->ToggleGraphWindow(KindDCL);

    // The command sits in the menu holding "Choose Another Capacitor", right after it.
    QList<QAction*> fileItems = frame->menuBar()->actions().at(0)->menu()->actions();
    ASSERT_GT(fileItems.size(), 2);
    EXPECT_EQ(CommandIdOf(fileItems.at(0)), 32785);
    EXPECT_EQ(CommandIdOf(fileItems.at(1)), 32810);

    frame->OnCommand(CMainFrame::ID_FIND_IMPEDANCE);
    ASSERT_NE(dialogs.found, nullptr);
    QCoreApplication::sendPostedEvents(); // queued like the selection dialog's confirmation
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame->GetCurrentCapacitor(), dialogs.found);

    // What the selection dialog's OK leaves: the same part, temperature and four graphs.
    CWorkingState expected;
    expected.selectedTemperature = 125;
    expected.TakeCapacitor(dialogs.found);
    EXPECT_EQ(frame->State().selectedTemperature, expected.selectedTemperature);
    for (int kind = 0; kind < kGraphKindCount; ++kind)
        EXPECT_EQ(frame->GraphWindow(kind) != nullptr, kind == KindDF || kind == KindESR ||
                                                           kind == KindImpedance ||
                                                           kind == KindCapacitance)
            << kind;
    frame.reset();
}

// |Z| from one data line's S11: series S11 = Z / (Z + 2 Z0), shunt S11 = -Z0 / (2 Z + Z0).
double ImpedanceFromS11(double decibels, double degrees, bool shunt) {
    const std::complex<double> s =
        std::polar(std::pow(10.0, decibels / 20.0), degrees * M_PI / 180.0);
    const double z0 = 50.0;
    return std::abs(shunt ? (-z0 / s - z0) / 2.0 : 2.0 * z0 * s / (1.0 - s));
}

TEST_F(FindAndExportTest, SParameterFilesAtTheSelectedTemperatureGiveTheEnginesImpedance) {
    auto frame = MakeFrame();
    const CapacitorRecord* part = store->GetAt(100);
    frame->SetCurrentCapacitor(part);
    ASSERT_EQ(frame->ShowInitialGraphs(), 0);
    frame->SetTemperature(85);
    dialogs.folder = QString::fromStdString(MakeTempDir("sparams-at"));
    frame->OnCommand(CMainFrame::ID_SPARAMETERS_AT_TEMPERATURE);
    EXPECT_TRUE(frameSink.shown.empty());

    ModelVector at85, at25;
    BuildModelVector(*part, at25);
    at85 = at25;
    ScaleModelToTemperature(*part, at85, 85);
    for (bool shunt : {false, true}) {
        SCOPED_TRACE(shunt ? "shunt" : "series");
        std::ifstream in(dialogs.folder.toStdString() + "/" + part->partNumber +
                         (shunt ? "shu.s2p" : "ser.s2p"));
        std::string line;
        ASSERT_TRUE(std::getline(in, line));
        EXPECT_EQ(line, std::string("! ") + part->partNumber + " at 85 degC");
        int data = 0;
        bool differsFrom25 = false;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '!' || line[0] == '#')
                continue;
            std::istringstream fields(line);
            double f = 0, db = 0, deg = 0;
            fields >> f >> db >> deg;
            FrequencyPoint p{}, p25{};
            p.frequency = p25.frequency = f;
            EvaluatePoint(*part, p, at85, true);
            EvaluatePoint(*part, p25, at25, true);
            // Each file reads best where its S11 is far from 1.
            if ((p.impedanceMagnitude > 50.0) == shunt) {
                const double z = ImpedanceFromS11(db, deg, shunt);
                EXPECT_NEAR(z / p.impedanceMagnitude, 1.0, 2e-3) << f;
                if (std::fabs(p25.impedanceMagnitude / p.impedanceMagnitude - 1.0) > 2e-2)
                    differsFrom25 = true;
            }
            ++data;
        }
        EXPECT_EQ(data, 301);
        EXPECT_TRUE(differsFrom25 || shunt);
    }
    frame.reset();
}

TEST_F(FindAndExportTest, KeysMoveEveryFollowingCursorAndTheStatusBarNamesEachCurve) {
    auto frame = MakeFrame();
    const CapacitorRecord* part = store->GetAt(100);
    frame->SetCurrentCapacitor(part);
    ASSERT_EQ(frame->ShowInitialGraphs(), 0);
    frame->SetTemperature(85);
    frame->show();
    CGraph* impedance = frame->GraphWindow(KindImpedance)->GetActiveView();
    const double* x = impedance->Painter().XValues();
    const int count = impedance->PointCount();
    ASSERT_GT(count, 100);
    // Every frequency graph follows; each crosshair sits at the grid point of the key.
    const auto expectAt = [&](int index) {
        for (int kind : {KindDF, KindESR, KindImpedance, KindCapacitance}) {
            CGraph* view = frame->GraphWindow(kind)->GetActiveView();
            EXPECT_TRUE(view->CrosshairShown()) << kind;
            EXPECT_EQ(view->LastCrosshair().x(), view->XToPixel(x[index], view->width()))
                << kind << " at " << index;
        }
    };
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, k, modifiers);
        QCoreApplication::sendEvent(impedance, &press);
    };
    key(Qt::Key_Right); // the first key starts from the middle
    expectAt(count / 2 + 1);
    key(Qt::Key_Right, Qt::ShiftModifier);
    expectAt(count / 2 + 11);
    key(Qt::Key_Left);
    expectAt(count / 2 + 10);

    // The readout names both temperature curves with their values at that point.
    const QString readout = frame->statusBar()->currentMessage();
    const int i = count / 2 + 10;
    for (const std::string& expected :
         {std::string(part->partNumber) +
              " @25\xC2\xB0"
              "C: " +
              FormatSI(frame->State().referenceCurves.impedanceMagnitude[i]) + "Ohm",
          std::string(part->partNumber) +
              " @85\xC2\xB0"
              "C: " +
              FormatSI(frame->State().temperatureCurves.impedanceMagnitude[i]) + "Ohm"})
        EXPECT_TRUE(readout.contains(QString::fromStdString(expected)))
            << readout.toStdString() << " lacks " << expected;

    key(Qt::Key_Escape); // ends the pick: every crosshair goes
    for (int kind : {KindDF, KindESR, KindImpedance, KindCapacitance})
        EXPECT_FALSE(frame->GraphWindow(kind)->GetActiveView()->CrosshairShown()) << kind;
    frame.reset();
}

TEST_F(FindAndExportTest, SavedGraphsOpenAndSavedDataCarryTheCurvesWithUnits) {
    auto frame = MakeFrame();
    const CapacitorRecord* part = store->GetAt(100);
    frame->SetCurrentCapacitor(part);
    ASSERT_EQ(frame->ShowInitialGraphs(), 0);
    frame->SetTemperature(85);
    CChildFrame* impedance = frame->GraphWindow(KindImpedance);
    ASSERT_NE(impedance, nullptr);
    frame->MdiArea()->setActiveSubWindow(impedance);
    const std::string dir = MakeTempDir("save-graph");
    for (const char* name : {"/z.png", "/z.svg", "/z.pdf"}) {
        SCOPED_TRACE(name);
        dialogs.saveTo = QString::fromStdString(dir + name);
        frame->OnCommand(CMainFrame::ID_SAVE_GRAPH);
        const std::string text = ReadAll(dir + name);
        ASSERT_FALSE(text.empty());
        if (std::strcmp(name, "/z.png") == 0) {
            QImage image;
            ASSERT_TRUE(image.load(QString::fromStdString(dir + name)));
            EXPECT_GE(image.width(), 400);
        } else if (std::strcmp(name, "/z.svg") == 0) {
            QSvgRenderer svg(QByteArray::fromStdString(text));
            EXPECT_TRUE(svg.isValid());
            EXPECT_NE(text.find(part->partNumber), std::string::npos);
        } else {
            const CliRun pdf = RunCommandLine("pdftotext " + Quote(dir + name) + " -");
            ASSERT_EQ(pdf.status, 0) << pdf.err;
            EXPECT_NE(pdf.out.find(part->partNumber), std::string::npos) << pdf.out;
        }
    }
    EXPECT_TRUE(frameSink.shown.empty());

    dialogs.saveTo = QString::fromStdString(dir + "/z.csv");
    frame->OnCommand(CMainFrame::ID_SAVE_DATA);
    std::istringstream csv(ReadAll(dir + "/z.csv"));
    std::string line;
    ASSERT_TRUE(std::getline(csv, line));
    EXPECT_EQ(line, "Frequency [Hz]," + std::string(part->partNumber) + " @25°C [Ohm]," +
                        part->partNumber + " @85°C [Ohm]\r");
    int rows = 0;
    while (std::getline(csv, line)) {
        double f = 0, z25 = 0, z85 = 0;
        char comma = 0;
        std::istringstream fields(line);
        fields >> f >> comma >> z25 >> comma >> z85;
        EXPECT_DOUBLE_EQ(z85, frame->State().temperatureCurves.impedanceMagnitude[rows]);
        ++rows;
    }
    EXPECT_EQ(rows, frame->State().pointCount);
    frame.reset();
}

} // namespace
