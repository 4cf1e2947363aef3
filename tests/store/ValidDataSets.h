#pragma once

// A generator of valid data sets: a parts catalogue and a model library that follow the
// file formats in every way they allow (all three network shapes, every series rule, both
// tolerance letters on one K model, comments, blank lines, CR LF, odd letter cases, missing
// and placeholder columns, values from 1e-30 to 1e34, coefficient fits that leave the
// positive range only beyond the limits of the parts that use them) from a seed. The program
// has to load every one and compute finite curves for every part.
//
// The rules of validity are written out here on their own, not taken from the readers: a
// generated file that the program refuses is a fault of the program, not of the generator.

#include "DataTestSupport.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace valid {

// SplitMix64: the same numbers from a seed on every platform and library.
class Random {
public:
    // The seed is mixed first, so that the streams of neighbouring seeds do not overlap.
    explicit Random(std::uint64_t seed) : m_state(Mix(seed ^ 0x5A17A0C1DA7A5E75ull)) {}
    std::uint64_t Next() { return Mix(m_state += 0x9E3779B97F4A7C15ull); }
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; } // [0, 1)
    double Uniform(double low, double high) { return low + (high - low) * Uniform(); }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    bool Chance(double p) { return Uniform() < p; }
    double LogUniform(double low, double high) {
        return std::pow(10.0, Uniform(std::log10(low), std::log10(high)));
    }
    template <typename T, size_t N> const T& Pick(const T (&items)[N]) {
        return items[Below(static_cast<int>(N))];
    }

private:
    static std::uint64_t Mix(std::uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint64_t m_state;
};

// Every series of the series table and one that it does not list.
inline const char* const kSeries[] = {"QAK", "QBH", "QAY", "QAX", "QAP", "QAT", "QAW", "QAU",
                                      "QAV", "QAZ", "QDD", "QCL", "QCM", "QDA", "QBM", "QBN",
                                      "QDC", "QCN", "QBT", "QCJ", "QBZ", "QDB", "QCK", "QCR",
                                      "QCT", "QCU", "QCV", "QCW", "QCX", "QCY", "QCZ", "QEA"};

// Parts rated above their series' usual limit, exactly as the program lists them.
inline const char* const kQaw200Parts[] = {"QAWC156K025RJH", "QAWE477K010RJH"};
inline const char* const kQcl125Parts[] = {"QCLD108K002R0030", "QCLD157M016R0020",
                                           "QCLE337K006R0015", "QCLV687M010R0020"};

inline bool IsConformal(const std::string& series) {
    return series >= "QCT" && series <= "QCZ";
}

// The shown part number: the packaging suffix a trailing R stands for.
inline std::string Completed(std::string word) {
    if (word.empty() || word.back() != 'R')
        return word;
    word += "NJ";
    const std::string series = word.substr(0, 3);
    const std::string end = word.substr(word.size() - 3);
    if (end == "RNJ" && series == "QBT")
        word.replace(word.size() - 3, 3, "RWJ");
    else if (end == "RNJ" && series == "QAU")
        word.replace(word.size() - 3, 3, "RRJ");
    else if (end == "RNJ" && series == "QAW")
        word.replace(word.size() - 3, 3, "RJN");
    return word;
}

// The highest temperature a shown part is computed at, and the lowest.
inline double HighestTemperature(const std::string& shown) {
    const std::string series = shown.substr(0, 3);
    for (const char* p : kQaw200Parts) {
        if (shown == p)
            return 195.0; // rated to 200 °C, evaluated at 195 °C
    }
    if (series == "QAW")
        return 175.0;
    if (series == "QBT" || series == "QCR")
        return 105.0;
    if (series == "QCL") {
        for (const char* p : kQcl125Parts) {
            if (shown == p)
                return 125.0;
        }
        return 105.0;
    }
    return series == "QCN" ? 25.0 : 125.0;
}

inline double LowestTemperature(const std::string& shown) {
    return shown.substr(0, 3) == "QCN" ? 25.0 : -55.0;
}

struct GeneratedPart {
    std::string shown; // the part number as the program shows it
    double highest;    // °C, the part's limit as computed (at most 195)
};

struct DataSet {
    std::string catalogue;
    std::string library;
    std::vector<GeneratedPart> parts;
    int models = 0;
};

class CDataSetWriter {
public:
    explicit CDataSetWriter(std::uint64_t seed) : m_random(seed) {}

