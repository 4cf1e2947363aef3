#include "Clipboard.h"
#include "CChildFrame.h"
#include "CGraphDocTemplate.h"
#include "CMainFrame.h"
#include "CapacitorRecord.h"
#include "DataText.h"
#include "FrameClipboard.h"
#include "Graph.h"
#include "GraphHost.h"
#include "Messages.h"
#include "ResourceLibrary.h"
#include "ResourceMenus.h"

#include <QClipboard>
#include <QColor>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMimeData>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

// The six-stage part of the data test (ClipboardDataTest.cpp).
CapacitorRecord ClipboardTestPart();

namespace {

class RecordingSink : public IMessageSink {
public:
    void ShowMessage(int id, MessageIcon, const std::string& text) override {
        messages.emplace_back(id, text);
    }
    std::vector<std::pair<int, std::string>> messages;
};

// The one text the clipboard commands show.
class MemoryStrings : public IStringTable {
public:
    std::string GetString(int id) const override {
        return id == 34009 ? "Not enough memory" : std::string();
    }
};

// Answers the measurement query of a view, so that its readout is shown.
class ReadoutHost : public IGraphHost {
public:
    int GraphPick(CGraph&, CursorInfo&) override { return 0; }
    int GraphPrintPage(QPainter*) override { return -1; }
    int GraphQueryPoint(CGraph&, double point[2]) override {
        point[0] = x;
        point[1] = y;
        return answer;
    }
    int answer = -1;
    double x = 0.0;
    double y = 0.0;
};

// A picture of the rich text: its size in twips and the decoded PNG.
struct ParsedPicture {
    int widthTwips = 0;
    int heightTwips = 0;
    QImage image;
};

// Reads the rich text back: checks the frame of the document and decodes every picture.
std::vector<ParsedPicture> ParseRtf(const QByteArray& rtf) {
    std::vector<ParsedPicture> pictures;
    const QString text = QString::fromLatin1(rtf);
    EXPECT_TRUE(text.startsWith(QStringLiteral("{\\rtf1\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("}\n")));
    static const QRegularExpression group(QStringLiteral(
        "\\{\\\\pict\\\\pngblip\\\\picwgoal(\\d+)\\\\pichgoal(\\d+) \\n([0-9a-f]*)\\}\\\\par\\n"));
    int groups = 0;
    for (auto it = group.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        ParsedPicture picture;
        picture.widthTwips = m.captured(1).toInt();
        picture.heightTwips = m.captured(2).toInt();
        const QByteArray png = QByteArray::fromHex(m.captured(3).toLatin1());
        EXPECT_TRUE(picture.image.loadFromData(png, "PNG")) << "picture " << groups;
        pictures.push_back(picture);
        groups += int(m.capturedLength(0));
    }
    // Nothing but the pictures between the frame.
    EXPECT_EQ(groups + 7 + 2, text.size());
    return pictures;
}

bool SamePixels(const QImage& big, const QPoint& at, const QImage& part) {
    const QImage a = big.copy(QRect(at, part.size())).convertToFormat(QImage::Format_RGB32);
    return a == part.convertToFormat(QImage::Format_RGB32);
}

bool AllWhite(const QImage& image, const QRect& rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0xffffff)
                return false;
    return true;
}

// Something to be overwritten or kept by a copy.
void PutMarker() {
    auto* data = new QMimeData;
    data->setText(QStringLiteral("marker"));
    QGuiApplication::clipboard()->setMimeData(data);
}

const QMimeData* Clipboard() {
    return QGuiApplication::clipboard()->mimeData();
}

// Views with different curves and sizes, each drawing something of its own.
class ClipboardViews : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 41; ++i) {
            x.push_back(100.0 * std::pow(10.0, i / 10.0));
            y.push_back(1.0 + i * i);
        }
        Prepare(capacitance, "Capacitance", 200, 150);
        Prepare(esr, "ESR", 160, 220);
        Prepare(df, "DF", 380, 100);
        library.SetLanguage(CResourceLibrary::Language::English);
        ASSERT_EQ(library.Load(), 0) << library.ErrorDetail().toStdString();
        context.messages = &sink;
        context.strings = &library;
        PutMarker();
    }

    void Prepare(CGraph& view, const char* title, int width, int height) {
        view.SetData(int(x.size()), x.data(), y.data(), nullptr, nullptr, nullptr);
        view.SetLogAxes(1, 1);
        view.SetTitle(title);
        view.resize(width, height);
    }

    std::vector<double> x;
    std::vector<double> y;
    CGraph capacitance;
    CGraph esr;
    CGraph df;
    CResourceLibrary library;
    RecordingSink sink;
    MemoryStrings strings;
    ClipboardContext context;
};

