#pragma once

#include <QString>

// The input checks of the dialogs with the framework's data-validation texts
// (strings 61712 to 61715).
struct ValidationResult {
    bool failed = false;
    QString message; // the text to show when failed
};

// A decimal integer (blanks around it allowed) within [lower, upper].
ValidationResult ParseIntegerInRange(const QString& text, int lower, int upper, int& value);

// A number (blanks around it allowed) within [lower, upper]; limits are shown with up to 15
// significant digits.
ValidationResult ParseNumberInRange(const QString& text, double lower, double upper, double& value);

// `value` with up to 15 significant digits, as the edit boxes show numbers.
QString FormatEditNumber(double value);
