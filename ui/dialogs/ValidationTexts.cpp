#include "ValidationTexts.h"

#include "DialogTemplate.h"

#include <cmath>

namespace {

QString Text(int id, const char* fallback) {
    return ResourceString(id, QString::fromUtf8(fallback));
}

} // namespace

QString FormatEditNumber(double value) {
    return QString::number(value, 'g', 15);
}

ValidationResult ParseIntegerInRange(const QString& text, int lower, int upper, int& value) {
    ValidationResult result;
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok, 10);
    if (!ok) {
        result.failed = true;
        result.message = Text(61712, "Please enter an integer.");
        return result;
    }
    if (parsed < lower || parsed > upper) {
        result.failed = true;
        result.message = Text(61714, "Please enter an integer between %1 and %2.")
                             .arg(QString::number(lower), QString::number(upper));
        return result;
    }
    value = parsed;
    return result;
}

ValidationResult ParseNumberInRange(const QString& text, double lower, double upper,
                                    double& value) {
    ValidationResult result;
    bool ok = false;
    const double parsed = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(parsed)) {
        result.failed = true;
        result.message = Text(61713, "Please enter a number.");
        return result;
    }
    if (!(parsed >= lower && parsed <= upper)) {
        result.failed = true;
        result.message = Text(61715, "Please enter a number between %1 and %2.")
                             .arg(FormatEditNumber(lower), FormatEditNumber(upper));
        return result;
    }
    value = parsed;
    return result;
}
