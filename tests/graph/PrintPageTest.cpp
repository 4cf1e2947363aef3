#include "GraphTestSupport.h"

#include "GraphResources.h"
#include "PrintPage.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const QColor kCurveColours[4] = {QColor(192, 0, 0), QColor(0, 0, 192), QColor(255, 0, 160),
                                 QColor(160, 0, 255)};

// Each kind draws its own set of curves, so a cell shows which graph it holds.
const std::set<int> kSignature[kGraphKindCount] = {{0},       {0, 1},    {0, 2},   {0, 3},
                                                   {0, 1, 2}, {0, 1, 3}, {0, 2, 3}};

class FakeResources : public IGraphResources {
public:
    std::string GetString(int id) const override {
        switch (id) {
        case IDS_SOFTWARE_VERSION:
            return "Software version: %.1f";
        case IDS_MAKER_LINE1:
            return "Maker line one";
        case IDS_MAKER_LINE2:
            return "Maker line two";
        default:
            return "";
        }
    }
    QImage GetBitmap(int id) const override {
        if (id != IDB_LOGO)
            return QImage();
        QImage logo(120, 60, QImage::Format_RGB32);
        logo.fill(QColor(0, 160, 0));
        return logo;
    }
};

class PrintPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 10; ++i)
            x.push_back(i);
        for (int k = 0; k < 4; ++k)
            curves[k].assign(10, 1.0 + k);
        for (int kind = 0; kind < kGraphKindCount; ++kind) {
            views[kind] = std::make_unique<CGraph>();
            const std::set<int>& s = kSignature[kind];
            views[kind]->SetData(
                10, x.data(), curves[0].data(), s.count(1) ? curves[1].data() : nullptr,
                s.count(2) ? curves[2].data() : nullptr, s.count(3) ? curves[3].data() : nullptr);
        }
        input.resources = &resources;
        input.description = "T491A105K010";
    }

    void Open(std::initializer_list<GraphKind> kinds) {
        for (GraphKind kind : kinds)
            input.windows[kind] = {true, views[kind].get()};
    }

    QImage Compose(int width = 1130, int height = 873) {
        QImage page(width, height, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        result = ComposePrintPage(&painter, input);
        painter.end();
        return page;
    }

    static std::set<int> ColoursIn(const QImage& page, int x0, int y0, int w, int h) {
        std::set<int> found;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                for (int k = 0; k < 4; ++k)
                    if (QColor(page.pixel(x, y)) == kCurveColours[k])
                        found.insert(k);
        return found;
    }

    std::vector<double> x;
    std::vector<double> curves[4];
    std::unique_ptr<CGraph> views[kGraphKindCount];
    FakeResources resources;
    PrintPageInput input;
    int result = 99;
};

struct Placement {
    GraphKind kind;
    int column; // 0: x = 10, 1: x = e + 20
    int row;    // y = 70 + row * (d + 10)
};

struct PageCase {
    const char* name;
    std::vector<GraphKind> open;
    int e;
    int d;
    std::vector<Placement> cells;
    std::vector<std::pair<int, int>> empty; // (column, row) left blank
};

