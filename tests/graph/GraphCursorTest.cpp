#include "GraphTestSupport.h"

#include "HintWnd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// An 800 x 600 view, x from 100 Hz to 100 MHz (6 decades), y logarithmic from 1 to 1000.
class CursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 61; ++i) {
            x.push_back(100.0 * std::pow(10.0, i / 10.0));
            y1.push_back(1.0 + i);
            y2.push_back(1000.0 / (1.0 + i));
        }
        view.SetHost(&host);
        view.SetData(61, x.data(), y1.data(), y2.data(), nullptr, nullptr);
        view.SetLogAxes(1, 1);
        view.SetUnits("Hz", "Ohm");
        view.resize(800, 600);
        view.show();
        view.grab(); // lays out the plot: (60, 40, 761, 560)
    }
    static double XAt(int px) { return std::pow(10.0, (px - 60) / 700.0 * 6 + 2); }

    FakeGraphHost host;
    CGraph view;
    std::vector<double> x;
    std::vector<double> y1;
    std::vector<double> y2;
};

TEST_F(CursorTest, PressesAtThePlotEdges) {
    const BoxRect plot = view.PlotRect();
    EXPECT_EQ(plot.left, 60);
    EXPECT_EQ(plot.top, 40);
    EXPECT_EQ(plot.right, 761);
    EXPECT_EQ(plot.bottom, 560);

    SendMouse(view, QEvent::MouseButtonPress, 762, 300); // W - 38
    SendMouse(view, QEvent::MouseButtonPress, 400, 560); // on the x axis line
    EXPECT_TRUE(host.picks.empty());

    SendMouse(view, QEvent::MouseButtonPress, 761, 300); // W - 39
    ASSERT_EQ(host.picks.size(), 1u);
    EXPECT_EQ(host.picks[0].phase, CursorInfo::Begin);
    EXPECT_NEAR(host.picks[0].x / XAt(761), 1.0, 1e-12);
    EXPECT_EQ(host.picks[0].view, nullptr);
    EXPECT_EQ(view.Cursor().phase, CursorInfo::Move);
    SendMouse(view, QEvent::MouseButtonRelease, 761, 300);
    ASSERT_EQ(host.picks.size(), 2u);
    EXPECT_EQ(host.picks[1].phase, CursorInfo::End);
}

TEST_F(CursorTest, DraggingIsClampedToTheFrameAndReleaseOutsideEndsWithZero) {
    view.SetPickCarriesView(true);
    SendMouse(view, QEvent::MouseButtonPress, 400, 300);
    ASSERT_EQ(host.picks.size(), 1u);
    EXPECT_EQ(host.picks[0].view, &view);
    const int picked = host.picks[0].curve;

    SendMouse(view, QEvent::MouseMove, 950, -40);
    ASSERT_EQ(host.picks.size(), 2u);
    EXPECT_EQ(host.picks[1].phase, CursorInfo::Move);
    EXPECT_NEAR(host.picks[1].x / XAt(761), 1.0, 1e-12);
    EXPECT_EQ(host.picks[1].curve, picked);

    SendMouse(view, QEvent::MouseMove, 200, 900); // y clamps to Hp - 41: still a hit
    EXPECT_NEAR(host.picks[2].x / XAt(200), 1.0, 1e-12);
    // The followed crosshair sits at the pick.
    EXPECT_TRUE(view.CrosshairShown());
    EXPECT_NEAR(view.LastCrosshair().x(), 200, 1);

    SendMouse(view, QEvent::MouseButtonRelease, 950, 300);
    ASSERT_EQ(host.picks.size(), 4u);
    EXPECT_EQ(host.picks[3].phase, CursorInfo::End);
    EXPECT_EQ(host.picks[3].x, 0.0);
    EXPECT_FALSE(view.CrosshairShown());
    EXPECT_FALSE(view.LiveHintBox()->isVisible());

    // Moves after the end send nothing.
    SendMouse(view, QEvent::MouseMove, 300, 300);
    EXPECT_EQ(host.picks.size(), 4u);
}

TEST_F(CursorTest, PressPicksTheNearestCurveAndTiesTakeTheLowerIndex) {
    // Near curve 2 (1000 / (1 + i)) at the left: y = 1000 is the top of the plot.
    SendMouse(view, QEvent::MouseButtonPress, 61, 45);
    ASSERT_FALSE(host.picks.empty());
    EXPECT_EQ(host.picks.back().curve, 1);
    SendMouse(view, QEvent::MouseButtonRelease, 61, 45);

    std::vector<double> same(y1);
    view.SetData(61, x.data(), y1.data(), same.data(), nullptr, nullptr);
    view.grab();
    SendMouse(view, QEvent::MouseButtonPress, 400, 300);
    EXPECT_EQ(host.picks.back().curve, 0);
    SendMouse(view, QEvent::MouseButtonRelease, 400, 300);
}

