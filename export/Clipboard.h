#pragma once

#include "GraphKind.h"

#include <QByteArray>
#include <QImage>

#include <array>
#include <functional>

class CGraph;
class CWorkingState;
class IMessageSink;
class IStringTable;

// Where the clipboard commands report failures, and how they encode pictures.
struct ClipboardContext {
    IMessageSink* messages = nullptr;
    const IStringTable* strings = nullptr;
    // Encodes a graph picture as PNG; empty bytes mean the encoding failed.
    std::function<QByteArray(const QImage&)> encodePng;
};

// The PNG bytes of `image`, or empty bytes when it cannot be encoded.
QByteArray EncodePng(const QImage& image);

// The view drawn on white at its client size by the view's own drawing routine, with the
// measurement readout when it is shown and never the live crosshair. A null image when the
// view has no area or the picture cannot be allocated.
QImage RenderToBitmap(CGraph& view);

// "Copy Graph to Clipboard" (32771): the view's picture as an image. True when the clipboard
// got it.
bool CopyGraph(CGraph* view, const ClipboardContext& context);

// "Copy Data to Clipboard" (32772): the data text of the current capacitor as plain text.
// Without frequency points the clipboard is left alone.
bool CopyDataAsText(const CWorkingState& state, const ClipboardContext& context);

// The views of the all-graphs export, indexed by GraphKind; null for a kind without a
// window or view.
using GraphViews = std::array<CGraph*, kGraphKindCount>;

// The kinds in the order of the all-graphs export.
extern const std::array<int, kGraphKindCount> kCopyAllOrder;

// "Copy All Graphs to Clipboard " (32799): every view's picture, in the export order, as one
// rich-text document (under "text/rtf" and "Rich Text Format") and, in the same clipboard
// data, as one combined image. With no views: an empty document and a 0 x 0 image.
bool CopyAllGraphs(const GraphViews& views, const ClipboardContext& context);

// The combined picture of `pictures` laid out by LayoutCombinedPicture, on white. A null
// image when there is nothing to lay out or the picture cannot be allocated.
QImage CombinePictures(const std::vector<QImage>& pictures);
