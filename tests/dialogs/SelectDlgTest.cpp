#include "SelectDlg.h"
#include "CapacitorRecord.h"
#include "DialogTemplate.h"
#include "FakeDialogResources.h"
#include "FilterCatalogue.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

CapacitorRecord Part(const char* number, const char* series, char caseCode, double uF, double v) {
    CapacitorRecord r{};
    std::snprintf(r.partNumber, sizeof r.partNumber, "%s", number);
    std::memcpy(r.series, series, 4);
    r.family = 'T';
    r.caseCode = caseCode;
    r.capacitance = uF;
    r.ratedVoltage = v;
    r.tolerance = 'K';
    r.esrMax = 500;
    r.dclMax = 1;
    return r;
}

class SelectDlgTest : public ::testing::Test {
protected:
    SelectDlgTest()
        : records{Part("QAKA106K010RNJ", "QAK", 'A', 10, 10),
                  Part("QAKB226K016RNJ", "QAK", 'B', 22, 16),
                  Part("QAKD107K016RNJ", "QAK", 'D', 100, 16)},
          catalogue(records) {}

    ScopedFakeResources resources;
    std::vector<CapacitorRecord> records;
    CRecordCatalogue catalogue;
};

TEST_F(SelectDlgTest, FilterChoiceNarrowsTheListAndTheDetailsFollowTheRow) {
    CSelectDlg dialog(&catalogue, nullptr);
    ASSERT_TRUE(dialog.Create(131));
    ASSERT_EQ(dialog.LoadPictures(), 0);
    dialog.FillLists(1);
    QComboBox* technology = Control<QComboBox>(&dialog, 1042);
    EXPECT_EQ(technology->currentText(), "Tantalum");
    auto* list = Control<QTreeView>(&dialog, 1006);
    EXPECT_EQ(list->model()->rowCount(), 3);
    EXPECT_EQ(Control<QLabel>(&dialog, 1010)->text(), "QAKA106K010RNJ");
    EXPECT_TRUE(Control<QPushButton>(&dialog, 1)->isEnabled());

    // Rated voltage 16 V leaves the two 16 V parts; the capacitance list offers only theirs.
    QComboBox* voltage = Control<QComboBox>(&dialog, 1004);
    const int sixteen = voltage->findText("16");
    ASSERT_GE(sixteen, 0);
    voltage->setCurrentIndex(sixteen);
    emit voltage->activated(sixteen);
    EXPECT_EQ(list->model()->rowCount(), 2);
    QStringList capacitances;
    for (int i = 0; i < Control<QComboBox>(&dialog, 1003)->count(); ++i) {
        capacitances << Control<QComboBox>(&dialog, 1003)->itemText(i);
    }
    EXPECT_EQ(capacitances, (QStringList{"All", "22", "100"}));

    list->setCurrentIndex(list->model()->index(1, 0));
    EXPECT_EQ(dialog.GetSelected(), &records[2]);
    EXPECT_EQ(Control<QLabel>(&dialog, 1010)->text(), "QAKD107K016RNJ");
    EXPECT_EQ(Control<QLabel>(&dialog, 1011)->text(), "D");
}

TEST_F(SelectDlgTest, ConfirmNeedsACapacitorAndTellsTheOwnerFirst) {
    CSelectDlg dialog(&catalogue, nullptr);
    ASSERT_TRUE(dialog.Create(150));
    dialog.FillLists(1);
    int confirmed = 0;
    dialog.SetOnConfirmed([&] {
        ++confirmed;
        EXPECT_NE(dialog.result(), QDialog::Accepted) << "the owner hears before the dialog ends";
    });
    dialog.SelectRecord(&records[1]);
    EXPECT_EQ(dialog.GetSelected(), &records[1]);
    dialog.accept();
    EXPECT_EQ(confirmed, 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    // Nothing selected: OK is off and Enter does nothing.
    dialog.setResult(0);
    Control<QTreeView>(&dialog, 1006)->setCurrentIndex(QModelIndex());
    EXPECT_EQ(dialog.GetSelected(), nullptr);
    EXPECT_FALSE(Control<QPushButton>(&dialog, 1)->isEnabled());
    dialog.accept();
    EXPECT_EQ(confirmed, 1);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(SelectDlgTest, MissingSeriesPictureFailsTheLoad) {
    resources.fake.missingBitmaps.insert(170);
    CSelectDlg dialog(&catalogue, nullptr);
    ASSERT_TRUE(dialog.Create(150));
    EXPECT_EQ(dialog.LoadPictures(), -1);
    EXPECT_TRUE(Control<QLabel>(&dialog, 1009)->isHidden());
}

} // namespace
