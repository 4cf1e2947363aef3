#include "FontFaces.h"

#include <QStringList>

#include <cstring>

namespace {

struct FaceMapping {
    const char* face;
    const char* installed;
};

// Faces of fonts-liberation2 and fonts-ipafont-mincho.
constexpr FaceMapping kFaces[] = {
    {"Tahoma", "Liberation Sans"},      {"Arial", "Liberation Sans"},
    {"Arial Black", "Liberation Sans"}, {"MS Sans Serif", "Liberation Sans"},
    {"Times", "Liberation Serif"},      {"MS Mincho", "IPAMincho"},
};

} // namespace

QFont DrawingFont(const char* face, int pixelHeight, int weight) {
    QFont font;
    QStringList families{QString::fromLatin1(face)};
    for (const FaceMapping& mapping : kFaces) {
        if (std::strcmp(mapping.face, face) == 0)
            families.append(QString::fromLatin1(mapping.installed));
    }
    font.setFamilies(families);
    font.setPixelSize(pixelHeight);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}
