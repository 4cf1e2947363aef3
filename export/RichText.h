#pragma once

#include <string>
#include <vector>

// One picture of the all-graphs export: the PNG bytes of a graph and its size in pixels.
struct RtfPicture {
    std::vector<unsigned char> png;
    int width = 0;
    int height = 0;
};

struct PictureSize {
    int width = 0;
    int height = 0;
};

// Twips per pixel of the exported pictures (a pixel taken as 1/96 inch).
constexpr int kTwipsPerPixel = 15;

// The largest picture a page's text area holds on A4 (210 x 297 mm) and on Letter
// (8.5 x 11 in), each with one-inch margins: the narrower A4 width and the shorter Letter
// height, in twips.
constexpr int kMaxPictureWidthTwips = 9025;   // (210 mm - 2 x 25.4 mm) / 25.4 x 1440
constexpr int kMaxPictureHeightTwips = 12960; // (11 in - 2 in) x 1440

// A picture's \picwgoal and \pichgoal for `width` x `height` pixels: 15 twips per pixel, made
// smaller with its proportions kept where that is wider or taller than the text area.
PictureSize PictureGoal(int width, int height);

// The rich-text document of the all-graphs export: "{\rtf1\n", then per picture a picture
// group "{\pict\pngblip\picwgoal<w>\pichgoal<h> \n" with its PictureGoal, the PNG bytes as
// lowercase hexadecimal digits without separators, "}" and "\par\n", finally "}\n".
// The pictures are PNG, so the group says \pngblip: rich-text readers (Word, LibreOffice
// Writer) take a PNG blip as it is and show it at \picwgoal x \pichgoal; the bytes are the
// picture at its full pixel size, only the size it is shown at is fitted to the page.
std::string BuildPicturesRtf(const std::vector<RtfPicture>& pictures);

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
