#include "DialogResources.h"
#include "DialogTemplate.h"
#include "DownloadDlg.h"
#include "FilterCatalogue.h"
#include "InstallerSignature.h"
#include "LocalHttpServer.h"
#include "MessageBox.h"
#include "ProxyDlg.h"
#include "QtHttpClient.h"
#include "ResourceLibrary.h"
#include "SelectDlg.h"
#include "TestEnvironment.h"
#include "TestSigning.h"
#include "UpdateClient.h"
#include "UpdateTestSupport.h"
#include "UpdateViaInternet.h"
#include "ValidationTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The dialogs take their templates from the real resource library of this build.
class LibraryResources : public IDialogResources {
public:
    explicit LibraryResources(const CResourceLibrary& library) : m_library(library) {}
    QWidget* LoadDialog(int id, QWidget* parent) override {
        return m_library.LoadDialog(id, parent).release();
    }
    QString LoadString(int id) override { return m_library.String(id); }
    QPixmap LoadBitmap(int id) override { return m_library.Bitmap(id); }
    QCursor LoadCursor(int id) override { return m_library.Cursor(id); }

private:
    const CResourceLibrary& m_library;
};

// ZeltaIII.srv in `folder` with `address` as both servers.
void WriteServerSettings(const QString& folder, const QString& address) {
    QFile srv(folder + "/ZeltaIII.srv");
    ASSERT_TRUE(srv.open(QIODevice::WriteOnly));
    srv.write(QStringLiteral("[zelta]\r\n\r\nhttpserver=%1\r\nhttpdir=ZeltaApps/Zelta\r\n"
                             "httpserver2=%1\r\nhttpdir2=ZeltaApps/Zelta\r\n")
                  .arg(address)
                  .toUtf8());
}

class UpdateDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        library.SetLanguage(CResourceLibrary::Language::English);
        ASSERT_EQ(library.Load({QStringLiteral(ZELTA_BINARY_DIR "/bin")}), 0)
            << library.ErrorDetail().toStdString();
        SetDialogResources(&resources);
        previousHandler = SetMessageBoxHandler([this](const MessageBoxRequest& request) {
            boxes.push_back(request);
            return static_cast<int>(boxAnswer);
        });
    }
    void TearDown() override {
        SetMessageBoxHandler(previousHandler);
        SetDialogResources(nullptr);
    }

    CResourceLibrary library;
    LibraryResources resources{library};
    MessageBoxHandler previousHandler;
    std::vector<MessageBoxRequest> boxes;
    QMessageBox::StandardButton boxAnswer = QMessageBox::Ok;
};