TEST_F(ClipboardViews, AllGraphsGiveRichTextAndTheCombinedPicture) {
    GraphViews views{};
    // Filed by kind; the export goes capacitance, ESR, ..., DF whatever the slots.
    views[KindDF] = &df;
    views[KindESR] = &esr;
    views[KindCapacitance] = &capacitance;
    ASSERT_TRUE(CopyAllGraphs(views, context));
    EXPECT_TRUE(sink.messages.empty());

    const QMimeData* data = Clipboard();
    ASSERT_NE(data, nullptr);
    const QByteArray rtf = data->data(QStringLiteral("text/rtf"));
    EXPECT_EQ(data->data(QStringLiteral("Rich Text Format")), rtf);
    EXPECT_FALSE(data->hasText()); // the marker is gone

    const std::vector<ParsedPicture> pictures = ParseRtf(rtf);
    const CGraph* order[] = {&capacitance, &esr, &df};
    ASSERT_EQ(pictures.size(), 3u);
    std::vector<QImage> rendered;
    for (std::size_t i = 0; i < 3; ++i) {
        CGraph& view = *const_cast<CGraph*>(order[i]);
        rendered.push_back(view.RenderImage(view.size()));
        EXPECT_EQ(pictures[i].image.size(), view.size()) << i;
        EXPECT_EQ(pictures[i].widthTwips, view.width() * 15) << i;
        EXPECT_EQ(pictures[i].heightTwips, view.height() * 15) << i;
        EXPECT_TRUE(SamePixels(pictures[i].image, QPoint(0, 0), rendered[i])) << i;
    }

    // Capacitance and ESR side by side; DF below the taller of them (ESR, 220), at x = 0.
    const QImage combined = qvariant_cast<QImage>(data->imageData());
    ASSERT_EQ(combined.size(), QSize(380, 320));
    EXPECT_TRUE(SamePixels(combined, QPoint(0, 0), rendered[0]));
    EXPECT_TRUE(SamePixels(combined, QPoint(200, 0), rendered[1]));
    EXPECT_TRUE(SamePixels(combined, QPoint(0, 220), rendered[2]));
    EXPECT_TRUE(AllWhite(combined, QRect(0, 150, 200, 70))); // under capacitance
    EXPECT_TRUE(AllWhite(combined, QRect(360, 0, 20, 220))); // right of the first row
}

TEST_F(ClipboardViews, NoOpenGraphGivesAnEmptyDocumentAndAnEmptyPicture) {
    GraphViews views{};
    CGraph hidden; // a view without area has nothing to give
    hidden.resize(0, 0);
    views[KindDCL] = &hidden;
    ASSERT_TRUE(CopyAllGraphs(views, context));
    const QMimeData* data = Clipboard();
    EXPECT_EQ(data->data(QStringLiteral("text/rtf")), QByteArray("{\\rtf1\n}\n"));
    EXPECT_EQ(data->data(QStringLiteral("Rich Text Format")), QByteArray("{\\rtf1\n}\n"));
    ASSERT_TRUE(data->hasImage());
    EXPECT_TRUE(qvariant_cast<QImage>(data->imageData()).size().isEmpty());
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ClipboardViews, FailedEncodingReportsNotEnoughMemoryAndLeavesTheClipboardEmpty) {
    int encoded = 0;
    context.encodePng = [&encoded](const QImage& image) {
        return ++encoded == 2 ? QByteArray() : EncodePng(image);
    };
    GraphViews views{};
    views[KindCapacitance] = &capacitance;
    views[KindESR] = &esr;
    views[KindDF] = &df;
    EXPECT_FALSE(CopyAllGraphs(views, context));
    EXPECT_EQ(encoded, 2); // stopped at the failing picture
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].first, 34009);
    EXPECT_EQ(sink.messages[0].second, "Not enough memory");
    const QMimeData* data = Clipboard();
    EXPECT_TRUE(data == nullptr || data->formats().isEmpty());
}

