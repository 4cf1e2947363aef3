#pragma once

#include <QFont>
#include <QSize>

class QWidget;

// Dialog templates are laid out in dialog units: a horizontal unit is a quarter of the
// dialog font's average character width, a vertical unit an eighth of its height. The
// templates name the faces they were designed with ("MS Sans Serif" 8 pt, "MS Mincho"
// 10 pt); here those map to faces the set-up installs, and the units come from the metrics
// of the face actually used, so every text keeps the room its template gave it.

// The face a template's font maps to: "MS Sans Serif" becomes Liberation Sans, "MS Mincho"
// IPAMincho; any other font is kept.
QFont MappedDialogFont(const QFont& templateFont);

// Average character width and height of `font` in pixels, measured the way the original
// platform measures dialog fonts: the width of the 52 Latin letters / 26, halved and rounded;
// the height from ascent to descent.
QSize DialogBaseUnits(const QFont& font);

// Pixels of `units` dialog units at the given base (rounded as a multiply-divide does).
int DialogUnitsToPixelsX(int units, const QSize& base);
int DialogUnitsToPixelsY(int units, const QSize& base);

// Maps the form's font and places the form and every control that carries the dynamic
// property "dialogUnits" (a rect in dialog units) at the pixels of the mapped font's units.
// The form keeps the base units it used in the property "dialogBaseUnits" (a size).
void LayOutFromDialogUnits(QWidget* form);

// A picture control shows its bitmap whole, as a bitmap static sizes itself to its picture:
// a picture larger than its control grows the control, moves the controls right of it and
// below it by as much and grows the form with it.
void KeepPicturesWhole(QWidget* form);