TEST_F(UpdateDialogsTest, ProxyDialogEnablesTheProxyFieldsWithItsCheckBox) {
    CProxyDlg dialog;
    ProxySettings settings;
    settings.proxyName = "cache.local";
    settings.proxyPort = 3128;
    settings.userName = "anna";
    settings.password = "pw";
    settings.savePassword = 1;
    dialog.SetSettings(settings);
    ASSERT_TRUE(dialog.Initialise());
    EXPECT_EQ(dialog.windowTitle(), "Proxy server settings");
    auto* useProxy = Control<QCheckBox>(&dialog, 1029);
    ASSERT_NE(useProxy, nullptr);
    EXPECT_FALSE(useProxy->isChecked());
    EXPECT_EQ(Control<QLineEdit>(&dialog, 1031)->text(), "3128");
    EXPECT_EQ(Control<QLineEdit>(&dialog, 1038)->echoMode(), QLineEdit::Password);
    for (const bool on : {false, true, false}) {
        useProxy->setChecked(on);
        for (const int id : {1032, 1033, 1030, 1034, 1031}) {
            EXPECT_EQ(Control<QWidget>(&dialog, id)->isEnabled(), on) << id;
        }
        for (const int id : {1037, 1038, 1039}) {
            EXPECT_TRUE(Control<QWidget>(&dialog, id)->isEnabled()) << id;
        }
    }
    useProxy->setChecked(true);
    Control<QLineEdit>(&dialog, 1030)->setText("proxy.local");
    Control<QPushButton>(&dialog, 1)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Settings().useProxy, 1);
    EXPECT_EQ(dialog.Settings().proxyName, "proxy.local");
    EXPECT_EQ(dialog.Settings().proxyPort, 3128);
    EXPECT_EQ(dialog.Settings().userName, "anna");
    EXPECT_EQ(dialog.Settings().password, "pw");
    EXPECT_EQ(dialog.Settings().savePassword, 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(UpdateDialogsTest, ProxyDialogRefusesBadValues) {
    struct Case {
        int control;
        QString text;
        const char* message;
    } const cases[] = {
        {1031, "", "Please enter a positive integer."},
        {1031, "-1", "Please enter a positive integer."},
        {1031, "80a", "Please enter a positive integer."},
        {1031, "65536", "Please enter an integer between 0 and 65535."},
        {1031, "99999999999", "Please enter an integer between 0 and 65535."},
        {1030, QString(251, 'a'), "Please enter no more than 250 characters."},
        {1038, QString(251, 'p'), "Please enter no more than 250 characters."},
        {1037, QString(251, 'u'), "Please enter no more than 250 characters."},
    };
    for (const Case& c : cases) {
        boxes.clear();
        CProxyDlg dialog;
        ASSERT_TRUE(dialog.Initialise());
        Control<QLineEdit>(&dialog, c.control)->setText(c.text);
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted) << c.message;
        ASSERT_EQ(boxes.size(), 1u) << c.message;
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(dialog.Settings().proxyPort, 0) << "nothing taken over";
    }
    CProxyDlg edge;
    ASSERT_TRUE(edge.Initialise());
    Control<QLineEdit>(&edge, 1031)->setText(" 65535 ");
    Control<QLineEdit>(&edge, 1030)->setText(QString(250, 'a'));
    edge.accept();
    EXPECT_EQ(edge.result(), QDialog::Accepted);
    EXPECT_EQ(edge.Settings().proxyPort, 65535);
}

TEST_F(UpdateDialogsTest, DownloadDialogFollowsTheStateAndCancelStopsTheWorker) {
    DownloadState state;
    state.total = 1000;
    {
        CDownloadDlg dialog(&state);
        ASSERT_TRUE(dialog.Initialise());
        EXPECT_EQ(dialog.windowTitle(), "New version download");
        state.done = 457;
        QTimer::singleShot(250, &dialog, [&state] { state.stop = 1; });
        QTimer::singleShot(5000, &dialog, [&dialog] { dialog.done(-1); }); // bound
        EXPECT_EQ(dialog.exec(), QDialog::Accepted);
        EXPECT_EQ(dialog.ProgressBar()->value(), 45);
    }
    state.stop = 0;
    {
        CDownloadDlg dialog(&state);
        ASSERT_TRUE(dialog.Initialise());
        QTimer::singleShot(50, &dialog, [&dialog] { Control<QPushButton>(&dialog, 2)->click(); });
        QTimer::singleShot(5000, &dialog, [&dialog] { dialog.done(-1); });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_EQ(state.stop, 1);
    }
    state.stop = 0;
    state.error = 1;
    CDownloadDlg failed(&state);
    ASSERT_TRUE(failed.Initialise());
    QTimer::singleShot(5000, &failed, [&failed] { failed.done(-1); });
    EXPECT_EQ(failed.exec(), QDialog::Accepted);
}

