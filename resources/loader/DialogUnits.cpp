#include "DialogUnits.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace {

struct FaceMapping {
    const char* templateFace;
    const char* installedFace;
};

// The faces of fonts-liberation2 and fonts-ipafont-mincho.
constexpr FaceMapping kFaceMappings[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"MS Mincho", "IPAMincho"},
};

// MulDiv(units, base, divisor), rounded half away from zero.
int MulDiv(int units, int base, int divisor) {
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor
                                         : -((-product + half) / divisor));
}

QRect ToPixels(const QRect& units, const QSize& base) {
    return QRect(DialogUnitsToPixelsX(units.x(), base), DialogUnitsToPixelsY(units.y(), base),
                 DialogUnitsToPixelsX(units.width(), base),
                 DialogUnitsToPixelsY(units.height(), base));
}

} // namespace

QFont MappedDialogFont(const QFont& templateFont) {
    QFont font = templateFont;
    for (const FaceMapping& mapping : kFaceMappings) {
        if (templateFont.family().compare(QLatin1String(mapping.templateFace),
                                          Qt::CaseInsensitive) == 0) {
            font.setFamilies({QString::fromLatin1(mapping.installedFace)});
            break;
        }
    }
    return font;
}

QSize DialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((letters / 26 + 1) / 2, metrics.ascent() + metrics.descent());
}

int DialogUnitsToPixelsX(int units, const QSize& base) {
    return MulDiv(units, base.width(), 4);
}

int DialogUnitsToPixelsY(int units, const QSize& base) {
    return MulDiv(units, base.height(), 8);
}

void LayOutFromDialogUnits(QWidget* form) {
    if (form == nullptr)
        return;
    const QFont font = MappedDialogFont(form->font());
    form->setFont(font);
    const QSize base = DialogBaseUnits(font);
    // Kept for dialogs that paint at a position given in dialog units.
    form->setProperty("dialogBaseUnits", base);
    const QList<QWidget*> controls = form->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        const QVariant units = control->property("dialogUnits");
        if (units.canConvert<QRect>())
            control->setGeometry(ToPixels(units.toRect(), base));
    }
    const QVariant formUnits = form->property("dialogUnits");
    if (formUnits.canConvert<QRect>())
        form->resize(ToPixels(formUnits.toRect(), base).size());
}

void KeepPicturesWhole(QWidget* form) {
    if (form == nullptr)
        return;
    const QList<QLabel*> pictures =
        form->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    for (QLabel* picture : pictures) {
        if (!picture->property("bitmapId").isValid() || picture->pixmap().isNull())
            continue;
        const QRect old = picture->geometry();
        const int dx = std::max(0, picture->pixmap().width() - old.width());
        const int dy = std::max(0, picture->pixmap().height() - old.height());
        if (dx == 0 && dy == 0)
            continue;
        picture->resize(old.width() + dx, old.height() + dy);
        for (QWidget* other : form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (other == picture)
                continue;
            const QRect g = other->geometry();
            other->move(g.x() + (g.left() > old.right() ? dx : 0),
                        g.y() + (g.top() > old.bottom() ? dy : 0));
        }
        form->resize(form->width() + dx, form->height() + dy);
    }
}
