#include "CaseSizesDlg.h"
#include "CapacitorRecord.h"
#include "DialogTemplate.h"
#include "FakeDialogResources.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct ScrollCase {
    int position;
    int last;
    CaseScroll action;
    int thumb;
    int expected;
};

TEST(CaseSizesScrollTest, LinesPagesEndsAndThumb) {
    const ScrollCase cases[] = {
        {100, 969, CaseScroll::LineDown, 0, 115},
        {100, 969, CaseScroll::LineUp, 0, 85},
        {100, 969, CaseScroll::PageDown, 0, 220},
        {100, 969, CaseScroll::PageUp, 0, 0},
        {960, 969, CaseScroll::LineDown, 0, 969},
        {900, 969, CaseScroll::PageDown, 0, 969},
        {10, 969, CaseScroll::LineUp, 0, 0},
        {500, 969, CaseScroll::Top, 0, 0},
        {500, 969, CaseScroll::Bottom, 0, 969},
        {500, 969, CaseScroll::Thumb, 321, 321},
        {500, 969, CaseScroll::Thumb, 2000, 969},
        {500, 969, CaseScroll::Other, 0, 500},
        // A range below 2 does not scroll at all.
        {0, 1, CaseScroll::LineDown, 0, 0},
        {0, 1, CaseScroll::Bottom, 0, 0},
        {0, 0, CaseScroll::Thumb, 5, 0},
        {0, 2, CaseScroll::LineDown, 0, 2},
    };
    for (const ScrollCase& c : cases) {
        EXPECT_EQ(CaseSizesScroll(c.position, c.last, c.action, c.thumb), c.expected)
            << "from " << c.position << " of " << c.last << ", action " << int(c.action);
    }
}

TEST(CaseSizesScrollTest, PlacementOnTheWorkArea) {
    // Too tall for the screen: the work area's height, at its top, centred across.
    EXPECT_EQ(CaseSizesPlacement(QRect(0, 30, 1920, 1000), 1184, 1669, 30, 16),
              QRect(368, 30, 1184, 1000));
    // The whole chart fits: its height plus the frame, centred, less the scroll bar's width.
    EXPECT_EQ(CaseSizesPlacement(QRect(0, 0, 1920, 1800), 1184, 1669, 30, 16),
              QRect(376, 50, 1168, 1699));
}

class CaseSizesDlgTest : public ::testing::Test {
protected:
    ScopedFakeResources resources;
};

TEST_F(CaseSizesDlgTest, ScrollBarAndWheelMoveTheChart) {
    CCaseSizesDlg chart;
    ASSERT_TRUE(chart.Create());
    // The frame, caption included, lies on the work area, also before the window is shown;
    // a work area narrower than the window narrows it.
    const QMargins frame = WindowFrameMargins(&chart);
    EXPECT_GT(frame.top(), 10);
    ASSERT_GT(chart.width(), 500);
    chart.FitTo(QRect(0, 30, 500, 700));
    EXPECT_EQ(chart.width() + frame.left() + frame.right(), 500);
    EXPECT_EQ(chart.pos(), QPoint(0, 30));
    chart.FitTo(QRect(0, 0, 1600, 700));
    EXPECT_EQ(chart.height() + frame.top() + frame.bottom(), 700);
    EXPECT_EQ(chart.minimumSize(), chart.maximumSize()); // not resizable
    ASSERT_EQ(chart.View()->height(), chart.height());
    const int last = 1669 - chart.View()->height();
    EXPECT_EQ(chart.LastPosition(), last);
    QScrollBar* bar = chart.ScrollBar();
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->maximum(), last);

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(chart.ScrollPosition(), 15);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(chart.ScrollPosition(), 135);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(chart.ScrollPosition(), last);
    EXPECT_EQ(bar->value(), last);

    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart.View(), &event);
    };
    wheel(120);
    EXPECT_EQ(chart.ScrollPosition(), last - 15);
    wheel(-360); // one line per message, whatever the delta
    EXPECT_EQ(chart.ScrollPosition(), last);
    bar->setValue(40); // dragging the thumb
    EXPECT_EQ(chart.ScrollPosition(), 40);
}

TEST_F(CaseSizesDlgTest, ChartShorterThanTheViewIsCentredAndDoesNotScroll) {
    resources.fake.bitmapSizes[175] = QSize(400, 200);
    CCaseSizesDlg chart;
    ASSERT_TRUE(chart.Create());
    chart.setFixedSize(1184, 336);
    EXPECT_TRUE(chart.ScrollBar()->isHidden());
    EXPECT_EQ(chart.LastPosition(), 0);
    chart.Scroll(CaseScroll::LineDown);
    EXPECT_EQ(chart.ScrollPosition(), 0);
    const QImage image = chart.View()->grab().toImage();
    const QRgb colour = FakeDialogResources::BitmapColour(175).rgb();
    EXPECT_EQ(image.pixel(592, 168), colour);
    EXPECT_NE(image.pixel(5, 5), colour) << "centred, not at the corner";
}

TEST_F(CaseSizesDlgTest, ButtonOpensTheQcnChartOrTheScrolledOne) {
    CapacitorRecord record{};
    std::memcpy(record.series, "QCN", 4);
    QString kind;
    QSize picture;
    const auto close = [&] {
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            kind = dynamic_cast<CCaseSizesDlg*>(modal) != nullptr ? "scrolled" : "plain";
            if (auto* label = Control<QLabel>(modal, 1049)) {
                picture = label->pixmap().size();
            }
            static_cast<QDialog*>(modal)->reject();
        });
    };
    close();
    EXPECT_TRUE(ShowCaseSizes(nullptr, &record));
    EXPECT_EQ(kind, "plain");
    EXPECT_EQ(picture, QSize(718, 575));

    std::memcpy(record.series, "QCT", 4);
    close();
    EXPECT_TRUE(ShowCaseSizes(nullptr, &record));
    EXPECT_EQ(kind, "scrolled");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    EXPECT_TRUE(ShowCaseSizes(nullptr, nullptr)); // no part: nothing opens
    resources.fake.missing.insert(176);
    EXPECT_FALSE(ShowCaseSizes(nullptr, &record));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