TEST_F(UpdateDialogsTest, WholeUpdateStartsTheInstallerAndClosesTheMainWindow) {
    LocalHttpServer server;
    ASSERT_TRUE(server.Start());
    const TestKeyPair keys = MakeTestKeyPair();
    const QByteArray installer = FakeInstaller(200000);
    server.Serve("/ZeltaApps/Zelta/zelta.txt", QByteArray("2.9"));
    server.Serve("/ZeltaApps/Zelta/zelta.exe", installer);
    server.Serve("/ZeltaApps/Zelta/zelta.sig", SignData(keys.privatePem, installer));
    const QString folder = QString::fromStdString(MakeTempDir("whole-update"));
    WriteServerSettings(folder, server.Address());

    QMainWindow mainWindow;
    mainWindow.show();
    CQtHttpClient http{kTestHttpTimeoutMs};
    std::vector<QStringList> started;
    UpdateHooks hooks;
    hooks.mainWindow = &mainWindow;
    hooks.folder = folder;
    hooks.http = &http;
    hooks.trustedKey = keys.publicPem;
    hooks.startProgram = [&](const QString& program, const QStringList& arguments,
                             const QString& workingFolder) {
        started.push_back(QStringList{program, workingFolder} + arguments);
        return true;
    };
    boxAnswer = QMessageBox::Yes;

    // The proxy dialog is confirmed as it comes up; the main window is disabled while the
    // download dialog runs.
    bool sawProxyDialog = false;
    bool mainDisabledDuringDownload = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* proxy = dynamic_cast<CProxyDlg*>(modal)) {
            sawProxyDialog = true;
            Control<QLineEdit>(proxy, 1037)->setText("anna");
            proxy->accept();
        } else if (dynamic_cast<CDownloadDlg*>(modal) != nullptr) {
            mainDisabledDuringDownload = !mainWindow.isEnabled();
        }
    });
    poll.start();
    EXPECT_EQ(UpdateViaInternet(hooks), UpdateOutcome::Handed);
    poll.stop();

    EXPECT_TRUE(sawProxyDialog);
    EXPECT_TRUE(mainDisabledDuringDownload);
    EXPECT_TRUE(mainWindow.isEnabled());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The new version (2.9) of ZeltaIII is now available.\nDo you want "
                             "to download and install it now?");
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Yes | QMessageBox::No);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0], (QStringList{folder + "/Installer", folder, "/U"}));
    QFile downloaded(folder + "/Installer");
    ASSERT_TRUE(downloaded.open(QIODevice::ReadOnly));
    EXPECT_EQ(downloaded.readAll(), installer);
    EXPECT_EQ(ReadProxySettings(folder + "/ZeltaIII.ini").userName, "anna");

    // The close request is posted: the window closes once the event loop runs again.
    EXPECT_TRUE(mainWindow.isVisible());
    for (int i = 0; i < 50 && mainWindow.isVisible(); ++i) {
        QApplication::processEvents();
    }
    EXPECT_FALSE(mainWindow.isVisible());
}