class PageCellsTest : public PrintPageTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PageCellsTest, GraphsGoWhereTheTableSays) {
    const PageCase& c = GetParam();
    for (GraphKind kind : c.open)
        input.windows[kind] = {true, views[kind].get()};
    const QImage page = Compose();
    ASSERT_EQ(result, 0);
    for (const Placement& p : c.cells) {
        const int x0 = p.column == 0 ? 10 : c.e + 20;
        const int y0 = 70 + p.row * (c.d + 10);
        EXPECT_EQ(ColoursIn(page, x0, y0, c.e, c.d), kSignature[p.kind])
            << c.name << ": kind " << p.kind;
        // The cell's own frame: the y axis and right frame line of a graph drawn at e x d.
        for (int column : {x0 + 60, x0 + c.e - 40}) {
            int black = 0;
            for (int y = y0 + 41; y < y0 + c.d - 40; ++y)
                black += IsColour(page, column, y, QColor(0, 0, 0)) ? 1 : 0;
            EXPECT_GT(black, (c.d - 81) * 3 / 4) << c.name << " column " << column;
        }
    }
    for (const auto& [column, row] : c.empty) {
        const int x0 = column == 0 ? 10 : c.e + 20;
        const int y0 = 70 + row * (c.d + 10);
        EXPECT_FALSE(HasDarkPixel(page, x0, y0, x0 + c.e - 1, y0 + c.d - 1)) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Counts, PageCellsTest,
    ::testing::Values(
        PageCase{"one", {KindImpedance}, 1110, 733, {{KindImpedance, 0, 0}}, {}},
        PageCase{"two", {KindDF, KindESR}, 1110, 366, {{KindESR, 0, 0}, {KindDF, 0, 1}}, {}},
        PageCase{"three with impedance",
                 {KindDF, KindESR, KindImpedance},
                 550,
                 366,
                 {{KindESR, 0, 0}, {KindImpedance, 1, 0}, {KindDF, 0, 1}},
                 {{1, 1}}},
        PageCase{"three without impedance",
                 {KindDF, KindESR, KindCapacitance},
                 550,
                 366,
                 {{KindCapacitance, 0, 0}, {KindESR, 1, 0}, {KindDF, 1, 1}},
                 {{0, 1}}},
        PageCase{"five with ripple current only",
                 {KindDF, KindESR, KindImpedance, KindCapacitance, KindRippleCurrent},
                 550,
                 244,
                 {{KindCapacitance, 0, 0},
                  {KindESR, 1, 0},
                  {KindImpedance, 0, 1},
                  {KindDF, 1, 1},
                  {KindRippleCurrent, 1, 2}},
                 {{0, 2}}},
        PageCase{"five with ripple voltage",
                 {KindDF, KindESR, KindImpedance, KindCapacitance, KindRippleVoltage},
                 550,
                 244,
                 {{KindCapacitance, 0, 0},
                  {KindESR, 1, 0},
                  {KindImpedance, 0, 1},
                  {KindDF, 1, 1},
                  {KindRippleVoltage, 0, 2}},
                 {{1, 2}}},
        PageCase{"seven",
                 {KindDF, KindESR, KindImpedance, KindCapacitance, KindRippleVoltage,
                  KindRippleCurrent, KindDCL},
                 550,
                 183,
                 {{KindCapacitance, 0, 0},
                  {KindESR, 1, 0},
                  {KindImpedance, 0, 1},
                  {KindDF, 1, 1},
                  {KindRippleVoltage, 0, 2},
                  {KindRippleCurrent, 1, 2},
                  {KindDCL, 0, 3}},
                 {{1, 3}}}));

TEST(VersionTextTest, OnlyOneFloatingConversionIsFormatted) {
    EXPECT_EQ(FormatVersionText("Software version: %.1f", 2.0), "Software version: 2.0");
    EXPECT_EQ(FormatVersionText("100%% %g", 2.0), "100% 2");
    // Texts that would make printf read a missing or wrong argument stay as they are.
    EXPECT_EQ(FormatVersionText("Version %s", 2.0), "Version %s");
    EXPECT_EQ(FormatVersionText("%.1f and %.1f", 2.0), "%.1f and %.1f");
    EXPECT_EQ(FormatVersionText("%d", 2.0), "%d");
    EXPECT_EQ(FormatVersionText("ends with %", 2.0), "ends with %");
    EXPECT_EQ(FormatVersionText("plain", 2.0), "plain");
}

TEST_F(PrintPageTest, WindowWithoutViewIsSkippedButCounted) {
    Open({KindESR, KindImpedance});
    input.windows[KindCapacitance] = {true, nullptr};
    const QImage page = Compose();
    ASSERT_EQ(result, 0);
    // n = 3: cells of 550 x 366; ESR takes k = 0 although the capacitance window comes first.
    EXPECT_EQ(ColoursIn(page, 10, 70, 550, 366), kSignature[KindESR]);
    EXPECT_EQ(ColoursIn(page, 570, 70, 550, 366), kSignature[KindImpedance]);
    EXPECT_FALSE(HasDarkPixel(page, 10, 446, 559, 811));
}

TEST_F(PrintPageTest, HeaderAndFooter) {
    Open({KindDF});
    const QImage page = Compose();
    ASSERT_EQ(result, 0);
    // The logo's top-left 92 x 39 at (10, 3).
    const QColor green(0, 160, 0);
    EXPECT_TRUE(IsColour(page, 10, 3, green));
    EXPECT_TRUE(IsColour(page, 101, 41, green));
    EXPECT_FALSE(IsColour(page, 102, 20, green));
    EXPECT_FALSE(IsColour(page, 50, 42, green));
    // Product name with its grey shadow, capacitor centred on (P / 2, 50).
    EXPECT_TRUE(HasDarkPixel(page, 113, 20, 300, 48));
    bool grey = false;
    for (int y = 20; y < 52 && !grey; ++y)
        for (int x = 115; x < 300 && !grey; ++x)
            grey = IsColour(page, x, y, QColor(192, 192, 192));
    EXPECT_TRUE(grey);
    EXPECT_TRUE(HasDarkPixel(page, 565 - 40, 40, 565 + 40, 60));
    // Footer rows: bottoms at Q - 26 and Q - 10 on the left, the version on the right.
    EXPECT_TRUE(HasDarkPixel(page, 10, 873 - 38, 120, 873 - 27));
    EXPECT_TRUE(HasDarkPixel(page, 10, 873 - 22, 120, 873 - 11));
    EXPECT_TRUE(HasDarkPixel(page, 1130 - 60, 873 - 22, 1130 - 15, 873 - 11));
    EXPECT_FALSE(HasDarkPixel(page, 1130 - 13, 873 - 30, 1129, 872));
}

TEST_F(PrintPageTest, PortraitPageAndFailures) {
    Open({KindDF, KindESR});
    // Portrait device: P = 800, Q = 800 * 1100 / 850 = 1035, cells 780 x 447.
    const QImage page = Compose(850, 1100);
    ASSERT_EQ(result, 0);
    const double scale = 850.0 / 800.0;
    EXPECT_TRUE(IsColour(page, static_cast<int>((10 + 60) * scale), static_cast<int>(300 * scale),
                         QColor(0, 0, 0)) ||
                IsColour(page, static_cast<int>((10 + 60) * scale) + 1,
                         static_cast<int>(300 * scale), QColor(0, 0, 0)));

    EXPECT_EQ(ComposePrintPage(nullptr, input), -1);
    input.windows = {};
    Compose();
    EXPECT_EQ(result, -1);
}

TEST_F(PrintPageTest, PrintingComposesOnePagePdfThroughTheHost) {
    Open({KindDF, KindESR, KindImpedance});
    FakeGraphHost host;
    host.onPrintPage = [this](QPainter* surface) { return ComposePrintPage(surface, input); };
    CGraph& printing = *views[KindESR];
    printing.SetHost(&host);
    const QString path = QString::fromStdString(MakeTempDir("print") + "/page.pdf");
    ASSERT_EQ(printing.PrintToPdf(path), 0);
    EXPECT_TRUE(host.composingDuringPrint);
    EXPECT_FALSE(CGraph::composingPage);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    EXPECT_TRUE(data.startsWith("%PDF"));
    EXPECT_GT(data.size(), 10000);
    printing.SetHost(nullptr);
}

TEST_F(PrintPageTest, ViewDrawsItselfWhileThePageIsBeingComposed) {
    FakeGraphHost host;
    int calls = 0;
    host.onPrintPage = [&calls](QPainter*) { return ++calls; };
    CGraph& view = *views[KindDF];
    view.SetHost(&host);
    QImage surface(400, 300, QImage::Format_RGB32);
    surface.fill(Qt::white);
    QPainter painter(&surface);
    CGraph::composingPage = true;
    view.PrintOnSurface(&painter);
    CGraph::composingPage = false;
    painter.end();
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(IsColour(surface, 60, 100, QColor(0, 0, 0))); // laid out for 400 x 300
    EXPECT_TRUE(IsColour(surface, 360, 100, QColor(0, 0, 0)));
    view.SetHost(nullptr);
}

TEST_F(PrintPageTest, FirstPrintDefaultsToLandscapeUnlessSetupCameFirst) {
    CGraph view;
    CGraph::forceLandscape = true;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Portrait);
    view.PreparePrinting(printer);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_FALSE(CGraph::forceLandscape);
    // Once per run: the user's later portrait choice stays.
    printer.setPageOrientation(QPageLayout::Portrait);
    view.PreparePrinting(printer);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);

    CGraph::forceLandscape = true;
    bool ran = false;
    view.OnFilePrintSetup([&ran](QPrinter&) {
        ran = true;
        return true;
    });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(CGraph::forceLandscape);
    view.PreparePrinting(printer);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
}

