#pragma once

#include <cstddef>
#include <string>

// Numbers in the selection dialog are written and read with a '.' decimal point whatever
// the user's locale, so a value list item always reads back as the value it came from.

// Formats `value` with a printf format that holds one floating-point conversion ("%g µF",
// "%.2g nH", "%g %%"). The format may come from a string table, so it is checked first:
// a format with any other conversion, or with more than one, formats the bare number
// with "%g" instead of being handed to printf.
std::string FormatDouble(const std::string& format, double value);

// "%g" of `value` into `buffer` of `size` bytes; a null buffer or zero size is ignored.
void FormatValue(double value, char* buffer, size_t size);

// The decimal number at the start of `text`; 0 for an empty text or one that does not
// begin with a number.
double ParseValue(const char* text);
