#pragma once

// Curve values of this magnitude or more mark points off the scale: the engine writes them
// where a value runs away, and the graph view leaves them out of its axis ranges.
constexpr double kOffScale = 1e50;
