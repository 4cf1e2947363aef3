#include "GraphTestSupport.h"

#include "Axis.h"

#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGrid(204, 204, 204);
const QColor kShadow(112, 112, 112);

// A frequency grid from 100 Hz to 100 MHz with a flat curve near the bottom of its range.
struct Curves {
    std::vector<double> x;
    std::vector<double> y1;
    std::vector<double> y2;
};

Curves LogGrid(int count, double from, double to, double low, double high) {
    Curves c;
    for (int i = 0; i < count; ++i) {
        c.x.push_back(from * std::pow(to / from, static_cast<double>(i) / (count - 1)));
        c.y1.push_back(low);
        c.y2.push_back(high);
    }
    return c;
}

TEST(GraphDrawingTest, FrameGridAndDecadeTicks) {
    CGraph view;
    const Curves c = LogGrid(50, 100.0, 1e8, 2.0, 2.0);
    ASSERT_EQ(view.SetData(50, c.x.data(), c.y1.data(), nullptr, nullptr, nullptr), 0);
    view.SetLogAxes(1, 0);
    const QImage image = view.RenderImage(QSize(800, 600));
    const int plotHeight = 600;
    // Axes and the closing frame.
    for (int x : {61, 300, 759})
        EXPECT_TRUE(IsColour(image, x, plotHeight - 40, kBlack)) << x;
    for (int y : {41, 300, 559})
        EXPECT_TRUE(IsColour(image, 60, y, kBlack)) << y;
    EXPECT_TRUE(IsColour(image, 760, 100, kBlack));
    EXPECT_TRUE(IsColour(image, 400, 40, kBlack));
    EXPECT_TRUE(IsColour(image, 761, 100, kWhite));
    EXPECT_TRUE(IsColour(image, 400, 39, kWhite));
    // Six decades of 700 / 6 units: grid lines at the inner decade ends, the minor lines of
    // 2 .. 9 after each, nothing just left of a decade line.
    int offsets[8];
    MinorTickOffsets(700 / 6, offsets);
    for (int i = 1; i < 6; ++i) {
        const int x = i * 700 / 6 + 60;
        EXPECT_TRUE(IsColour(image, x, 100, kGrid)) << i;
        EXPECT_TRUE(IsColour(image, x + offsets[0], 100, kGrid)) << i;
        EXPECT_TRUE(IsColour(image, x + offsets[7], 100, kGrid)) << i;
        EXPECT_TRUE(IsColour(image, x - 1, 100, kWhite)) << i;
    }
    // The data range survives the drawing.
    EXPECT_EQ(view.YRange().minimum, 2.0);
}

TEST(GraphDrawingTest, LogAxisLabelsEveryDecadeOrEverySecond) {
    CGraph view;
    const Curves c = LogGrid(50, 100.0, 1e8, 2.0, 2.0);
    view.SetData(50, c.x.data(), c.y1.data(), nullptr, nullptr, nullptr);
    view.SetLogAxes(1, 0);
    view.ShowMarkers(0);
    struct Case {
        int width;
        std::vector<bool> labelled; // decades 0..6
    } cases[] = {
        {700, {true, true, true, true, true, true, true}},
        {300, {true, false, true, false, true, false, true}},
    };
    for (const Case& k : cases) {
        const QImage image = view.RenderImage(QSize(k.width, 400));
        for (int i = 0; i <= 6; ++i) {
            const int x = i * (k.width - 100) / 6 + 60;
            EXPECT_EQ(HasDarkPixel(image, x - 5, 400 - 28 - 4, x + 5, 400 - 28 + 4), k.labelled[i])
                << "width " << k.width << " decade " << i;
        }
    }
}

