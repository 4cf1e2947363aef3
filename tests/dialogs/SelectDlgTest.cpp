#include "SelectDlg.h"
#include "CapacitorList.h"
#include "CapacitorRecord.h"
#include "DialogTemplate.h"
#include "FakeDialogResources.h"
#include "FilterCatalogue.h"
#include "FilterCombo.h"
#include "SelectMessages.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
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

// Counts the events of one type that reach a widget.
class EventCounter : public QObject {
public:
    EventCounter(QObject* target, QEvent::Type type) : m_type(type) {
        target->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == m_type) {
            ++count;
        }
        return false;
    }

private:
    QEvent::Type m_type;
};

QRgb PicturePixel(const QWidget& dialog) {
    return Control<QLabel>(&dialog, 1009)->pixmap().toImage().pixel(0, 0);
}

TEST_F(SelectDlgTest, EmptyResultTurnsButtonsOffClearsDetailsAndPictureFollowsTechnology) {
    CSelectDlg dialog(&catalogue, nullptr);
    ASSERT_TRUE(dialog.Create(150));
    ASSERT_EQ(dialog.LoadPictures(), 0);
    dialog.FillLists(1);
    ASSERT_NE(dialog.GetSelected(), nullptr);
    EXPECT_TRUE(Control<QPushButton>(&dialog, 1048)->isEnabled());
    EXPECT_EQ(PicturePixel(dialog), FakeDialogResources::BitmapColour(140).rgb());

    // The catalogue holds no polymer part: not even the second pass lists one.
    QComboBox* technology = Control<QComboBox>(&dialog, 1042);
    technology->setCurrentIndex(technology->findText("Polymer"));
    EXPECT_EQ(Control<QTreeView>(&dialog, 1006)->model()->rowCount(), 0);
    EXPECT_EQ(dialog.GetSelected(), nullptr);
    EXPECT_FALSE(Control<QPushButton>(&dialog, 1)->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(&dialog, 1048)->isEnabled());
    for (int id = 1010; id <= 1017; ++id) {
        EXPECT_TRUE(Control<QLabel>(&dialog, id)->text().isEmpty()) << id;
    }
    EXPECT_EQ(Control<QLabel>(&dialog, 1046)->text(), "ESR Max. @100kHz");
    EXPECT_EQ(PicturePixel(dialog), FakeDialogResources::BitmapColour(169).rgb());
    // Enter does nothing now.
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(SelectDlgTest, FilterChoiceIsSentListSelectionAndConfirmArePosted) {
    QWidget owner;
    auto* dialog = new CSelectDlg(&catalogue, nullptr, &owner);
    ASSERT_TRUE(dialog->Create(150));
    dialog->FillLists(1);

    // 1580: handled before the combo's notification returns.
    auto* voltage = dynamic_cast<CFilterCombo*>(Control<QComboBox>(dialog, 1004));
    ASSERT_NE(voltage, nullptr);
    EXPECT_EQ(dynamic_cast<CFilterCombo*>(Control<QComboBox>(dialog, 1042)), nullptr)
        << "the technology list is a plain one";
    EventCounter chosen(dialog, SelectMessage::kFilterChosen);
    const int sixteen = voltage->findText("16");
    voltage->setCurrentIndex(sixteen);
    emit voltage->activated(sixteen);
    EXPECT_EQ(chosen.count, 1);
    EXPECT_EQ(dialog->List()->model()->rowCount(), 2);

    // 1581: a released key or mouse button in the list asks for the details later.
    EventCounter mayChange(dialog, SelectMessage::kSelectionMayChange);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(dialog->List(), &release);
    EXPECT_EQ(mayChange.count, 0);
    QApplication::processEvents();
    EXPECT_EQ(mayChange.count, 1);

    // 1585: the owner hears of the confirmed part once the event loop runs again.
    EventCounter confirmed(&owner, SelectMessage::kCapacitorConfirmed);
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(confirmed.count, 0);
    QApplication::processEvents();
    EXPECT_EQ(confirmed.count, 1);
    EXPECT_EQ(dialog->GetSelected(), &records[1]);
}

TEST_F(SelectDlgTest, UpdateButtonRunsTheProgramsHandlerForTheOwner) {
    QWidget owner;
    CSelectDlg dialog(&catalogue, nullptr, &owner);
    ASSERT_TRUE(dialog.Create(150));
    auto* update = Control<QPushButton>(&dialog, 1026);
    update->click(); // no handler: nothing happens
    QWidget* seen = nullptr;
    int runs = 0;
    CSelectDlg::SetUpdateHandler([&](QWidget* w) {
        seen = w;
        ++runs;
    });
    update->click();
    CSelectDlg::SetUpdateHandler(nullptr);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(seen, &owner);
}

TEST_F(SelectDlgTest, SeparatorIsPaintedAboveTheDetails) {
    CSelectDlg dialog(&catalogue, nullptr);
    ASSERT_TRUE(dialog.Create(150));
    dialog.resize(640, 480);
    const QImage image = dialog.grab().toImage();
    EXPECT_EQ(image.pixel(2, 421), qRgb(119, 119, 119));
    EXPECT_EQ(image.pixel(630, 422), qRgb(238, 238, 238));
    EXPECT_NE(image.pixel(2, 424), qRgb(119, 119, 119));
}

TEST(SelectDlgList, FormatsOnlyTheRowsItDrawsAndStopsAt9999) {
    ScopedFakeResources resources;
    std::vector<CapacitorRecord> many(12000, Part("QAKA106K010RNJ", "QAK", 'A', 10, 10));
    for (int i = 0; i < int(many.size()); ++i) {
        std::snprintf(many[size_t(i)].partNumber, sizeof many[size_t(i)].partNumber, "P%05d",
                      i % 100000);
    }
    CRecordCatalogue big(many);
    CSelectDlg dialog(&big, nullptr);
    ASSERT_TRUE(dialog.Create(131));
    dialog.FillLists(1);
    CCapacitorList* list = dialog.List();
    EXPECT_EQ(list->model()->rowCount(), 9999);
    dialog.show();
    QApplication::processEvents();
    const long long drawn = list->Model()->FormattedCells();
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, 2000) << "every row was formatted, not only those on screen";
    EXPECT_EQ(list->IndexOf(&many[9998]), 9998);
    EXPECT_EQ(list->IndexOf(&many[9999]), 0) << "not listed";
}

} // namespace
