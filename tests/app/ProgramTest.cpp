#include "AboutDlg.h"
#include "CMainFrame.h"
#include "CapacitorRecord.h"
#include "DialogTemplate.h"
#include "MailLink.h"
#include "ProgramStartup.h"
#include "SelectDlg.h"
#include "TestEnvironment.h"
#include "WorkingState.h"
#include "ZeltaApp.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

namespace {

class WatchedSplash : public IStartupSplash {
public:
    WatchedSplash(std::unique_ptr<IStartupSplash> real, bool& created)
        : m_real(std::move(real)), m_created(created) {}
    bool Create() override { return m_created = m_real->Create(); }
    void SetTopmost(bool topmost) override { m_real->SetTopmost(topmost); }
    void Wait(int ms) override { m_real->Wait(ms); }

private:
    std::unique_ptr<IStartupSplash> m_real;
    bool& m_created;
};

// The program started for real on the shipped data, with the clock taken over so the splash
// never waits and the message boxes recorded instead of shown.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(ZELTA_SOURCE_DIR "/product"));
    }
    void TearDown() override { QDir::setCurrent(previous); }

    std::unique_ptr<CProgram> Start() {
        return std::make_unique<CProgram>([this](StartupParts& parts) {
            parts.sleep = [](int) {};
            // The real splash, watched: it must come up from its template.
            parts.makeSplash = [this, real = parts.makeSplash] {
                return std::make_unique<WatchedSplash>(real(), splashCreated);
            };
            parts.tickCount = [this] { return ticks += 6000; };
            parts.showBox = [this](const MessageBoxRequest& r) {
                boxes << r.text;
                return int(QMessageBox::Ok);
            };
        });
    }

    // Runs `step` on the next modal dialog that comes up on top of the current one.
    static void OnNextModal(std::function<void(QDialog*)> step) {
        QWidget* below = QApplication::activeModalWidget();
        auto tries = std::make_shared<int>(0);
        auto poll = std::make_shared<std::function<void()>>();
        *poll = [step, below, tries, poll] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr && dialog != below) {
                step(dialog);
                *poll = nullptr;
                return;
            }
            if (++*tries > 500) {
                ADD_FAILURE() << "no modal dialog came up";
                *poll = nullptr;
                return;
            }
            QTimer::singleShot(10, *poll);
        };
        QTimer::singleShot(0, *poll);
    }

    QString previous;
    std::uint32_t ticks = 0;
    QStringList boxes;
    bool splashCreated = false;
};

