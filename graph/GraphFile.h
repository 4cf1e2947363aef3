#pragma once

#include <QString>

#include <string>

class CGraphPainter;
class QIODevice;

// A graph as a file: the painter's own drawing as PNG, SVG or PDF (the one routine of the
// window's "Save Graph As..." and zeltacli plot), and its curves as CSV.

enum class GraphPicture { Png, Svg, Pdf };

// The picture kind a file name asks for by its ending (.png, .svg, .pdf, any letter case);
// false for any other name.
bool GraphPictureForName(const QString& path, GraphPicture* kind);

// Draws `graph` at `width` x `height` into `device` (opened for writing). False when the
// drawing could not be written.
bool WriteGraphPicture(CGraphPainter& graph, GraphPicture kind, QIODevice& device, int width,
                       int height);

// The curves of `graph` as CSV (RFC 4180, CR LF): "x caption [unit]", then one column per
// curve headed by its legend name and unit, one row per point; points off the scale are empty.
std::string GraphCurvesCsv(const CGraphPainter& graph);
