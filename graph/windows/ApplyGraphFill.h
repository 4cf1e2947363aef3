#pragma once

class CGraph;
struct GraphFill;

// Pushes `fill` into `view` with redrawing switched off, refreshes the measurement readout
// and redraws the view once.
void ApplyGraphFill(CGraph& view, const GraphFill& fill);
