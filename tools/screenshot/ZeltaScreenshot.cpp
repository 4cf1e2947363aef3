// Starts ZeltaIII on the data of the current folder, picks a capacitor in the start-up
// selection dialog as a user would, opens every graph the part offers and saves a picture of
// the main window. Used by screenshot.sh under a virtual X server for the README.
//
//   ZeltaScreenshot OUTPUT.png [PART]
//   ZeltaScreenshot --set FOLDER [PART]
//
// With --set it writes the pictures a reviewer looks at, of the whole screen with the window
// manager's frames: main-tiled.png and main-cascaded.png (seven graphs), about.png and
// select.png (the About box and the selection dialog).

#include "CMainFrame.h"
#include "CapacitorRecord.h"
#include "DialogTemplate.h"
#include "ProgramStartup.h"
#include "SelectDlg.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <cstring>

namespace {

void Pump(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The whole screen as the user sees it, title bars included.
bool SaveScreen(const QString& path) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap picture = screen != nullptr ? screen->grabWindow(0) : QPixmap();
    if (picture.isNull() || !picture.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s: %dx%d\n", qPrintable(path), picture.width(), picture.height());
    return true;
}

// Pictures of the main window tiled and cascaded, of the About box and of the selection
// dialog, into `folder`.
int SaveReviewSet(CMainFrame* frame, const QString& folder) {
    bool ok = true;
    frame->OnCommand(CMainFrame::ID_WINDOW_TILE_HORZ);
    Pump(1000);
    ok = SaveScreen(folder + QStringLiteral("/main-tiled.png")) && ok;
    frame->OnCommand(CMainFrame::ID_WINDOW_CASCADE);
    Pump(1000);
    ok = SaveScreen(folder + QStringLiteral("/main-cascaded.png")) && ok;
    // The About box is modal: taken and closed from inside its own loop.
    QTimer::singleShot(1000, [&ok, folder] {
        ok = SaveScreen(folder + QStringLiteral("/about.png")) && ok;
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    frame->OnCommand(57664);
    frame->OnCommand(CMainFrame::ID_CHOOSE_CAPACITOR);
    Pump(1500);
    ok = SaveScreen(folder + QStringLiteral("/select.png")) && ok;
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ZeltaScreenshot OUTPUT.png [PART]\n");
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const bool reviewSet = std::strcmp(argv[1], "--set") == 0;
    if (reviewSet && argc < 3) {
        std::fprintf(stderr, "usage: ZeltaScreenshot --set FOLDER [PART]\n");
        return 2;
    }
    const int first = reviewSet ? 2 : 1;
    const QString output = QString::fromLocal8Bit(argv[first]);
    const QByteArray part = argc > first + 1 ? QByteArray(argv[first + 1]) : QByteArray();

    CProgram program([](StartupParts& parts) {
        // No minimum splash time for a picture.
        parts.tickCount = [] {
            static std::uint32_t now = 0;
            return now += 6000;
        };
    });

    // Pick the part in the start-up dialog once it is up.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = dynamic_cast<CSelectDlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        poll.stop();
        auto* list = Control<QTreeView>(dialog, 1006);
        const CCapacitorRows& rows = dialog->Engine().Rows();
        int row = 0;
        for (int i = 0; i < rows.GetCount() && !part.isEmpty(); ++i) {
            if (std::strcmp(rows.GetAt(i)->partNumber, part.constData()) == 0) {
                row = i;
            }
        }
        list->setCurrentIndex(list->model()->index(row, 0));
        Control<QPushButton>(dialog, 1)->click();
    });
    poll.start(50);

    if (!program.InitInstance() || program.MainFrame() == nullptr) {
        std::fprintf(stderr, "ZeltaIII did not start\n");
        return 1;
    }
    CMainFrame* frame = program.MainFrame();
    // A virtual X server has no window manager to maximise the window: fill the screen.
    if (QScreen* screen = frame->screen()) {
        frame->setGeometry(screen->availableGeometry());
    }
    Pump(300);
    frame->OnCommand(32791); // ripple voltage
    frame->OnCommand(32792); // ripple current
    frame->OnCommand(32797); // DCL
    if (reviewSet)
        return SaveReviewSet(frame, output);
    frame->OnCommand(CMainFrame::ID_WINDOW_TILE_HORZ);
    Pump(1500);
    QPixmap picture = frame->grab();
    if (picture.isNull() || !picture.save(output)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %dx%d\n", argv[1], picture.width(), picture.height());
    return 0;
}
