#pragma once

#include <QFont>

// A font of the drawings by the face they were designed with ("Tahoma", "Times", "Arial",
// "Arial Black", "MS Sans Serif", "MS Mincho"), backed by the installed face that stands in
// for it (Liberation Sans or Serif, IPAMincho), so a missing face never falls to whatever the
// font configuration picks for the language. Height in pixels (logical units of the surface).
QFont DrawingFont(const char* face, int pixelHeight, int weight);
