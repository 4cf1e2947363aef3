// Starts ZeltaIII on the data of the current folder, picks a capacitor in the start-up
// selection dialog as a user would, opens every graph the part offers and saves a picture of
// the main window. Used by screenshot.sh under a virtual X server for the README.
//
//   ZeltaScreenshot OUTPUT.png [PART]

#include "CMainFrame.h"
#include "CapacitorRecord.h"
#include "DialogTemplate.h"
#include "ProgramStartup.h"
#include "SelectDlg.h"

#include <QApplication>
#include <QEventLoop>
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

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ZeltaScreenshot OUTPUT.png [PART]\n");
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString output = QString::fromLocal8Bit(argv[1]);
    const QByteArray part = argc > 2 ? QByteArray(argv[2]) : QByteArray();

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