TEST(GraphDrawingTest, LinearYRoundsTheRangeOnlyWhileDrawing) {
    CGraph view;
    std::vector<double> x{0.0, 1.0, 2.0};
    std::vector<double> y{0.0123, 0.03, 0.0456};
    view.SetData(3, x.data(), y.data(), nullptr, nullptr, nullptr);
    view.ShowMarkers(0);
    // 330 high: (330 - 80) / 50 = 5 wanted, 0.007 .. 0.049 in 6 divisions.
    const QImage image = view.RenderImage(QSize(400, 330));
    for (int i = 1; i < 6; ++i) {
        const int row = 330 - i * 250 / 6 - 40;
        EXPECT_TRUE(IsColour(image, 300, row, kGrid)) << i;
        EXPECT_TRUE(IsColour(image, 300, row + 1, kWhite)) << i;
        // Every division is labelled on a linear axis.
        EXPECT_TRUE(HasDarkPixel(image, 30, row - 4, 54, row + 4)) << i;
    }
    EXPECT_EQ(view.YRange().minimum, 0.0123);
    EXPECT_EQ(view.YRange().maximum, 0.0456);
    // The first point (0.0123) lies between the 7 m and 14 m lines: y = 0.007 + 5.3/42 * 250.
    const int expectedRow = 330 - static_cast<int>((0.0123 - 0.007) / 0.042 * 250 + 40);
    EXPECT_TRUE(IsColour(image, 61, expectedRow, QColor(192, 0, 0)) ||
                IsColour(image, 61, expectedRow - 1, QColor(192, 0, 0)))
        << expectedRow;
}

TEST(GraphDrawingTest, OffScalePointsDoNotWidenTheRange) {
    CGraph view;
    std::vector<double> x{1.0, 2.0, 3.0, 4.0};
    std::vector<double> y1{1.0, 1e50, 3.0, -1e60};
    std::vector<double> y2{2.0, 2.5, 1e55, 0.5};
    ASSERT_EQ(view.SetData(4, x.data(), y1.data(), y2.data(), nullptr, nullptr), 0);
    EXPECT_EQ(view.YRange().minimum, 0.5);
    EXPECT_EQ(view.YRange().maximum, 3.0);
    EXPECT_EQ(view.XRange().minimum, 1.0);
    EXPECT_EQ(view.XRange().maximum, 4.0);
}

