#include "ModelDlg.h"
#include "CapacitorRecord.h"
#include "DialogTemplate.h"
#include "FakeDialogResources.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

CapacitorRecord Part(const char* series) {
    CapacitorRecord r{};
    std::snprintf(r.partNumber, sizeof r.partNumber, "%s", "QCLD227M006R0040");
    std::memcpy(r.series, series, 4);
    r.rels = 10.0;
    r.lesl = 2e-9;
    r.rp = 1e8;
    for (int i = 0; i < 6; ++i) {
        r.ladderR[i] = 0.02;
        r.ladderC[i] = 8.64e-6;
    }
    return r;
}

TEST(ModelDlgTest, ShowsTitleAndElementLinesOfTheTopology) {
    ScopedFakeResources resources;
    CapacitorRecord record = Part("QCL");
    ASSERT_EQ(ModelTemplateFor(record), kModelPolymer);
    CModelDlg dialog(ModelTemplateFor(record));
    dialog.SetCapacitor(&record);
    ASSERT_TRUE(dialog.Initialise());
    EXPECT_EQ(dialog.windowTitle(), "Equivalent circuit diagram of QCLD227M006R0040");
    const QStringList lines = dialog.ElementText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], "Rs = 10 Ohm");
    EXPECT_EQ(lines[3], "Rd = 100 mOhm");
    EXPECT_EQ(lines[5], "C0 = 8.64 uF");
    EXPECT_TRUE(Control<QPlainTextEdit>(&dialog, 1050)->isReadOnly());
    EXPECT_FALSE(Control<QLabel>(&dialog, 1051)->pixmap().isNull());
}

TEST(ModelDlgTest, ClickOnThePictureClosesIt) {
    ScopedFakeResources resources;
    CapacitorRecord record = Part("QAK");
    CModelDlg dialog(kModelLadder);
    dialog.SetCapacitor(&record);
    ASSERT_TRUE(dialog.Initialise());
    dialog.show();
    dialog.setResult(7);
    QWidget* picture = Control<QWidget>(&dialog, 1051);
    ASSERT_NE(picture, nullptr);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5),
                        picture->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(picture, &release);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST(ModelDlgTest, MissingTemplateIsReportedNotShown) {
    ScopedFakeResources resources;
    resources.fake.missing.insert(183);
    CapacitorRecord record = Part("QCR");
    CModelDlg dialog(ModelTemplateFor(record));
    dialog.SetCapacitor(&record);
    EXPECT_FALSE(dialog.Initialise());
}

} // namespace
