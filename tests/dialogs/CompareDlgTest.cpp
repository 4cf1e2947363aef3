#include "CompareDlg.h"
#include "CapacitorPicker.h"
#include "CapacitorRecord.h"
#include "DialogTemplate.h"
#include "FakeDialogResources.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

CapacitorRecord Part(const char* number) {
    CapacitorRecord r{};
    std::snprintf(r.partNumber, sizeof r.partNumber, "%s", number);
    return r;
}

// What the picker was asked and what it answers.
struct PickerScript {
    bool createFails = false;
    bool picturesFail = false;
    bool confirm = true;
    const CapacitorRecord* answer = nullptr;
    int created = 0;
    int templateId = 0;
    QString title;
    const CapacitorRecord* startedAt = nullptr;
};

class FakeSelectionDialog : public ICapacitorPicker {
public:
    explicit FakeSelectionDialog(PickerScript& script) : m_script(script) {}
    bool Create(int templateId, QWidget*) override {
        m_script.templateId = templateId;
        ++m_script.created;
        return !m_script.createFails;
    }
    int LoadPictures() override { return m_script.picturesFail ? -1 : 0; }
    void FillLists(int) override {}
    void SetTitle(const QString& title) override { m_script.title = title; }
    void SelectRecord(const CapacitorRecord* record) override { m_script.startedAt = record; }
    bool RunModal() override { return m_script.confirm; }
    const CapacitorRecord* GetSelected() override { return m_script.answer; }
    QWidget* Window() override { return nullptr; }

private:
    PickerScript& m_script;
};

class CompareDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCapacitorPickerFactory([this] { return std::make_unique<FakeSelectionDialog>(script); });
    }
    void TearDown() override { SetCapacitorPickerFactory(nullptr); }

    ScopedFakeResources resources;
    PickerScript script;
    CapacitorRecord shown = Part("TAJB106K016RNJ");
    CapacitorRecord other = Part("TPSD107K010R0100");
    CapacitorRecord third = Part("NOJA105M006RWJ");
};

TEST_F(CompareDlgTest, NoEarlierPairShowsNoneAndOkStaysOffUntilBothAreSet) {
    CCompareDlg dialog;
    dialog.SetCapacitors(nullptr, nullptr);
    dialog.SetCurrentCapacitor(&shown);
    ASSERT_TRUE(dialog.Initialise());
    auto* ok = Control<QAbstractButton>(&dialog, 1);
    EXPECT_EQ(Control<QLabel>(&dialog, 1056)->text(), "Capacitor 1: TAJB106K016RNJ");
    EXPECT_EQ(Control<QLabel>(&dialog, 1057)->text(), "Capacitor 2: None");
    EXPECT_FALSE(ok->isEnabled());
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted) << "Enter must not pass a disabled OK";

    // A cancelled pick changes nothing.
    script.confirm = false;
    Control<QAbstractButton>(&dialog, 1055)->click();
    EXPECT_EQ(Control<QLabel>(&dialog, 1057)->text(), "Capacitor 2: None");
    EXPECT_FALSE(ok->isEnabled());

    script.confirm = true;
    script.answer = &other;
    Control<QAbstractButton>(&dialog, 1055)->click();
    EXPECT_EQ(script.templateId, 150);
    EXPECT_EQ(script.title, "Select capacitor");
    EXPECT_EQ(script.startedAt, &shown) << "with no second part the pick starts at the last one";
    EXPECT_EQ(Control<QLabel>(&dialog, 1057)->text(), "Capacitor 2: TPSD107K010R0100");
    EXPECT_TRUE(ok->isEnabled());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Capacitor1(), &shown);
    EXPECT_EQ(dialog.Capacitor2(), &other);
}

TEST_F(CompareDlgTest, EarlierPairKeepsItsSecondAndFirstFollowsThePartOnShow) {
    CCompareDlg dialog;
    dialog.SetCapacitors(&third, &other);
    dialog.SetCurrentCapacitor(&shown);
    ASSERT_TRUE(dialog.Initialise());
    EXPECT_EQ(dialog.Capacitor1(), &shown);
    EXPECT_EQ(dialog.Capacitor2(), &other);
    EXPECT_TRUE(Control<QAbstractButton>(&dialog, 1)->isEnabled());

    // A confirmed pick without a selection empties the slot and turns OK off again.
    script.answer = nullptr;
    Control<QAbstractButton>(&dialog, 1054)->click();
    EXPECT_EQ(script.startedAt, &shown);
    EXPECT_EQ(dialog.Capacitor1(), nullptr);
    EXPECT_EQ(Control<QLabel>(&dialog, 1056)->text(), "Capacitor 1: None");
    EXPECT_FALSE(Control<QAbstractButton>(&dialog, 1)->isEnabled());
}

TEST_F(CompareDlgTest, SelectForCompareReportsCancelAndFailureAsTwo) {
    const CapacitorRecord* chosen = &shown;
    script.answer = &other;
    EXPECT_EQ(SelectForCompare(nullptr, &third, chosen), 1);
    EXPECT_EQ(chosen, &other);
    EXPECT_EQ(script.startedAt, &third);

    script.confirm = false;
    EXPECT_EQ(SelectForCompare(nullptr, nullptr, chosen), 2);
    EXPECT_EQ(chosen, nullptr);

    script.confirm = true;
    script.picturesFail = true;
    chosen = &shown;
    EXPECT_EQ(SelectForCompare(nullptr, nullptr, chosen), 2);
    EXPECT_EQ(chosen, nullptr);

    script.picturesFail = false;
    script.createFails = true;
    EXPECT_EQ(SelectForCompare(nullptr, nullptr, chosen), 2);

    SetCapacitorPickerFactory(nullptr);
    chosen = &shown;
    EXPECT_EQ(SelectForCompare(nullptr, nullptr, chosen), 2);
    EXPECT_EQ(chosen, nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor must be restored";
}

} // namespace
