#pragma once

#include <QImage>

#include <string>

// Resource ids the graph view and the printed page use.
enum GraphResourceId {
    IDS_SOFTWARE_VERSION = 34015, // "Software version: %.1f"
    IDS_MAKER_LINE1 = 34021,
    IDS_MAKER_LINE2 = 34022,
    IDB_LOGO = 152, // 92 x 39, drawn in the page header
};

// The texts and pictures of the resource library the printed page needs, behind a small
// interface so the page composes without the library (tests hand in their own).
class IGraphResources {
public:
    virtual ~IGraphResources() = default;
    // The string `id`, empty when there is none.
    virtual std::string GetString(int id) const = 0;
    // The bitmap `id`, a null image when there is none.
    virtual QImage GetBitmap(int id) const = 0;
};