    DataSet Generate() {
        m_crlf = m_random.Chance(0.5);
        DataSet set;
        const int modelCount = 3 + m_random.Below(10);
        std::vector<std::string> blocks;
        std::vector<std::string> rows;
        for (int i = 0; i < modelCount; ++i)
            AddModel(set, blocks, rows);
        // A model no part uses, with coefficients that no temperature could compute.
        if (m_random.Chance(0.3)) {
            std::string name = "QAK" + std::string(1, "ABCDE"[m_random.Below(5)]) + "99" +
                               std::to_string(m_random.Below(10)) + "K" +
                               std::to_string(100 + m_random.Below(900));
            if (m_names.insert(Upper(name)).second) {
                blocks.push_back(Block(name, -55.0, 125.0, true));
                ++set.models;
            }
        }
        Shuffle(blocks);
        Shuffle(rows);

        set.catalogue = Line("* Part number\tLibrary name\tSerie\tCase size\tCapacitance (uF)\t"
                             "Rated voltage (V)\tLeakage current (uA)\tDF (%)\tESR (mOhms)");
        for (const std::string& row : rows) {
            set.catalogue += Filler();
            set.catalogue += Line(row);
        }
        set.library = Line("* Generated models");
        for (size_t i = 0; i < blocks.size(); ++i) {
            set.library += Filler();
            set.library += blocks[i];
        }
        // The last block may end without its diode line and ".ENDS".
        if (m_random.Chance(0.2) && set.library.size() > 7) {
            const std::string ends = Line(".ENDS");
            if (set.library.compare(set.library.size() - ends.size(), ends.size(), ends) == 0)
                set.library.erase(set.library.size() - ends.size());
        }
        return set;
    }

private:
    std::string Line(const std::string& text) const { return text + (m_crlf ? "\r\n" : "\n"); }

    // Comments and blank lines, which may stand anywhere.
    std::string Filler() {
        std::string text;
        while (m_random.Chance(0.15)) {
            static const char* const kFillers[] = {"", "   ", "\t", "* a comment", "  \t* indented",
                                                   "*"};
            text += Line(m_random.Pick(kFillers));
        }
        return text;
    }

