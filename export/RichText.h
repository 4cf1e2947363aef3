#pragma once

#include <string>
#include <vector>

// One picture of the all-graphs export: the PNG bytes of a graph and its size in pixels.
struct RtfPicture {
    std::vector<unsigned char> png;
    int width = 0;
    int height = 0;
};

// Twips per pixel of the exported pictures (a pixel taken as 1/96 inch).
constexpr int kTwipsPerPixel = 15;

// The rich-text document of the all-graphs export: "{\rtf1\n", then per picture a picture
// group "{\pict\pngblip\picwgoal<w>\pichgoal<h> \n" with the size in twips, the PNG bytes as
// lowercase hexadecimal digits without separators, "}" and "\par\n", finally "}\n".
// The pictures are PNG, so the group says \pngblip: rich-text readers (Word, LibreOffice
// Writer) take a PNG blip as it is and show it at \picwgoal x \pichgoal.
std::string BuildPicturesRtf(const std::vector<RtfPicture>& pictures);

struct PictureSize {
    int width = 0;
    int height = 0;
};

struct PictureOrigin {
    int x = 0;
    int y = 0;
};

// Where the pictures go in the combined picture: taken in pairs (first and second, third and
// fourth, ...), the first of a pair at x = 0 and the second beside it, both at the top of the
// pair's row; a row is as tall as the taller picture of its pair. The width is the widest
// row (a single last picture counts alone). No pictures: a 0 x 0 picture.
struct CombinedLayout {
    int width = 0;
    int height = 0;
    std::vector<PictureOrigin> origins; // one per picture, in order
};

CombinedLayout LayoutCombinedPicture(const std::vector<PictureSize>& sizes);