TEST_F(CursorTest, LostCaptureEndsThePickAtTheLastCrosshair) {
    host.followY = 10.0; // inside the plot, so the last crosshair is a hit
    SendMouse(view, QEvent::MouseButtonPress, 400, 300);
    SendMouse(view, QEvent::MouseMove, 500, 300);
    const QPoint last = view.LastCrosshair();
    view.OnCaptureCancelled();
    ASSERT_EQ(host.picks.back().phase, CursorInfo::End);
    EXPECT_NEAR(host.picks.back().x / XAt(last.x()), 1.0, 1e-12);
    EXPECT_FALSE(view.CrosshairShown());
    const std::size_t count = host.picks.size();
    view.OnCaptureCancelled();
    EXPECT_EQ(host.picks.size(), count);
}

TEST_F(CursorTest, CrosshairAndHintBoxStayOutOfExports) {
    CursorInfo cursor;
    cursor.x = 1e5;
    cursor.y = 10.0;
    cursor.phase = CursorInfo::Begin;
    view.TrackCursor(cursor);
    const int px = 3 * 700 / 6 + 60;
    const int ys = 600 - (1 * 520 / 3 + 40);
    EXPECT_NEAR(view.LastCrosshair().x(), px, 1);
    EXPECT_NEAR(view.LastCrosshair().y(), ys, 1);
    const CHintWnd* hint = view.LiveHintBox();
    ASSERT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->Line1(), "100 kHz");
    EXPECT_EQ(hint->Line2(), "10 Ohm");
    EXPECT_EQ(hint->x(), view.LastCrosshair().x() + 5);
    EXPECT_EQ(hint->y(), view.LastCrosshair().y() - 35);

    // On screen the strips are the inverse of the kept picture; the export has no crosshair.
    const QPoint c = view.LastCrosshair();
    const QImage screen = view.grab().toImage();
    const QImage& picture = view.LastPicture();
    const QImage exported = view.RenderImage(QSize(800, 600));
    for (const QPoint& at : {QPoint(c.x() - 7, c.y()), QPoint(c.x() + 6, c.y()),
                             QPoint(c.x(), c.y() - 7), QPoint(c.x(), c.y() + 6)}) {
        EXPECT_EQ(screen.pixel(at) & 0xffffff, ~picture.pixel(at) & 0xffffff);
        EXPECT_EQ(exported.pixel(at), picture.pixel(at));
    }
    EXPECT_EQ(screen.pixel(c.x() + 7, c.y()), picture.pixel(c.x() + 7, c.y()));

    cursor.phase = CursorInfo::End;
    view.TrackCursor(cursor);
    EXPECT_FALSE(hint->isVisible());
    const QImage after = view.grab().toImage();
    EXPECT_EQ(after.pixel(c.x() - 7, c.y()), picture.pixel(c.x() - 7, c.y()));
}

TEST_F(CursorTest, HintBoxStaysInsideTheView) {
    CursorInfo cursor;
    cursor.x = 1e8;
    cursor.y = 10.0;
    cursor.phase = CursorInfo::Begin;
    view.TrackCursor(cursor);
    const CHintWnd* hint = view.LiveHintBox();
    EXPECT_EQ(hint->x(), 800 - hint->BoxWidth());
    EXPECT_EQ(hint->width(), hint->BoxWidth());
    cursor.phase = CursorInfo::End;
    view.TrackCursor(cursor);
}

TEST_F(CursorTest, LinearAxisPutsOffScaleRecordsOnTheRangeEnds) {
    view.SetLogAxes(0, 0);
    view.grab();
    CursorInfo cursor;
    cursor.x = 2e50;
    cursor.y = -3e50;
    cursor.phase = CursorInfo::Begin;
    view.TrackCursor(cursor);
    EXPECT_EQ(cursor.x, x.back());
    // The rounded range of 1 .. 1000 in 10 divisions starts at 0.
    EXPECT_EQ(cursor.y, 0.0);
    EXPECT_EQ(view.LastCrosshair(), QPoint(760, 560));
}

TEST_F(CursorTest, ReadoutIsPartOfThePicture) {
    host.queryAnswer = 0;
    host.queryPoint[0] = 1e5;
    host.queryPoint[1] = 10.0;
    view.RefreshReadout();
    ASSERT_TRUE(view.ReadoutShown());
    const int px = 3 * 700 / 6 + 60;
    const int ys = 600 - (1 * 520 / 3 + 40);
    const QImage image = view.RenderImage(QSize(800, 600));
    const QColor yellow(255, 255, 225);
    EXPECT_TRUE(IsColour(image, px + 5, ys - 35, QColor(0, 0, 0)));
    EXPECT_TRUE(IsColour(image, px + 6, ys - 34, yellow));
    EXPECT_EQ(view.ReadoutHintBox()->Line1(), "100 kHz");

    host.queryAnswer = -1;
    view.RefreshReadout();
    EXPECT_FALSE(view.ReadoutShown());
    const QImage without = view.RenderImage(QSize(800, 600));
    EXPECT_FALSE(IsColour(without, px + 6, ys - 34, yellow));
    // The readout's crosshair strips invert what lies under them.
    EXPECT_EQ(image.pixel(px - 7, ys) & 0xffffff, ~without.pixel(px - 7, ys) & 0xffffff);
    EXPECT_EQ(image.pixel(px, ys + 6) & 0xffffff, ~without.pixel(px, ys + 6) & 0xffffff);
}

} // namespace