    template <typename T> void Shuffle(std::vector<T>& items) {
        for (size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1],
                      items[static_cast<size_t>(m_random.Below(static_cast<int>(i)))]);
    }

    std::string Number(double value) {
        char text[64];
        static const char* const kForms[] = {"%e", "%.6e", "%g", "%.3E", "%.15g", "%+e"};
        std::snprintf(text, sizeof text, m_random.Pick(kForms), value);
        return text;
    }

    std::string MixedCase(const std::string& word) {
        std::string text = word;
        if (m_random.Chance(0.2)) {
            for (char& c : text)
                c = static_cast<char>(m_random.Chance(0.5) ? std::tolower(c) : std::toupper(c));
        }
        return text;
    }

    std::string Separator() {
        static const char* const kSeparators[] = {"\t", "\t", " ", "  ", " \t"};
        return m_random.Pick(kSeparators);
    }

    std::string Digits(int value, int width) {
        char text[16];
        std::snprintf(text, sizeof text, "%0*d", width, value);
        return text;
    }

    // One model and the parts of one or both tolerances that use it.
    void AddModel(DataSet& set, std::vector<std::string>& blocks, std::vector<std::string>& rows) {
        std::vector<std::string> words; // part numbers as written in the catalogue
        std::string name;               // the model's name, tolerance letter K
        std::string series;
        const int special = m_random.Below(20);
        if (special == 0 || special == 1) {
            const std::string listed =
                special == 0 ? m_random.Pick(kQaw200Parts) : m_random.Pick(kQcl125Parts);
            // A listed part as the catalogue writes it (the QAW ones carry their suffix).
            words.push_back(listed);
            series = listed.substr(0, 3);
            name = listed.substr(0, 11);
            name[7] = 'K';
        } else {
            series = m_random.Pick(kSeries);
            for (int attempt = 0; attempt < 20 && name.empty(); ++attempt) {
                std::string word = RandomPartNumber(series);
                std::string model = word.substr(0, 11);
                model[IsConformal(series) ? 8 : 7] = 'K';
                if (m_names.count(Upper(model)) != 0)
                    continue;
                name = model;
                words.push_back(word);
            }
            if (name.empty())
                return;
            // Both tolerances of one model.
            if (m_random.Chance(0.6)) {
                std::string other = words[0];
                char& tolerance = other[IsConformal(series) ? 8 : 7];
                tolerance = tolerance == 'K' ? 'M' : 'K';
                words.push_back(other);
            }
        }
        if (!m_names.insert(Upper(name)).second)
            return;
        double lowest = 1e9, highest = -1e9;
        for (const std::string& word : words) {
            const std::string shown = Completed(word);
            if (!m_shown.insert(shown).second)
                return;
            lowest = std::min(lowest, LowestTemperature(shown));
            highest = std::max(highest, HighestTemperature(shown));
        }
        for (const std::string& word : words) {
            const std::string shown = Completed(word);
            set.parts.push_back({shown, HighestTemperature(shown)});
            rows.push_back(Row(word, series));
        }
        blocks.push_back(Block(name, lowest, highest, false));
        ++set.models;
    }

    std::string RandomPartNumber(const std::string& series) {
        static const char kCases[] = "ABCDEFGHKLNPRSTUVWXY6abdZ";
        const char caseCode = kCases[m_random.Below(static_cast<int>(sizeof kCases - 1))];
        const std::string capacitance =
            m_random.Chance(0.03)
                ? "000"
                : Digits(10 + m_random.Below(90), 2) + std::to_string(m_random.Below(8));
        const char tolerance = m_random.Chance(0.5) ? 'K' : 'M';
        if (IsConformal(series)) {
            static const char* const kVoltageCodes[] = {"0G", "0J", "1A", "1C", "1D", "1E", "1V"};
            std::string word =
                series + m_random.Pick(kVoltageCodes) + capacitance + tolerance + caseCode + "A";
            if (m_random.Chance(0.3))
                word += "BC";
            return word;
        }
        static const char* const kVoltages[] = {"002", "004", "006", "010", "016", "020",
                                                "025", "035", "050", "063", "000", "001"};
        std::string word = series + caseCode + capacitance + tolerance + m_random.Pick(kVoltages);
        const int layout = m_random.Below(4);
        if (layout == 0)
            word += "R" + Digits(1 + m_random.Below(9999), 4); // ESR in the part number
        else if (layout == 1)
            word += "A";
        else
            word += "R";
        return word;
    }

    std::string Row(const std::string& word, const std::string& series) {
        std::string row = word + Separator();
        std::string model = word.substr(0, 11);
        row += model;
        const int columns = m_random.Below(8); // columns after the library name
        if (columns >= 1)
            row += Separator() + series;
        if (columns >= 2) {
            const char caseCode = IsConformal(series) ? word[9] : word[3];
            row += Separator() + std::string(1, caseCode);
            if (IsConformal(series))
                row += " " + series;
        }
        const double values[] = {m_random.LogUniform(0.1, 2000.0),
                                 m_random.Pick({2.5, 4.0, 6.3, 10.0, 16.0, 0.0}),
                                 m_random.LogUniform(0.01, 500.0),
                                 m_random.Chance(0.1) ? -1.0 : m_random.Uniform(0.0, 60.0),
                                 m_random.LogUniform(1.0, 20000.0)};
        for (int c = 3; c <= columns && c - 3 < 5; ++c)
            row += Separator() + (m_random.Chance(0.15) ? std::string("-") : Number(values[c - 3]));
        return row;
    }

    // A value of the kind given, most of them like a real part's, some anywhere from 1e-30
    // to 1e34.
    double Resistance(double low, double high) {
        return m_random.Chance(0.15) ? m_random.LogUniform(1e-30, 1e34)
                                     : m_random.LogUniform(low, high);
    }
    double Capacitance(double low, double high, bool zeroAllowed) {
        if (zeroAllowed && m_random.Chance(0.08))
            return 0.0;
        return m_random.Chance(0.12) ? m_random.LogUniform(1e-30, 1e34)
                                     : m_random.LogUniform(low, high);
    }

    // Temperature coefficients whose scale 1 + dT (tc1 + dT tc2) stays clear of zero from
    // `lowest` to `highest`: none, a mild fit, or one that reaches zero only past `highest`.
    // Checked here by sampling every 0.25 °C; |tc2| stays small enough that the scale cannot
    // dip below zero between two samples.
    void Coefficients(double lowest, double highest, bool anything, double& tc1, double& tc2) {
        tc1 = 0.0;
        tc2 = 0.0;
        if (anything || lowest == highest) {
            // Computed at 25 °C alone, or never: any fit.
            tc1 = m_random.Uniform(-5e-2, 5e-2);
            tc2 = m_random.Uniform(-1e-3, 1e-3);
            return;
        }
        const int kind = m_random.Below(3);
        if (kind == 0)
            return;
        if (kind == 1) {
            tc1 = m_random.Uniform(-3e-3, 3e-3);
            tc2 = m_random.Uniform(-3e-5, 3e-5);
        } else {
            const double zero = m_random.Uniform(highest + 1.0, std::max(highest, 195.0) + 60.0);
            const double dz = zero - 25.0;
            tc2 = m_random.Uniform(-2e-5, 2e-5);
            tc1 = -1.0 / dz - dz * tc2;
        }
        if (!ClearOfZero(lowest, highest, tc1, tc2)) {
            const double zero = m_random.Uniform(highest + 1.0, std::max(highest, 195.0) + 60.0);
            tc1 = -1.0 / (zero - 25.0);
            tc2 = 0.0;
        }
    }

    static bool ClearOfZero(double lowest, double highest, double tc1, double tc2) {
        for (double t = lowest; t <= highest + 1e-9; t += 0.25) {
            const double dT = t - 25.0;
            if (!(1.0 + dT * (tc1 + dT * tc2) >= 1e-3))
                return false;
        }
        return true;
    }

    std::string ModelLine(const char* kind, int k, double tc1, double tc2) {
        return Line(std::string(".MODEL ") + (kind[0] == 'C' ? "CMOD" : "RMOD") +
                    std::to_string(k) + " " + kind + " (T_MEASURED=25 TC1=" + Number(tc1) +
                    " TC2=" + Number(tc2) + ")");
    }

    std::string Block(const std::string& name, double lowest, double highest, bool anything) {
        const int stages = generated::StagesOf(name);
        const char* const* elements = generated::ElementsOf(stages);
        std::string text = Line(MixedCase(".SUBCKT") + " " + name + " 1 9");
        const double lesl = m_random.Chance(0.05) ? 0.0 : Capacitance(1e-10, 1e-8, false);
        text += Line(MixedCase("Lesl") + " 1 2 " + Number(lesl)) + Filler();
        text += Line(MixedCase("Rels") + " 1 2 " + Number(Resistance(0.5, 100.0)));
        text += Line(MixedCase("Rp") + " 2 9 " + Number(Resistance(1e5, 1e9)));
        text += Line(MixedCase("Dp") + " 9 2 DFWD");
        for (int e = 0; e < stages * 2; ++e) {
            const std::string element = elements[e];
            const bool capacitor = element[0] == 'C';
            const double value = capacitor ? Capacitance(1e-9, 1e-2, true) : Resistance(1e-3, 1e3);
            text += Filler();
            text += Line(MixedCase(element.substr(0, 2)) + element.substr(2) + " " +
                         MixedCase(std::string(capacitor ? "CMOD" : "RMOD") + element[1]) + " " +
                         Number(value));
        }
        if (stages == 3) {
            const double lp = m_random.Chance(0.1) ? 0.0 : Capacitance(1e-10, 1e-8, false);
            text += Line(MixedCase("C_P") + " 2 6 " + Number(Capacitance(1e-9, 1e-4, false)));
            text += Line(MixedCase("L_P") + " 6 9 " + Number(lp));
            text += Line(MixedCase("R_P") + " 6 9 " + Number(Resistance(1e-3, 1.0)) +
                         (m_random.Chance(0.3) ? " TC=0" : ""));
        }
        for (const char* kind : {"CAP", "RES"}) {
            for (int k = 1; k <= stages; ++k) {
                double tc1 = 0.0, tc2 = 0.0;
                Coefficients(lowest, highest, anything, tc1, tc2);
                text += ModelLine(kind, k, tc1, tc2) + Filler();
            }
        }
        if (m_random.Chance(0.7))
            text += Line(MixedCase(".MODEL DFWD D (RS=0.1") + " IS=" + Number(1e-25) + " N=" +
                         Number(m_random.Uniform(1.0, 3.0)) + " " + MixedCase("XTI=0 EG=0.1)"));
        return text + Line(MixedCase(".ENDS"));
    }

    Random m_random;
    bool m_crlf = true;
    // Model names without regard to case: the library search does not tell "QAKa..." from
    // "QAKA...".
    static std::string Upper(std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    }
    std::set<std::string> m_names;
    std::set<std::string> m_shown; // shown part numbers
};

inline DataSet GenerateDataSet(std::uint64_t seed) {
    return CDataSetWriter(seed).Generate();
}

} // namespace valid
