#include "MenuBarLayout.h"
#include "ResourceLibrary.h"
#include "ResourceMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

constexpr int kAbout = 57664;

class MenuBarLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        library.SetLanguage(CResourceLibrary::Language::English);
        ASSERT_EQ(library.Load(), 0) << library.ErrorDetail().toStdString();
    }

    void Install(int menuId) {
        QMenu loaded;
        ASSERT_TRUE(source.LoadMenu(menuId, &loaded));
        InsertMenuCopies(loaded.actions(), &bar, 0);
    }

    QStringList TopLevelTexts() const {
        QStringList texts;
        for (QAction* a : bar.actions())
            texts << a->text();
        return texts;
    }

    CResourceLibrary library;
    CResourceMenuSource source{library};
    QMenuBar bar;
};

TEST_F(MenuBarLayoutTest, ComparisonLayoutKeepsWindowMenuAndAbout) {
    Install(kMenuNormal);
    ASSERT_TRUE(HoldsCommand(&bar, 32774));
    const int normalCount = bar.actions().size();

    SwitchMenuBar(&bar, false, source);
    EXPECT_FALSE(HoldsCommand(&bar, 32774));
    EXPECT_FALSE(HoldsCommand(&bar, 32772)); // "Copy Data" is not offered while comparing
    EXPECT_FALSE(HoldsCommand(&bar, 32791));
    EXPECT_TRUE(HoldsCommand(&bar, 32771));
    EXPECT_TRUE(HoldsCommand(&bar, 32800));
    EXPECT_TRUE(HoldsCommand(&bar, 32801));
    EXPECT_TRUE(HoldsCommand(&bar, 57650)); // the Window menu stayed
    EXPECT_EQ(CommandIdOf(bar.actions().constLast()), kAbout);
    EXPECT_EQ(TopLevelTexts().front(), QStringLiteral("&File"));

    SwitchMenuBar(&bar, true, source);
    EXPECT_TRUE(HoldsCommand(&bar, 32774));
    EXPECT_TRUE(HoldsCommand(&bar, 32772));
    EXPECT_FALSE(HoldsCommand(&bar, 32801));
    EXPECT_EQ(bar.actions().size(), normalCount);
    EXPECT_EQ(CommandIdOf(bar.actions().constLast()), kAbout);
}

TEST_F(MenuBarLayoutTest, WithoutWindowMenuUsesTheShortMenus) {
    Install(kMenuNormalNoWindows);
    SwitchMenuBar(&bar, false, source);
    EXPECT_FALSE(HoldsCommand(&bar, 57650));
    EXPECT_FALSE(HoldsCommand(&bar, 32771)); // no Edit menu without graph windows
    EXPECT_TRUE(HoldsCommand(&bar, 32801));
    SwitchMenuBar(&bar, true, source);
    EXPECT_TRUE(HoldsCommand(&bar, 32774));
    EXPECT_FALSE(HoldsCommand(&bar, 57650));
    EXPECT_EQ(CommandIdOf(bar.actions().constLast()), kAbout);
}

TEST_F(MenuBarLayoutTest, MaximisedWindowItemsStayAtBothEnds) {
    Install(kMenuNormal);
    // A maximised child adds its own items: one in front, three behind.
    auto* system = new QAction(QStringLiteral("system"), &bar);
    bar.insertAction(bar.actions().constFirst(), system);
    QList<QAction*> trailing;
    for (const char* name : {"minimise", "restore", "close"}) {
        trailing << new QAction(QString::fromLatin1(name), &bar);
        bar.addAction(trailing.constLast());
    }

    SwitchMenuBar(&bar, false, source);
    QList<QAction*> items = bar.actions();
    ASSERT_GE(items.size(), 6);
    EXPECT_EQ(items.constFirst(), system);
    EXPECT_EQ(items.mid(items.size() - 3), trailing);
    EXPECT_EQ(CommandIdOf(items.at(items.size() - 4)), kAbout);
    EXPECT_EQ(items.at(1)->text(), QStringLiteral("&File"));
    EXPECT_TRUE(HoldsCommand(&bar, 32801));

    SwitchMenuBar(&bar, true, source);
    items = bar.actions();
    EXPECT_EQ(items.constFirst(), system);
    EXPECT_EQ(items.mid(items.size() - 3), trailing);
    EXPECT_TRUE(HoldsCommand(&bar, 32774));
}

TEST_F(MenuBarLayoutTest, BarsThatNeedNoChangeAreLeftAlone) {
    SwitchMenuBar(&bar, false, source); // a bar without menus
    EXPECT_TRUE(bar.actions().isEmpty());
    SwitchMenuBar(nullptr, false, source);

    Install(kMenuNormal);
    const QList<QAction*> before = bar.actions();
    SwitchMenuBar(&bar, true, source);
    EXPECT_EQ(bar.actions(), before);
}

TEST_F(MenuBarLayoutTest, CopiesKeepIdsStatesAndSubmenus) {
    QMenu source;
    QMenu* popup = source.addMenu(QStringLiteral("&Graph"));
    QAction* item = popup->addAction(QStringLiteral("Show &DF"));
    item->setProperty(kCommandIdProperty, 32781);
    item->setCheckable(true);
    item->setChecked(true);
    item->setEnabled(false);
    popup->addSeparator();

    QMenuBar target;
    InsertMenuCopies(source.actions(), &target, 0);
    QAction* copy = FindCommand(&target, 32781);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, item);
    EXPECT_TRUE(copy->isChecked());
    EXPECT_FALSE(copy->isEnabled());
    EXPECT_EQ(copy->text(), QStringLiteral("Show &DF"));
    ASSERT_NE(target.actions().constFirst()->menu(), nullptr);
    EXPECT_TRUE(target.actions().constFirst()->menu()->actions().at(1)->isSeparator());
}

} // namespace
