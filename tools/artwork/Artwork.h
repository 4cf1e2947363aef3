#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

// The artwork of the resource library, drawn with QPainter at the sizes the program
// expects. Everything is deterministic: the same Qt and fonts give the same pictures.

// Writes `image` as PNG to `folder`/`name`; false (with a message on stderr) on failure.
bool SavePng(const QImage& image, const QString& folder, const QString& name);

// A font of the family every picture uses, `pixels` high.
QFont ArtFont(int pixels, bool bold = false, bool italic = false);

// A white 24-bit canvas.
QImage Canvas(int width, int height, const QColor& fill = Qt::white);

// Series photographs, 176 x 247: one per bitmap id.
bool DrawSeriesPhotos(const QString& bitmapFolder);
// Splash picture 144 (640 x 428) and the maker's logo 152 (92 x 39).
bool DrawSplashAndLogo(const QString& bitmapFolder);
// Case-size charts 175 (1191 x 1669) and 188 (718 x 575).
bool DrawCaseCharts(const QString& bitmapFolder);
// Equivalent circuits 178 (628 x 224), 179 (465 x 224) and 180 (530 x 224).
bool DrawCircuits(const QString& bitmapFolder);
// Application icon 128 (32 and 16 pixels), the seven graph-window icons, and the
// pointing-hand cursor 147; returns the cursor's hot spot through hotX/hotY.
bool DrawIconsAndCursor(const QString& iconFolder, const QString& cursorFolder, int& hotX,
                        int& hotY);
