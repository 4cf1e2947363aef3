// Starts ZeltaIII on the data of the current folder, picks a capacitor in the start-up
// selection dialog as a user would, opens every graph the part offers and saves a picture of
// the main window. Used by screenshot.sh under a virtual X server for the README.
//
//   ZeltaScreenshot OUTPUT.png [PART]
//   ZeltaScreenshot --set FOLDER [PART]
//
// With --set it writes the pictures a reviewer looks at, of the whole screen with the window
// manager's frames: main-tiled.png and main-cascaded.png (seven graphs), one picture of each
// dialog and of the case-size windows, preview.png and select.png (the selection dialog).

#include "CMainFrame.h"
#include "CapacitorRecord.h"
#include "CaseSizesDlg.h"
#include "DialogTemplate.h"
#include "DownloadDlg.h"
#include "ProgramStartup.h"
#include "ProxyDlg.h"
#include "SelectDlg.h"
#include "UpdateClient.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <cstring>
#include <functional>

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

// A picture of the modal window that `open` runs, taken from inside its loop, which is then
// closed.
bool ShootModal(const QString& path, const std::function<void()>& open) {
    bool ok = false;
    QTimer::singleShot(1200, [&ok, path] {
        ok = SaveScreen(path);
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    open();
    Pump(200);
    return ok;
}

// Pictures of the main window tiled and cascaded, of every dialog the main window opens, of
// the case-size windows and of the print preview, into `folder`.
int SaveReviewSet(CMainFrame* frame, const QString& folder) {
    bool ok = true;
    const auto file = [&folder](const char* name) {
        return folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    };
    frame->OnCommand(CMainFrame::ID_WINDOW_TILE_HORZ);
    Pump(1000);
    ok = SaveScreen(file("main-tiled")) && ok;
    frame->OnCommand(CMainFrame::ID_WINDOW_CASCADE);
    Pump(1000);
    ok = SaveScreen(file("main-cascaded")) && ok;
    frame->OnCommand(CMainFrame::ID_WINDOW_TILE_HORZ);
    Pump(500);

    const struct {
        const char* name;
        int command;
    } commands[] = {{"about", 57664},   {"custom-temperature", 32778}, {"measurement-point", 32794},
                    {"circuit", 32796}, {"comparison", 32800},         {"preview", 57609}};
    for (const auto& c : commands)
        ok = ShootModal(file(c.name), [frame, &c] { frame->OnCommand(c.command); }) && ok;

    const CapacitorRecord* part = frame->GetCurrentCapacitor();
    ok = ShootModal(file("case-sizes"), [frame, part] { ShowCaseSizes(frame, part); }) && ok;
    CapacitorRecord qcn = part != nullptr ? *part : CapacitorRecord{};
    std::memcpy(qcn.series, "QCN", 4);
    ok = ShootModal(file("case-sizes-qcn"), [frame, &qcn] { ShowCaseSizes(frame, &qcn); }) && ok;
    ok = ShootModal(file("proxy"),
                    [frame] {
                        CProxyDlg proxy(frame);
                        if (proxy.Initialise())
                            proxy.exec();
                    }) &&
         ok;
    ok = ShootModal(file("download"),
                    [frame] {
                        DownloadState state;
                        CDownloadDlg download(&state, frame);
                        if (download.Initialise())
                            download.exec();
                    }) &&
         ok;

    frame->OnCommand(CMainFrame::ID_CHOOSE_CAPACITOR);
    Pump(1500);
    ok = SaveScreen(file("select")) && ok;
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
    if (reviewSet) {
        // The four graphs the program opens, copied as rich text as a word processor gets them.
        frame->OnCommand(CMainFrame::ID_WINDOW_TILE_HORZ);
        Pump(500);
        frame->OnCommand(32799);
        const QByteArray rtf =
            QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/rtf"));
        QFile file(output + QStringLiteral("/four-graphs.rtf"));
        if (rtf.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size())
            std::fprintf(stderr, "no rich text of the four graphs\n");
    }
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
