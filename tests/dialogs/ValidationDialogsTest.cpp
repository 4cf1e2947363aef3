#include "CustomTempDlg.h"
#include "DialogTemplate.h"
#include "DialogTestSupport.h"

#include "FakeDialogResources.h"
#include "MeasPointDlg.h"
#include "ValidationTexts.h"
#include <QApplication>

#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct IntegerCase {
    const char* text;
    bool accepted;
    const char* message;
};

class CustomTemperatureTest : public ::testing::TestWithParam<IntegerCase> {};

// A QBT part tops out at 105 °C.
TEST_P(CustomTemperatureTest, AcceptsIntegersWithinThePartsLimitsOnly) {
    const IntegerCase& c = GetParam();
    ScopedFakeResources resources;
    MessageRecorder messages;
    CCustomTempDlg dialog(-55, 105);
    dialog.SetTemperature(25);
    ASSERT_TRUE(dialog.Initialise());
    auto* edit = Control<QLineEdit>(&dialog, 1017);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "25");
    edit->setText(c.text);
    dialog.accept();
    if (c.accepted) {
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Temperature(), QString(c.text).trimmed().toInt());
        EXPECT_TRUE(messages.texts.isEmpty());
    } else {
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Temperature(), 25) << "a refused entry must not change the value";
        ASSERT_EQ(messages.texts.size(), 1);
        EXPECT_EQ(messages.texts[0], c.message);
        EXPECT_EQ(messages.icons[0], QMessageBox::Warning);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, CustomTemperatureTest,
    ::testing::Values(IntegerCase{"-55", true, ""}, IntegerCase{"105", true, ""},
                      IntegerCase{" 0 ", true, ""},
                      IntegerCase{"-56", false, "Please enter an integer between -55 and 105."},
                      IntegerCase{"106", false, "Please enter an integer between -55 and 105."},
                      IntegerCase{"99999999999", false, "Please enter an integer."},
                      IntegerCase{"85.5", false, "Please enter an integer."},
                      IntegerCase{"", false, "Please enter an integer."},
                      IntegerCase{"abc", false, "Please enter an integer."}));

TEST(CustomTemperatureRunTest, OkStoresTheValueAndCancelKeepsTheOldOne) {
    ScopedFakeResources resources;
    MessageRecorder messages;
    int value = 125;
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        Control<QLineEdit>(dialog, 1017)->setText("-40");
        dialog->accept();
    });
    EXPECT_TRUE(RunCustomTemperatureDialog(nullptr, -55, 125, value));
    EXPECT_EQ(value, -40);

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        Control<QLineEdit>(dialog, 1017)->setText("100");
        dialog->reject();
    });
    EXPECT_FALSE(RunCustomTemperatureDialog(nullptr, -55, 125, value));
    EXPECT_EQ(value, -40);
}

struct NumberCase {
    const char* text;
    bool accepted;
    double value;
    const char* message;
};

class MeasurementFrequencyTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(MeasurementFrequencyTest, AcceptsOneHundredHertzToOneHundredMegahertz) {
    const NumberCase& c = GetParam();
    ScopedFakeResources resources;
    MessageRecorder messages;
    CMeasPointDlg dialog;
    dialog.SetFrequency(1000.0);
    dialog.SetTemperatureOption(0);
    ASSERT_TRUE(dialog.Initialise());
    Control<QLineEdit>(&dialog, 1023)->setText(c.text);
    dialog.accept();
    if (c.accepted) {
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_DOUBLE_EQ(dialog.Frequency(), c.value);
        EXPECT_TRUE(messages.texts.isEmpty());
    } else {
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_DOUBLE_EQ(dialog.Frequency(), 1000.0);
        ASSERT_EQ(messages.texts.size(), 1);
        EXPECT_EQ(messages.texts[0], c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, MeasurementFrequencyTest,
    ::testing::Values(
        NumberCase{"100", true, 100.0, ""}, NumberCase{"100000000", true, 1e8, ""},
        NumberCase{"1e5", true, 1e5, ""}, NumberCase{" 2500.5 ", true, 2500.5, ""},
        NumberCase{"99.9", false, 0, "Please enter a number between 100 and 100000000."},
        NumberCase{"100000001", false, 0, "Please enter a number between 100 and 100000000."},
        NumberCase{"-1000", false, 0, "Please enter a number between 100 and 100000000."},
        NumberCase{"1 kHz", false, 0, "Please enter a number."},
        NumberCase{"nan", false, 0, "Please enter a number."},
        NumberCase{"inf", false, 0, "Please enter a number."},
        NumberCase{"", false, 0, "Please enter a number."}));

TEST(MeasurementPointTest, SecondOptionOnlyAwayFromTwentyFiveDegrees) {
    ScopedFakeResources resources;
    MessageRecorder messages;
    MeasurementPoint point;
    point.frequency = 123456.789012345;
    point.measureAtTemperature = 1;

    struct Seen {
        bool workingVisible = false;
        QString workingText;
        bool workingChecked = false;
        QString frequencyText;
    } seen;
    auto inspect = [&seen](bool pickWorking) {
        QTimer::singleShot(0, [&seen, pickWorking] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* working = Control<QRadioButton>(dialog, 1024);
            seen.workingVisible = working->isVisibleTo(dialog);
            seen.workingText = working->text();
            seen.workingChecked = working->isChecked();
            seen.frequencyText = Control<QLineEdit>(dialog, 1023)->text();
            if (pickWorking) {
                working->setChecked(true);
            }
            dialog->accept();
        });
    };

    // At 25 °C only "25°C" is offered, whatever was chosen before.
    inspect(true);
    ASSERT_TRUE(RunMeasurementPointDialog(nullptr, 25.0, point));
    EXPECT_FALSE(seen.workingVisible);
    EXPECT_EQ(seen.frequencyText, "123456.789012345");
    EXPECT_EQ(point.measureAtTemperature, 0);

    // At 85 °C both, the second labelled with the temperature and preselected as stored.
    point.measureAtTemperature = 1;
    inspect(false);
    ASSERT_TRUE(RunMeasurementPointDialog(nullptr, 85.0, point));
    EXPECT_TRUE(seen.workingVisible);
    EXPECT_EQ(seen.workingText, QString::fromUtf8("85°C"));
    EXPECT_TRUE(seen.workingChecked);
    EXPECT_EQ(point.measureAtTemperature, 1);
}

} // namespace
