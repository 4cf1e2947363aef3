#include "PrintPage.h"

#include "FontFaces.h"
#include "Graph.h"
#include "GraphResources.h"
#include "JapaneseUi.h"
#include "PageLayout.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

constexpr double kSoftwareVersion = 2.0;

QFont PageFont(const char* face, int height, int weight) {
    return DrawingFont(face, height, weight);
}

QString Text(const std::string& s) {
    return QString::fromUtf8(s.c_str());
}

} // namespace

std::string FormatVersionText(const std::string& format, double value) {
    int conversions = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        std::size_t j = i + 1;
        if (j < format.size() && format[j] == '%') {
            i = j;
            continue;
        }
        while (j < format.size() && format[j] != '\0' && std::strchr("-+ #0", format[j]) != nullptr)
            ++j;
        while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
            ++j;
        if (j < format.size() && format[j] == '.') {
            ++j;
            while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
                ++j;
        }
        if (j >= format.size() || format[j] == '\0' || std::strchr("fFeEgG", format[j]) == nullptr)
            return format;
        ++conversions;
        i = j;
    }
    if (conversions != 1)
        return format;
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format.c_str(), value);
    return buffer;
}

void PrintPageSize(const QPainter& surface, int& pageWidth, int& pageHeight) {
    pageWidth = 0;
    pageHeight = 0;
    if (surface.device() != nullptr)
        PageSize(surface.device()->width(), surface.device()->height(), pageWidth, pageHeight);
}

int ComposePrintPage(QPainter* surface, const PrintPageInput& input) {
    if (surface == nullptr || surface->device() == nullptr)
        return -1;
    const int horizontal = surface->device()->width();
    const int vertical = surface->device()->height();
    int pageWidth = 0;
    int pageHeight = 0;
    if (!PageSize(horizontal, vertical, pageWidth, pageHeight))
        return -1;

    static const GraphKind kOrder[kGraphKindCount] = {
        KindCapacitance,   KindESR,           KindImpedance, KindDF,
        KindRippleVoltage, KindRippleCurrent, KindDCL};
    int n = 0;
    for (const PrintPageWindow& window : input.windows) {
        if (window.open)
            ++n;
    }
    if (n == 0)
        return -1;
    int cellWidth = 0;
    int cellHeight = 0;
    if (!PageCellSize(n, pageWidth, pageHeight, cellWidth, cellHeight) || cellWidth <= 0 ||
        cellHeight <= 0)
        return -1;

    surface->save();
    // P logical units span the device's width, with equal scales in both directions.
    surface->setWindow(0, 0, pageWidth, pageHeight);
    surface->setViewport(
        0, 0, horizontal,
        static_cast<int>(static_cast<long long>(pageHeight) * horizontal / pageWidth));

    PageOpenWindows open;
    open.impedance = input.windows[KindImpedance].open;
    open.capacitance = input.windows[KindCapacitance].open;
    open.rippleVoltage = input.windows[KindRippleVoltage].open;
    open.rippleCurrent = input.windows[KindRippleCurrent].open;

    // Each view draws itself straight onto the page, translated to its cell and clipped to it,
    // so the page keeps lines and text as they are at the device's own resolution.
    int k = 0;
    for (GraphKind kind : kOrder) {
        if (k >= n)
            break;
        const PrintPageWindow& window = input.windows[kind];
        if (!window.open || window.view == nullptr)
            continue;
        int x = 0;
        int y = 0;
        PageCellOrigin(n, k, cellWidth, cellHeight, open, x, y);
        const QRect cell(x, y, cellWidth, cellHeight);
        surface->fillRect(cell, Qt::white);
        window.view->Render(*surface, cell);
        ++k;
    }

    // Header: logo, the product name with a drop shadow, and the capacitor.
    if (input.resources != nullptr) {
        const QImage logo = input.resources->GetBitmap(IDB_LOGO);
        // Stored losslessly on a page file, never as a JPEG.
        surface->setRenderHint(QPainter::LosslessImageRendering);
        if (!logo.isNull())
            surface->drawImage(QPoint(10, 3), logo, QRect(0, 0, 92, 39));
    }
    surface->setBackgroundMode(Qt::TransparentMode);
    surface->setFont(PageFont("Arial Black", 28, QFont::Black));
    const int nameFlags = Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextDontClip;
    surface->setPen(QColor(192, 192, 192));
    surface->drawText(QRect(QPoint(115, 11), QPoint(499, 50)), nameFlags,
                      QStringLiteral("ZeltaIII"));
    surface->setPen(QColor(0, 0, 0));
    surface->drawText(QRect(QPoint(113, 9), QPoint(499, 48)), nameFlags,
                      QStringLiteral("ZeltaIII"));
    surface->setFont(PageFont("Arial", 28, QFont::Bold));
    surface->drawText(QRect(pageWidth / 2 - 2000, 50 - 100, 4000, 200),
                      Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                      Text(input.description));

    // Footer: the maker lines on the left, the software version on the right.
    surface->setFont(g_japaneseUi ? PageFont("MS Mincho", 15, QFont::Bold)
                                  : PageFont("Arial", 15, QFont::Bold));
    if (input.resources != nullptr) {
        const int left = Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextDontClip;
        const int right = Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextDontClip;
        surface->drawText(QRect(10, pageHeight - 26 - 100, pageWidth, 100), left,
                          Text(input.resources->GetString(IDS_MAKER_LINE1)));
        surface->drawText(QRect(10, pageHeight - 10 - 100, pageWidth, 100), left,
                          Text(input.resources->GetString(IDS_MAKER_LINE2)));
        const std::string version =
            FormatVersionText(input.resources->GetString(IDS_SOFTWARE_VERSION), kSoftwareVersion);
        surface->drawText(QRect(pageWidth - 14 - 2000, pageHeight - 10 - 100, 2000, 100), right,
                          Text(version));
    }
    surface->restore();
    return 0;
}