TEST(GraphDrawingTest, MissingArraysLeaveTheViewEmpty) {
    CGraph view;
    std::vector<double> x{1.0, 2.0};
    EXPECT_EQ(view.SetData(2, nullptr, x.data(), nullptr, nullptr, nullptr), -1);
    EXPECT_EQ(view.PointCount(), 0);
    EXPECT_EQ(view.SetData(2, x.data(), nullptr, nullptr, nullptr, nullptr), -1);
    EXPECT_EQ(view.SetData(1, x.data(), x.data(), nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(view.PointCount(), 0);
    const QImage image = view.RenderImage(QSize(400, 300));
    EXPECT_FALSE(HasDarkPixel(image, 0, 0, 399, 299));
    int curve = 0;
    double xValue = 1.0;
    EXPECT_EQ(view.PickAt(100, 100, curve, xValue, false), 1);
}

TEST(GraphDrawingTest, AllOffScaleOrEmptyRangesStillDraw) {
    CGraph view;
    std::vector<double> x{5.0, 5.0, 5.0};
    std::vector<double> y{1e50, 1e51, -1e50};
    view.SetData(3, x.data(), y.data(), nullptr, nullptr, nullptr);
    for (int logX : {0, 1}) {
        for (int logY : {0, 1}) {
            view.SetLogAxes(logX, logY);
            const QImage image = view.RenderImage(QSize(400, 300));
            EXPECT_TRUE(IsColour(image, 60, 200, kBlack)) << logX << logY;
        }
    }
}

// A run-away point on a logarithmic y axis (a DF whose reactance cancelled) is left out: no
// stroke of any curve reaches above the plot frame or into the title, and the points on the
// scale are still drawn. On a linear axis the point lands on the range end.
TEST(GraphDrawingTest, OffScalePointsOnALogarithmicAxisAreLeftOut) {
    Curves c = LogGrid(600, 100.0, 1e8, 0.01, 0.1);
    std::vector<double> y3(c.y1.size(), 0.05);
    std::vector<double> y4(c.y1.size(), 0.02);
    for (const int i : {300, 301, 450}) {
        c.y1[i] = 1e50;
        c.y2[i] = 1e50;
        y3[i] = -1e50;
        y4[i] = 1e50;
    }
    CGraph view;
    view.ShowMarkers(1);
    view.SetLogAxes(1, 1);
    ASSERT_EQ(view.SetData(600, c.x.data(), c.y1.data(), c.y2.data(), y3.data(), y4.data()), 0);
    const QImage image = view.RenderImage(QSize(800, 600));
    // Above the frame's top line (y 40) only the (empty) title area: nothing coloured.
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 800; ++x) {
            const QColor colour = image.pixelColor(x, y);
            ASSERT_TRUE(colour.red() == colour.green() && colour.green() == colour.blue())
                << x << "," << y;
        }
    // The curves on the scale are there: red at the flat low curve's row left of the gap.
    bool red = false;
    for (int y = 40; y < 560 && !red; ++y)
        red = IsColour(image, 200, y, QColor(192, 0, 0));
    EXPECT_TRUE(red);
}

// On a screen at two device pixels per unit the curves run through their exact positions,
// smoothed: a sloped curve shows blended pixels between red and white. At one pixel per unit
// the drawing keeps its whole units, unsmoothed: only pure red on the curve's path.
TEST(GraphDrawingTest, CurvesAreSmoothOnlyOnFineSurfaces) {
    Curves c = LogGrid(600, 100.0, 1e8, 0.01, 0.1);
    for (size_t i = 0; i < c.y1.size(); ++i)
        c.y1[i] = 0.01 * std::pow(10.0, static_cast<double>(i) / 300.0);
    CGraph view;
    view.ShowMarkers(0);
    view.SetLogAxes(1, 1);
    ASSERT_EQ(view.SetData(600, c.x.data(), c.y1.data(), nullptr, nullptr, nullptr), 0);
    const auto blendedReds = [&](qreal ratio) {
        QImage image(QSize(800, 600) * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        QPainter painter(&image);
        view.Render(painter, QRect(0, 0, 800, 600));
        painter.end();
        int blended = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor colour = image.pixelColor(x, y);
                if (colour.red() > colour.green() + 20 && colour != QColor(192, 0, 0))
                    ++blended;
            }
        return blended;
    };
    EXPECT_EQ(blendedReds(1.0), 0);
    EXPECT_GT(blendedReds(2.0), 200);
}

class LegendTest : public ::testing::TestWithParam<int> {};

TEST_P(LegendTest, BoxWithFrameAndShadowAtItsPosition) {
    CGraph view;
    const Curves c = LogGrid(20, 100.0, 1e8, 1.0, 3.0);
    view.SetData(20, c.x.data(), c.y1.data(), c.y2.data(), nullptr, nullptr);
    view.SetLogAxes(1, 1);
    view.SetLegend(GetParam(), "first", "second curve", nullptr, nullptr);
    const int width = 800;
    const int height = 500;
    const QImage image = view.RenderImage(QSize(width, height));
    const int w = QFontMetrics(view.Font(CGraph::FontCaption), &image)
                      .horizontalAdvance(QStringLiteral("second curve"));
    const BoxRect r = LegendRect(GetParam(), w, 2, width, height);
    const int midX = (r.left + r.right) / 2;
    const int midY = (r.top + r.bottom) / 2;
    EXPECT_TRUE(IsColour(image, r.left, midY, kBlack));
    EXPECT_TRUE(IsColour(image, r.right, midY, kBlack));
    EXPECT_TRUE(IsColour(image, midX, r.top, kBlack));
    EXPECT_TRUE(IsColour(image, midX, r.bottom, kBlack));
    EXPECT_TRUE(IsColour(image, midX, r.bottom + 1, kShadow));
    EXPECT_TRUE(IsColour(image, midX, r.bottom + 2, kShadow));
    EXPECT_TRUE(IsColour(image, r.right + 2, midY, kShadow));
    EXPECT_TRUE(IsColour(image, r.left - 1, midY, kWhite));
    // Sample lines of the two entries in the curves' colours.
    EXPECT_TRUE(IsColour(image, r.left + 10, r.top + 8, QColor(192, 0, 0)));
    EXPECT_TRUE(IsColour(image, r.left + 10, r.top + 24, QColor(0, 0, 192)));
}

INSTANTIATE_TEST_SUITE_P(Positions, LegendTest,
                         ::testing::Values(LegendTopLeft, LegendBottomLeft, LegendTopRight,
                                           LegendBottomRight));

TEST(LegendTest, TooWideOrDottedEntries) {
    CGraph view;
    const Curves c = LogGrid(20, 100.0, 1e8, 1.0, 3.0);
    view.SetData(20, c.x.data(), c.y1.data(), c.y2.data(), nullptr, nullptr);
    view.SetLogAxes(1, 1);
    const std::string wide(80, 'W');
    view.SetLegend(LegendTopLeft, "a", wide.c_str(), nullptr, nullptr);
    QImage image = view.RenderImage(QSize(400, 400));
    EXPECT_FALSE(IsColour(image, 66, 60, kBlack)); // no legend frame
    view.SetLegend(LegendTopLeft, "a", "b", nullptr, nullptr);
    view.SetCurveDotted(1, true);
    image = view.RenderImage(QSize(400, 400));
    EXPECT_TRUE(IsColour(image, 66, 60, kBlack));
    bool blue = false;
    for (int x = 71; x <= 80; ++x)
        blue = blue || IsColour(image, x, 46 + 24, QColor(0, 0, 192));
    EXPECT_FALSE(blue) << "a dotted curve's legend sample uses the dotted pen";
}

// Note widths that take 1, 2, 3 and 4 lines move the x axis up by 15 units per line, and a
// note needing four lines is dropped without taking room.
TEST(TextsUnderPlotTest, NoteLinesReserveFifteenUnitsEach) {
    CGraph view;
    const Curves c = LogGrid(20, 100.0, 1e8, 2.0, 3.0);
    view.SetData(20, c.x.data(), c.y1.data(), nullptr, nullptr, nullptr);
    view.SetLogAxes(1, 1);
    view.resize(500, 400);
    const QFont noteFont = view.Font(CGraph::FontCaptionSub);
    const QFontMetrics metrics(noteFont);
    struct Case {
        int maxWidth; // the note is the longest run of "word " below this width
        int lines;
    } cases[] = {{300, 1}, {800, 2}, {1300, 3}, {2000, 0}};
    for (const Case& k : cases) {
        std::string note;
        while (metrics.horizontalAdvance(QString::fromStdString(note + "word ")) < k.maxWidth)
            note += "word ";
        ASSERT_EQ(TextLineCount(metrics.horizontalAdvance(QString::fromStdString(note)), 500),
                  k.lines);
        view.SetNote(note.c_str());
        const QImage image = view.grab().toImage();
        const int axisRow = 400 - 15 * k.lines - 40;
        EXPECT_TRUE(IsColour(image, 300, axisRow, kBlack)) << k.lines;
        EXPECT_TRUE(IsColour(image, 300, axisRow + 1, kWhite)) << k.lines;
        EXPECT_EQ(view.TextLines(), k.lines);
        if (k.lines == 0) {
            // Below the x labels (centred on 372) nothing is drawn.
            EXPECT_FALSE(HasDarkPixel(image, 0, 385, 499, 399)) << "a dropped note is not drawn";
        } else {
            EXPECT_TRUE(HasDarkPixel(image, 0, axisRow + 41, 499, 399));
        }
    }
}

TEST(TextsUnderPlotTest, ReferenceTextWithItsCrossBelowTheNote) {
    CGraph view;
    const Curves c = LogGrid(20, 100.0, 1e8, 3.0, 3.0);
    view.SetData(20, c.x.data(), c.y1.data(), nullptr, nullptr, nullptr);
    view.SetLogAxes(1, 1);
    view.SetNote("Typical values only.");
    const char* reference = "      - Guaranteed maximal ESR value defined at 100kHz, 25C.";
    view.SetReferencePoint(reference, 1e5, 2.0);
    const QImage image = view.RenderImage(QSize(600, 400));
    // Two lines under the plot: x axis at 400 - 30 - 40.
    EXPECT_TRUE(IsColour(image, 300, 330, kBlack));
    const int f = QFontMetrics(view.Font(CGraph::FontReference), &image)
                      .horizontalAdvance(QString::fromLatin1(reference));
    const int crossX = (600 - 1) / 2 - f / 2 + 8;
    const int crossY = 370 + 15 + 7;
    EXPECT_TRUE(HasDarkPixel(image, crossX + 3, crossY - 1, crossX + 3, crossY + 1));
    EXPECT_TRUE(HasDarkPixel(image, crossX - 1, crossY - 3, crossX + 1, crossY - 3));
    // The reference point itself: a thick cross at 1e5 (half way along 6 decades), y = 2.
    const int px = 3 * 500 / 6 + 60;
    const int py = 370 - static_cast<int>(std::log10(2.0) / 1 * 290 + 40); // H' = 370
    EXPECT_TRUE(HasDarkPixel(image, px + 3, py - 1, px + 3, py + 1));
    EXPECT_TRUE(HasDarkPixel(image, px - 1, py - 3, px + 1, py - 3));
    EXPECT_FALSE(HasDarkPixel(image, px + 7, py - 1, px + 7, py + 1));
}

TEST(TextsUnderPlotTest, TooSmallAreaDrawsNothingAndIgnoresPresses) {
    CGraph view;
    FakeGraphHost host;
    view.SetHost(&host);
    const Curves c = LogGrid(20, 100.0, 1e8, 1.0, 3.0);
    view.SetData(20, c.x.data(), c.y1.data(), nullptr, nullptr, nullptr);
    view.resize(119, 300);
    QImage image = view.grab().toImage();
    EXPECT_TRUE(view.IsTooSmall());
    EXPECT_FALSE(HasDarkPixel(image, 0, 0, 118, 299));
    SendMouse(view, QEvent::MouseButtonPress, 70, 100);
    EXPECT_TRUE(host.picks.empty());
    view.resize(300, 300);
    view.grab();
    EXPECT_FALSE(view.IsTooSmall());
    view.resize(300, 99);
    view.grab();
    EXPECT_TRUE(view.IsTooSmall());
}

TEST(CaptionTest, SubscriptBetweenUnderscoresIsSmallerAndLower) {
    CGraph view;
    QImage image(400, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    view.DrawLegendText(painter, "V_ripple_ [V]", QRect(10, 30, 300, 0),
                        Qt::AlignLeft | Qt::AlignVCenter);
    painter.end();
    const QFontMetrics normal(view.Font(CGraph::FontCaption), &image);
    const QFontMetrics small(view.Font(CGraph::FontCaptionSub), &image);
    const int subLeft = 10 + normal.horizontalAdvance(QStringLiteral("V")) + 1;
    const int restLeft = subLeft + small.horizontalAdvance(QStringLiteral("ripple")) + 1;
    const int restV = restLeft + normal.horizontalAdvance(QStringLiteral(" ["));
    const int end = restLeft + normal.horizontalAdvance(QStringLiteral(" [V]"));
    auto topRow = [&](int x0, int x1) {
        for (int y = 0; y < 60; ++y)
            if (HasDarkPixel(image, x0, y, x1, y))
                return y;
        return 60;
    };
    // Both V share the normal top line; "ripple" starts lower.
    const int vTop = topRow(10, subLeft - 2);
    const int subTop = topRow(subLeft, restLeft - 2);
    const int restTop =
        topRow(restV + 1, restV + normal.horizontalAdvance(QStringLiteral("V")) - 2);
    EXPECT_EQ(vTop, restTop);
    EXPECT_GE(subTop, vTop + 2);
    // No underscore is drawn and nothing runs past the three parts.
    EXPECT_FALSE(HasDarkPixel(image, end + 2, 0, 399, 59));
}

} // namespace