TEST_F(ClipboardViews, CopyGraphPutsTheViewPicture) {
    ASSERT_TRUE(CopyGraph(&esr, context));
    const QImage copied = qvariant_cast<QImage>(Clipboard()->imageData());
    EXPECT_EQ(copied.size(), QSize(160, 220));
    EXPECT_TRUE(SamePixels(copied, QPoint(0, 0), esr.RenderImage(esr.size())));
    EXPECT_FALSE(Clipboard()->hasText());

    // No view, or a view without area: nothing to copy, and no message.
    PutMarker();
    EXPECT_FALSE(CopyGraph(nullptr, context));
    EXPECT_EQ(Clipboard()->text(), QStringLiteral("marker"));
    CGraph empty;
    empty.resize(0, 0);
    EXPECT_FALSE(CopyGraph(&empty, context));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(CopyGraph, ReadoutBoxIsCopiedAndTheLiveCrosshairIsNot) {
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> falling;
    for (int i = 0; i < 61; ++i) {
        x.push_back(100.0 * std::pow(10.0, i / 10.0));
        y.push_back(1.0 + i);
        falling.push_back(1000.0 / (1.0 + i));
    }
    ReadoutHost host;
    CGraph view;
    view.SetHost(&host);
    view.SetData(61, x.data(), y.data(), falling.data(), nullptr, nullptr);
    view.SetLogAxes(1, 1);
    view.resize(800, 600);
    view.show();
    view.grab(); // x: 6 decades over 60..760, y: 1..1000 over 560..40

    // The readout at 100 kHz, 10: its box opens 5 right of and 35 above the point.
    host.answer = 0;
    host.x = 1e5;
    host.y = 10.0;
    view.RefreshReadout();
    ASSERT_TRUE(view.ReadoutShown());
    const int rx = 3 * 700 / 6 + 60; // three decades in
    const int ry = 600 - (1 * 520 / 3 + 40);
    // The live crosshair of a drag somewhere else.
    CursorInfo cursor;
    cursor.x = 1e3;
    cursor.y = 100.0;
    cursor.phase = CursorInfo::Begin;
    view.TrackCursor(cursor);
    ASSERT_TRUE(view.CrosshairShown());
    const QPoint c = view.LastCrosshair();
    const QImage screen = view.grab().toImage();

    RecordingSink sink;
    ClipboardContext context;
    context.messages = &sink;
    ASSERT_TRUE(CopyGraph(&view, context));
    const QImage copied = qvariant_cast<QImage>(Clipboard()->imageData());
    ASSERT_EQ(copied.size(), QSize(800, 600));
    EXPECT_EQ(QColor(copied.pixel(rx + 5, ry - 35)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(copied.pixel(rx + 6, ry - 34)), QColor(255, 255, 225));
    for (const QPoint& at : {QPoint(c.x() - 7, c.y()), QPoint(c.x(), c.y() + 6)}) {
        // Inverted on the screen, as drawn in the copy.
        EXPECT_EQ(screen.pixel(at) & 0xffffff, ~copied.pixel(at) & 0xffffff);
        EXPECT_EQ(copied.pixel(at), view.LastPicture().pixel(at));
    }
    cursor.phase = CursorInfo::End;
    view.TrackCursor(cursor);
}

// The commands as the main frame's menus send them.
class FrameCommands : public ::testing::Test {
protected:
    void SetUp() override {
        library.SetLanguage(CResourceLibrary::Language::English);
        ASSERT_EQ(library.Load(), 0) << library.ErrorDetail().toStdString();
        templates = CreateGraphDocTemplates(library);
        std::array<const CGraphDocTemplate*, kGraphKindCount> order{};
        for (std::size_t i = 0; i < templates.size(); ++i)
            order[i] = templates[i].get();
        MainFrameServices services;
        services.strings = &library;
        services.menus = &menus;
        services.dialogTemplates = [this](int id, QWidget* parent) {
            return library.LoadDialog(id, parent).release();
        };
        services.messages = &sink;
        services.otherCommands = [this](int id) {
            ++served;
            return ServeClipboardCommand(*frame, id, context);
        };
        context.messages = &sink;
        context.strings = &library;
        frame = std::make_unique<CMainFrame>(order, services);
        frame->resize(1200, 900);
        frame->show();
        frame->SetCurrentCapacitor(&part);
        ASSERT_EQ(frame->ShowInitialGraphs(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        PutMarker();
    }
    void TearDown() override {
        frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CResourceLibrary library;
    CResourceMenuSource menus{library};
    RecordingSink sink;
    ClipboardContext context;
    std::vector<std::unique_ptr<CGraphDocTemplate>> templates;
    std::unique_ptr<CMainFrame> frame;
    int served = 0;
    CapacitorRecord part = ClipboardTestPart();
};

TEST_F(FrameCommands, MenuCommandsReachTheClipboard) {
    // The start shows DF, ESR, impedance and capacitance; copied capacitance first.
    frame->OnCommand(CMainFrame::ID_COPY_ALL_GRAPHS);
    EXPECT_EQ(served, 1);
    const std::vector<ParsedPicture> pictures =
        ParseRtf(Clipboard()->data(QStringLiteral("text/rtf")));
    const int order[] = {KindCapacitance, KindESR, KindImpedance, KindDF};
    ASSERT_EQ(pictures.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        CGraph* view = frame->GraphWindow(order[i])->GetActiveView();
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(SamePixels(pictures[std::size_t(i)].image, QPoint(0, 0),
                               view->RenderImage(view->size())))
            << i;
    }

    // "Copy Graph" copies the active window's view.
    CChildFrame* window = frame->GraphWindow(KindESR);
    frame->MdiArea()->setActiveSubWindow(window);
    frame->OnCommand(32771);
    CGraph* view = window->GetActiveView();
    const QImage copied = qvariant_cast<QImage>(Clipboard()->imageData());
    EXPECT_EQ(copied.size(), view->size());
    EXPECT_TRUE(SamePixels(copied, QPoint(0, 0), view->RenderImage(view->size())));

    frame->OnCommand(CMainFrame::ID_COPY_DATA);
    EXPECT_EQ(Clipboard()->text().toStdString(), BuildDataText(frame->State()));
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