// The output of a poppler tool run on `pdf`; empty when it cannot run.
QString PopplerOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A printed page of four graphs holds the graphs as lines and text, not as pictures: the
// legend's part number can be extracted, the drawing is made of paths, and the only picture
// is the header's logo, stored without JPEG compression.
TEST_F(PrintPageTest, PrintedPdfHoldsVectorPathsAndSelectableText) {
    Open({KindDF, KindESR, KindImpedance, KindCapacitance});
    for (GraphKind kind : {KindDF, KindESR, KindImpedance, KindCapacitance})
        views[kind]->SetLegend(LegendTopRight, "QAKB106M016R @25\u00b0C", nullptr, nullptr,
                               nullptr);
    input.description = "";
    FakeGraphHost host;
    host.onPrintPage = [this](QPainter* surface) { return ComposePrintPage(surface, input); };
    CGraph& printing = *views[KindDF];
    printing.SetHost(&host);
    const QString folder = QString::fromStdString(MakeTempDir("vector"));
    const QString pdf = folder + QStringLiteral("/page.pdf");
    ASSERT_EQ(printing.PrintToPdf(pdf), 0);
    printing.SetHost(nullptr);

    const QString text = PopplerOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_EQ(text.count(QStringLiteral("QAKB106M016R")), 4) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Maker line one")));

    const QString images =
        PopplerOutput(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    ASSERT_FALSE(images.isEmpty());
    EXPECT_FALSE(images.contains(QStringLiteral("jpeg"))) << images.toStdString();
    // The header line, the rule and the logo.
    EXPECT_EQ(images.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 3)
        << images.toStdString();

    const QString svg = folder + QStringLiteral("/page.svg");
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftocairo"), {QStringLiteral("-svg"), pdf, svg}),
              0);
    QFile drawing(svg);
    ASSERT_TRUE(drawing.open(QIODevice::ReadOnly));
    // Four frames with their grids, ticks and curves.
    EXPECT_GT(QString::fromUtf8(drawing.readAll()).count(QStringLiteral("<path")), 200);
}

} // namespace
