#include "RichText.h"

#include <algorithm>
#include <cstdio>

std::string BuildPicturesRtf(const std::vector<RtfPicture>& pictures) {
    static const char kHex[] = "0123456789abcdef";
    std::size_t size = 16;
    for (const RtfPicture& picture : pictures)
        size += 2 * picture.png.size() + 80;
    std::string rtf;
    rtf.reserve(size);
    rtf += "{\\rtf1\n";
    for (const RtfPicture& picture : pictures) {
        char header[96];
        std::snprintf(header, sizeof header, "{\\pict\\pngblip\\picwgoal%i\\pichgoal%i \n",
                      picture.width * kTwipsPerPixel, picture.height * kTwipsPerPixel);
        rtf += header;
        for (unsigned char byte : picture.png) {
            rtf += kHex[byte >> 4];
            rtf += kHex[byte & 0x0f];
        }
        rtf += "}";
        rtf += "\\par\n";
    }
    rtf += "}\n";
    return rtf;
}

CombinedLayout LayoutCombinedPicture(const std::vector<PictureSize>& sizes) {
    CombinedLayout layout;
    layout.origins.resize(sizes.size());
    int rowTop = 0;
    for (std::size_t i = 0; i < sizes.size(); i += 2) {
        const PictureSize& first = sizes[i];
        int rowWidth = first.width;
        int rowHeight = first.height;
        layout.origins[i] = {0, rowTop};
        if (i + 1 < sizes.size()) {
            const PictureSize& second = sizes[i + 1];
            layout.origins[i + 1] = {first.width, rowTop};
            rowWidth += second.width;
            rowHeight = std::max(rowHeight, second.height);
        }
        layout.width = std::max(layout.width, rowWidth);
        rowTop += rowHeight;
    }
    layout.height = rowTop;
    return layout;
}
