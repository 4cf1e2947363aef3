#include "RichText.h"

#include <algorithm>
#include <cstdio>

PictureSize PictureGoal(int width, int height) {
    const long long w = static_cast<long long>(std::max(0, width)) * kTwipsPerPixel;
    const long long h = static_cast<long long>(std::max(0, height)) * kTwipsPerPixel;
    // The goal is scaled by the tighter of the two limits; the other side follows, rounded.
    if (w > kMaxPictureWidthTwips && w * kMaxPictureHeightTwips >= h * kMaxPictureWidthTwips)
        return {kMaxPictureWidthTwips, static_cast<int>((h * kMaxPictureWidthTwips + w / 2) / w)};
    if (h > kMaxPictureHeightTwips)
        return {static_cast<int>((w * kMaxPictureHeightTwips + h / 2) / h), kMaxPictureHeightTwips};
    return {static_cast<int>(w), static_cast<int>(h)};
}

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
        const PictureSize goal = PictureGoal(picture.width, picture.height);
        std::snprintf(header, sizeof header, "{\\pict\\pngblip\\picwgoal%i\\pichgoal%i \n",
                      goal.width, goal.height);
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
