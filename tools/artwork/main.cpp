// zelta_artwork: draws every picture of the resource library into resources/.
//
//     zelta_artwork <resources folder>
//
// The output is committed; the build of the library never runs this program.

#include "Artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

bool SavePng(const QImage& image, const QString& folder, const QString& name) {
    const QString path = QDir(folder).filePath(name);
    if (!image.save(path, "PNG", 0)) {
        std::fprintf(stderr, "zelta_artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QFont ArtFont(int pixels, bool bold, bool italic) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QImage Canvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelta_artwork <resources folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QString bitmaps = root.filePath(QStringLiteral("bitmaps"));
    const QString icons = root.filePath(QStringLiteral("icons"));
    const QString cursors = root.filePath(QStringLiteral("cursors"));
    for (const QString& folder : {bitmaps, icons, cursors}) {
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "zelta_artwork: cannot create %s\n", qPrintable(folder));
            return 1;
        }
    }
    int hotX = 0;
    int hotY = 0;
    const bool ok = DrawSeriesPhotos(bitmaps) && DrawSplashAndLogo(bitmaps) &&
                    DrawCaseCharts(bitmaps) && DrawCircuits(bitmaps) &&
                    DrawIconsAndCursor(icons, cursors, hotX, hotY);
    if (!ok)
        return 1;
    QFile hotSpots(QDir(cursors).filePath(QStringLiteral("cursors.json")));
    if (!hotSpots.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "zelta_artwork: cannot write cursors.json\n");
        return 1;
    }
    hotSpots.write(QStringLiteral("{ \"147\": { \"hotX\": %1, \"hotY\": %2 } }\n")
                       .arg(hotX)
                       .arg(hotY)
                       .toUtf8());
    return 0;
}
