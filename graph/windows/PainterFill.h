#pragma once

class CGraphPainter;
struct GraphFill;

// Pushes `fill` into `painter` as the graph window's view takes it (markers off, the reference
// point only with its text), without a window: the measurement readout stays off.
void ApplyGraphFill(CGraphPainter& painter, const GraphFill& fill);