TEST_F(ProgramTest, PickingAPartOpensTheFourStandardGraphs) {
    auto program = Start();
    QString title;
    int rows = 0;
    OnNextModal([&](QDialog* dialog) {
        title = dialog->windowTitle();
        auto* select = dynamic_cast<CSelectDlg*>(dialog);
        ASSERT_NE(select, nullptr);
        rows = select->Engine().Rows().GetCount();
        EXPECT_EQ(Control<QPushButton>(dialog, 2)->text(), "Quit");
        EXPECT_FALSE(program->App().SplashUp());
        Control<QPushButton>(dialog, 1)->click();
    });
    ASSERT_TRUE(program->InitInstance()) << boxes.join(" | ").toStdString();
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_TRUE(splashCreated);
    EXPECT_EQ(title, "ZeltaIII");
    EXPECT_GT(rows, 0);
    CMainFrame* frame = program->MainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    ASSERT_NE(frame->GetCurrentCapacitor(), nullptr);
    for (int kind = 0; kind < 4; ++kind) {
        EXPECT_NE(frame->GraphWindow(kind), nullptr) << "kind " << kind;
    }
    EXPECT_EQ(frame->GraphWindow(6), nullptr);

    // "Choose Another Capacitor": the modeless selection dialog hands a new part to the frame.
    const CapacitorRecord* first = frame->GetCurrentCapacitor();
    frame->OnCommand(CMainFrame::ID_CHOOSE_CAPACITOR);
    CSelectDlg* chooser = nullptr;
    for (QWidget* w : QApplication::allWidgets()) {
        if (auto* candidate = dynamic_cast<CSelectDlg*>(w); candidate && candidate->isVisible()) {
            chooser = candidate;
        }
    }
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->windowTitle(), "Select capacitor");
    EXPECT_EQ(chooser->GetSelected(), first) << "the dialog opens on the part shown";
    auto* chooserList = Control<QTreeView>(chooser, 1006);
    chooserList->setCurrentIndex(chooserList->model()->index(2, 0));
    const CapacitorRecord* second = chooser->GetSelected();
    ASSERT_NE(second, first);
    Control<QPushButton>(chooser, 1)->click();
    QApplication::processEvents();
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(frame->GetCurrentCapacitor(), second);
    for (int kind = 0; kind < 4; ++kind) {
        EXPECT_NE(frame->GraphWindow(kind), nullptr) << "kind " << kind;
    }

    // The same dialog comes back with the part shown and the filters as the user left them,
    // also after a cancel.
    frame->OnCommand(CMainFrame::ID_CHOOSE_CAPACITOR);
    ASSERT_TRUE(chooser->isVisible());
    EXPECT_EQ(chooser->GetSelected(), second);
    auto* voltage = Control<QComboBox>(chooser, 1004);
    const QString chosenVoltage = voltage->itemText(voltage->count() - 1);
    voltage->setCurrentIndex(voltage->count() - 1);
    emit voltage->activated(voltage->count() - 1);
    const CapacitorRecord* filtered = chooser->GetSelected();
    ASSERT_NE(filtered, nullptr);
    Control<QPushButton>(chooser, 2)->click();
    QApplication::processEvents();
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(frame->GetCurrentCapacitor(), second) << "cancel keeps the part";
    frame->OnCommand(CMainFrame::ID_CHOOSE_CAPACITOR);
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_EQ(voltage->currentText(), chosenVoltage);
    EXPECT_EQ(chooser->GetSelected(), filtered);
    voltage->setCurrentIndex(0); // "All" again for the comparison below
    emit voltage->activated(0);
    Control<QPushButton>(chooser, 2)->click();

    // The frame's commands reach the real dialogs.
    OnNextModal([](QDialog* dialog) {
        Control<QLineEdit>(dialog, 1017)->setText("-40");
        dialog->accept();
    });
    frame->OnCommand(CMainFrame::ID_TEMP_CUSTOM);
    EXPECT_DOUBLE_EQ(frame->State().selectedTemperature, -40.0);

    OnNextModal([](QDialog* dialog) {
        Control<QLineEdit>(dialog, 1023)->setText("20000");
        dialog->accept();
    });
    frame->OnCommand(CMainFrame::ID_SET_MEASUREMENT);
    EXPECT_TRUE(frame->MeasurementSet());
    EXPECT_DOUBLE_EQ(frame->MeasurementFrequency(), 20000.0);

    QString circuitTitle;
    OnNextModal([&circuitTitle](QDialog* dialog) {
        circuitTitle = dialog->windowTitle();
        QWidget* picture = Control<QWidget>(dialog, 1051);
        ASSERT_NE(picture, nullptr);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(3, 3),
                            picture->mapToGlobal(QPointF(3, 3)), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(picture, &release);
    });
    frame->OnCommand(CMainFrame::ID_EQUIVALENT_CIRCUIT);
    EXPECT_EQ(circuitTitle,
              QString("Equivalent circuit diagram of ") + frame->GetCurrentCapacitor()->partNumber);

    // About from the menu: the version and the e-mail link; a second About meanwhile is refused.
    QString version;
    bool link = false;
    OnNextModal([&](QDialog* about) {
        version = Control<QLabel>(about, 1020)->text();
        link = dynamic_cast<CMailLink*>(Control<QWidget>(about, 1019)) != nullptr;
        EXPECT_TRUE(IsAboutBoxOpen());
        EXPECT_FALSE(RunAboutBox(about));
        about->accept();
    });
    frame->OnCommand(CZeltaApp::ID_APP_ABOUT);
    EXPECT_EQ(version, "2.0");
    EXPECT_TRUE(link);

    // A comparison: the second part is picked in the selection dialog on template 150.
    OnNextModal([](QDialog* compare) {
        EXPECT_FALSE(Control<QPushButton>(compare, 1)->isEnabled());
        OnNextModal([](QDialog* picker) {
            EXPECT_EQ(picker->windowTitle(), "Select capacitor");
            auto* list = Control<QTreeView>(picker, 1006);
            list->setCurrentIndex(list->model()->index(1, 0));
            Control<QPushButton>(picker, 1)->click();
        });
        Control<QPushButton>(compare, 1055)->click();
        EXPECT_TRUE(Control<QPushButton>(compare, 1)->isEnabled());
        Control<QPushButton>(compare, 1)->click();
    });
    frame->OnCommand(CMainFrame::ID_COMPARISON);
    EXPECT_TRUE(frame->IsComparisonMode());
    EXPECT_TRUE(frame->GetPartNumberText().contains('/'));
}

TEST_F(ProgramTest, QuitEndsWithTheMainWindowNeverShown) {
    auto program = Start();
    OnNextModal([](QDialog* dialog) { Control<QPushButton>(dialog, 2)->click(); });
    EXPECT_FALSE(program->InitInstance());
    EXPECT_EQ(program->MainFrame(), nullptr);
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(ProgramTest, BrokenCatalogueShowsTheLoadersMessageAndEnds) {
    const QString folder = QString::fromStdString(MakeTempDir("broken-catalogue"));
    QFile::copy(ZELTA_SOURCE_DIR "/product/vorncap.lib", folder + "/vorncap.lib");
    ASSERT_TRUE(QDir::setCurrent(folder));
    auto program = Start();
    EXPECT_FALSE(program->InitInstance());
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith("Cannot open file ")) << boxes[0].toStdString();
    EXPECT_TRUE(boxes[0].contains("cap.vorn"));
    EXPECT_FALSE(program->App().SplashUp());
    EXPECT_EQ(program->MainFrame(), nullptr);
}

} // namespace
