#include "ValidationTexts.h"

#include "DialogTemplate.h"

#include <cmath>

QString FormatEditNumber(double value) {
    return QString::number(value, 'g', 15);
}

ValidationResult ParseIntegerInRange(const QString& text, int lower, int upper, int& value) {
    ValidationResult result;
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok, 10);
    if (!ok) {
        result.failed = true;
        result.message = ResourceString(61712);
        return result;
    }
    if (parsed < lower || parsed > upper) {
        result.failed = true;
        result.message = ResourceString(61714).arg(QString::number(lower), QString::number(upper));
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
        result.message = ResourceString(61713);
        return result;
    }
    if (!(parsed >= lower && parsed <= upper)) {
        result.failed = true;
        result.message =
            ResourceString(61715).arg(FormatEditNumber(lower), FormatEditNumber(upper));
        return result;
    }
    value = parsed;
    return result;
}
