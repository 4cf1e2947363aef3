#include "BankMaskText.h"

#include "CliOutput.h"

#include <cctype>
#include <cmath>

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        pieces.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            return pieces;
        start = end + 1;
    }
}

} // namespace

bool ReadMaskText(const std::string& text, std::vector<MaskPoint>& mask, std::string& complaint) {
    mask.clear();
    for (const std::string& corner : Split(text, ',')) {
        const std::vector<std::string> halves = Split(corner, ':');
        MaskPoint p{};
        if (halves.size() != 2 || !ReadQuantityArgument(halves[0], &p.frequency) ||
            !ReadQuantityArgument(halves[1], &p.impedance)) {
            complaint = "--mask takes corners HZ:OHM separated by commas, such as "
                        "1k:10m,2M:30m, not \"" +
                        corner + "\" in \"" + text + "\"";
            return false;
        }
        if (!(p.frequency > 0.0) || !std::isfinite(p.frequency) || !(p.impedance > 0.0) ||
            !std::isfinite(p.impedance)) {
            complaint = "--mask takes frequencies and impedances above 0, not \"" + corner + "\"";
            return false;
        }
        if (!mask.empty() && !(p.frequency > mask.back().frequency)) {
            complaint = "--mask takes its corners in rising frequency, not \"" + corner +
                        "\" after " + EngineeringText(mask.back().frequency, "Hz");
            return false;
        }
        mask.push_back(p);
    }
    return true;
}

bool ReadCaseInductanceText(const std::string& text, std::vector<std::pair<char, double>>& cases,
                            std::string& complaint) {
    cases.clear();
    for (const std::string& entry : Split(text, ',')) {
        double value = 0.0;
        if (entry.size() < 3 || entry[1] != '=' ||
            !std::isalnum(static_cast<unsigned char>(entry[0])) ||
            !ReadQuantityArgument(entry.substr(2), &value) || !(value >= 0.0) ||
            !std::isfinite(value)) {
            complaint = "--mount-inductance-case takes CASE=H separated by commas, such as "
                        "A=0.5n,D=0.8n, with inductances from 0 H up, not \"" +
                        entry + "\"";
            return false;
        }
        const char code = static_cast<char>(std::toupper(static_cast<unsigned char>(entry[0])));
        for (const auto& known : cases) {
            if (known.first == code) {
                complaint = "--mount-inductance-case names case " + std::string(1, code) + " twice";
                return false;
            }
        }
        cases.emplace_back(code, value);
    }
    return true;
}