// A server that takes the connection and never answers, while checking and while downloading:
// the window is up at once, the event loop never stalls, and Cancel ends the flow quickly.
TEST_F(UpdateDialogsTest, AHangingServerNeverFreezesAndCancelEndsTheFlow) {
    LocalHttpServer server;
    ASSERT_TRUE(server.Start());
    const QString folder = QString::fromStdString(MakeTempDir("hanging-update"));
    WriteServerSettings(folder, server.Address());
    LocalHttpServer::Route silent;
    silent.silent = true;

    QMainWindow mainWindow;
    mainWindow.show();
    CQtHttpClient http; // the program's own 15 s silence limit: Cancel must not wait for it
    const TestKeyPair keys = MakeTestKeyPair();
    UpdateHooks hooks;
    hooks.mainWindow = &mainWindow;
    hooks.folder = folder;
    hooks.http = &http;
    hooks.trustedKey = keys.publicPem;
    hooks.startProgram = [](const QString&, const QStringList&, const QString&) { return true; };

    for (const bool whileDownloading : {false, true}) {
        if (whileDownloading) {
            server.Serve("/ZeltaApps/Zelta/zelta.txt", QByteArray("2.9"));
            server.Serve("/ZeltaApps/Zelta/zelta.exe", FakeInstaller(5000));
        } else {
            server.Serve("/ZeltaApps/Zelta/zelta.txt", silent);
        }
        QElapsedTimer clock;
        clock.start();
        qint64 startedAt = -1; // the proxy dialog confirmed, or the question answered
        qint64 shownAt = -1;   // the window of the hanging step is up
        qint64 cancelledAt = -1;
        // The question turns the installer into a server that never answers.
        SetMessageBoxHandler([&](const MessageBoxRequest&) {
            server.Serve("/ZeltaApps/Zelta/zelta.exe", silent);
            startedAt = clock.elapsed();
            return static_cast<int>(QMessageBox::Yes);
        });

        qint64 lastTick = 0;
        qint64 longestStall = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            if (startedAt >= 0) {
                longestStall = std::max(longestStall, now - lastTick);
            }
            lastTick = now;
        });
        ticker.start(5);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* proxy = dynamic_cast<CProxyDlg*>(modal)) {
                proxy->accept();
                if (!whileDownloading) {
                    startedAt = clock.elapsed();
                }
                return;
            }
            const bool hangingWindow = whileDownloading
                                           ? dynamic_cast<CDownloadDlg*>(modal) != nullptr
                                           : dynamic_cast<QDialog*>(modal) != nullptr;
            auto* cancel = modal != nullptr ? Control<QPushButton>(modal, 2) : nullptr;
            if (hangingWindow && cancel != nullptr && shownAt < 0) {
                shownAt = clock.elapsed();
                // The user waits a little, then gives up.
                QTimer::singleShot(400, cancel, [&, cancel] {
                    cancelledAt = clock.elapsed();
                    cancel->click();
                });
            }
        });
        poll.start(5);
        const UpdateOutcome outcome = UpdateViaInternet(hooks);
        const qint64 endedAt = clock.elapsed();
        poll.stop();
        ticker.stop();

        const char* step = whileDownloading ? "downloading" : "checking";
        EXPECT_EQ(outcome, whileDownloading ? UpdateOutcome::DownloadCancelled
                                            : UpdateOutcome::CheckCancelled)
            << step;
        ASSERT_GE(startedAt, 0) << step;
        ASSERT_GE(shownAt, 0) << step;
        ASSERT_GE(cancelledAt, 0) << step;
        // A flow that blocked the event loop on the silent server would stall it until the
        // user's cancel (400 ms) or the 15 s time-out; a loaded machine running the sanitized
        // suite in parallel stalls it for a few hundred milliseconds at most.
        EXPECT_LT(shownAt - startedAt, 350) << step;
        EXPECT_LT(endedAt - cancelledAt, 1000) << step;
        EXPECT_LT(longestStall, 350) << step;
        EXPECT_TRUE(mainWindow.isEnabled()) << step;
    }
}

TEST_F(UpdateDialogsTest, SelectionDialogButtonStartsTheUpdate) {
    CRecordCatalogue catalogue;
    // The program hands the button to the update flow; this test wires it the same way.
    CSelectDlg::SetUpdateHandler([](QWidget* owner) { UpdateViaInternet(owner); });
    for (const int templateId : {131, 150}) {
        CSelectDlg select(&catalogue, nullptr);
        ASSERT_TRUE(select.Create(templateId));
        auto* button = Control<QPushButton>(&select, 1026);
        ASSERT_NE(button, nullptr);
        // The proxy dialog comes first; cancelling it ends the update with no effect.
        bool sawProxyDialog = false;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* proxy = dynamic_cast<CProxyDlg*>(QApplication::activeModalWidget())) {
                sawProxyDialog = true;
                proxy->reject();
            }
        });
        QTimer::singleShot(5000, &select, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close(); // bound
            }
        });
        poll.start();
        button->click();
        poll.stop();
        EXPECT_TRUE(sawProxyDialog) << templateId;
        EXPECT_TRUE(boxes.empty());
    }
    CSelectDlg::SetUpdateHandler(nullptr);
}

} // namespace

// Texts live only in the resource library: without it they are empty, and a refused value is
// still refused.
TEST(DialogTextsWithoutLibrary, AreEmptyAndStillRefuse) {
    SetDialogResources(nullptr);
    EXPECT_TRUE(ResourceString(61719).isEmpty());
    int value = 7;
    const ValidationResult result = ParseIntegerInRange(QStringLiteral("x"), 0, 65535, value);
    EXPECT_TRUE(result.failed);
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_EQ(value, 7);
}
