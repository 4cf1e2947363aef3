#include "ProductWriters.h"

#include "FrequencyResponse.h"
#include "ProductRange.h"
#include "Series.h"
#include "SpiceNumber.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

class CTextFile {
public:
    explicit CTextFile(const std::string& path) : m_path(path) {
        m_file = std::fopen(path.c_str(), "wb");
        if (m_file == nullptr)
            std::fprintf(stderr, "productgen: cannot create %s\n", path.c_str());
    }
    ~CTextFile() {
        if (m_file != nullptr)
            std::fclose(m_file);
    }
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;

    bool IsOpen() const { return m_file != nullptr; }

    void Line(const std::string& text) {
        std::fputs(text.c_str(), m_file);
        std::fputs("\r\n", m_file);
    }

    bool Finish() {
        const bool ok = std::ferror(m_file) == 0 && std::fclose(m_file) == 0;
        m_file = nullptr;
        if (!ok)
            std::fprintf(stderr, "productgen: cannot write %s\n", m_path.c_str());
        return ok;
    }

private:
    std::string m_path;
    std::FILE* m_file = nullptr;
};

std::string Number(double value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", value);
    return buf;
}

const char* TechnologyName(Technology t) {
    switch (t) {
    case Technology::Manganese:
        return "tantalum, MnO2 cathode";
    case Technology::Polymer:
        return "tantalum, conductive polymer cathode";
    case Technology::NiobiumOxide:
        return "niobium oxide, MnO2 cathode";
    case Technology::NiobiumPolymer:
        return "niobium oxide, conductive polymer cathode";
    case Technology::WetTantalum:
        return "tantalum, wet electrolyte";
    }
    return "";
}

const char* DiodeEmission(Technology t) {
    switch (t) {
    case Technology::Polymer:
    case Technology::NiobiumPolymer:
        return "2.8";
    case Technology::NiobiumOxide:
        return "2.2";
    case Technology::Manganese:
    case Technology::WetTantalum:
        break;
    }
    return "2.5";
}

void WriteSubcircuit(CTextFile& out, const ProductModel& m) {
    const CapacitorRecord& r = m.record;
    const ProductSeries& s = *m.series;
    const CaseSize& c = CaseOf(m.caseCode);
    char buf[200];
    const double fRef = EsrReferenceFrequency(s.code);
    std::snprintf(buf, sizeof buf, "* %s  %g uF %g V  case %c (%s)  ESR %g mOhm at %g kHz%s",
                  m.name.c_str(), m.capacitance, m.volts, m.caseCode, c.eiaSize, m.esrMax,
                  fRef / 1000.0, m.rated200 ? "  200 degC" : "");
    out.Line(buf);
    out.Line(".SUBCKT " + m.name + " 1 9");
    out.Line("Lesl 1 2 " + FormatSpiceNumber(r.lesl));
    out.Line("Rels 1 2 " + FormatSpiceNumber(r.rels));
    out.Line("Rp 2 9 " + FormatSpiceNumber(r.rp));
    out.Line("Dp 9 2 DFWD");

    auto element = [&](char kind, int k, int a, int b) {
        const double value = kind == 'R' ? r.ladderR[k - 1] : r.ladderC[k - 1];
        std::snprintf(buf, sizeof buf, "%c%d %d %d %cMOD%d %s", kind, k, a, b, kind, k,
                      FormatSpiceNumber(value).c_str());
        out.Line(buf);
    };
    int stages = 6;
    if (std::strcmp(s.code, "QCL") == 0 || std::strcmp(s.code, "QCM") == 0) {
        stages = 4;
        element('R', 1, 2, 3);
        element('C', 1, 3, 4);
        element('R', 2, 3, 4);
        element('C', 2, 4, 5);
        element('R', 3, 4, 5);
        element('C', 3, 5, 9);
        element('R', 4, 5, 6);
        element('C', 4, 6, 9);
    } else if (std::strcmp(s.code, "QCR") == 0) {
        stages = 3;
        element('R', 1, 2, 3);
        element('C', 1, 3, 4);
        element('R', 2, 3, 4);
        element('C', 2, 4, 9);
        element('R', 3, 4, 5);
        element('C', 3, 5, 9);
        out.Line("C_P 2 6 " + FormatSpiceNumber(r.cP));
        out.Line("L_P 6 9 " + FormatSpiceNumber(r.lP));
        out.Line("R_P 6 9 " + FormatSpiceNumber(r.rP));
    } else {
        element('R', 1, 2, 3);
        element('C', 1, 2, 3);
        for (int k = 2; k <= 6; ++k) {
            element('R', k, k + 1, k + 2);
            element('C', k, k + 2, 9);
        }
    }
    for (int k = 1; k <= stages; ++k) {
        const TempCoefficients& tc = r.ladderCTc[k - 1];
        out.Line(".MODEL CMOD" + std::to_string(k) + " CAP (T_MEASURED=25 TC1=" +
                 FormatSpiceNumber(tc.tc1) + " TC2=" + FormatSpiceNumber(tc.tc2) + ")");
    }
    for (int k = 1; k <= stages; ++k) {
        const TempCoefficients& tc = r.ladderRTc[k - 1];
        out.Line(".MODEL RMOD" + std::to_string(k) + " RES (T_MEASURED=25 TC1=" +
                 FormatSpiceNumber(tc.tc1) + " TC2=" + FormatSpiceNumber(tc.tc2) + ")");
    }
    if (s.diodeLine) {
        out.Line(std::string(".MODEL DFWD D (RS=0.1 IS=1e-25 N=") + DiodeEmission(s.technology) +
                 " XTI=0 EG=0.1)");
    }
    out.Line(".ENDS");
    out.Line("");
}

} // namespace

bool WriteCatalogue(const std::string& path, const ProductRange& range) {
    CTextFile out(path);
    if (!out.IsOpen())
        return false;
    out.Line("* Part number\tLibrary name\tSerie\tCase size\tCapacitance (uF)\tRated voltage "
             "(V)\tLeakage current (uA)\tDF (%)\tESR (mOhms)");
    for (const ProductPart& p : range.parts) {
        const ProductModel& m = range.models[static_cast<size_t>(p.model)];
        std::string line = p.code + "\t" + p.library + "\t" + m.series->code + "\t";
        line += m.caseCode;
        if (m.series->family == 'F')
            line += std::string(" ") + m.series->code;
        line += "\t" + Number(m.capacitance) + "\t" + Number(m.volts) + "\t" + Number(m.dclMax);
        if (p.df == ColumnValue::Omitted) {
            out.Line(line);
            continue;
        }
        line += "\t" + (p.df == ColumnValue::Dash ? std::string("-") : Number(m.dfMax));
        if (p.esr != ColumnValue::Omitted)
            line += "\t" + (p.esr == ColumnValue::Dash ? std::string("-") : Number(m.esrMax));
        out.Line(line);
    }
    return out.Finish();
}

bool WriteLibrary(const std::string& path, const ProductRange& range) {
    CTextFile out(path);
    if (!out.IsOpen())
        return false;
    static const char* const kHeader[] = {
        "*******************************************************************************",
        "* Vorn Company - chip capacitor models for SPICE",
        "* Tantalum (MnO2, polymer, wet), niobium oxide and conformal coated series",
        "*",
        "* Each sub-circuit is named after the part number with tolerance K; the model",
        "* describes both tolerances of the rating. Nodes: 1 = anode, 9 = cathode.",
        "* Typical values at 25 degC; temperature coefficients of the RC network are",
        "* given for -55 to +125 degC (up to 200 degC for the high temperature series).",
        "* The diode Dp models the leakage current's rise near the rated voltage only",
        "* roughly; it does not take part in small-signal (AC) analysis.",
        "* Lesl, Rels: inductance of the terminations and its loss resistance.",
        "* Rp: leakage resistance. R1..R6, C1..C6: dielectric and anode network.",
        "*",
        "* These models are provided for information only. Values may change without notice.",
        "*******************************************************************************",
        "",
    };
    for (const char* line : kHeader)
        out.Line(line);

    std::vector<const ProductModel*> order;
    for (const ProductModel& m : range.models)
        order.push_back(&m);
    std::stable_sort(order.begin(), order.end(), [](const ProductModel* a, const ProductModel* b) {
        return ComparePartNumbers(a->name.c_str(), b->name.c_str()) < 0;
    });
    const ProductSeries* current = nullptr;
    for (const ProductModel* m : order) {
        if (m->series != current) {
            current = m->series;
            out.Line(
                "*******************************************************************************");
            out.Line(std::string("* Series ") + current->title);
            out.Line(std::string("* ") + TechnologyName(current->technology));
            out.Line(
                "*******************************************************************************");
            out.Line("");
        }
        WriteSubcircuit(out, *m);
    }
    out.Line("* end of library");
    return out.Finish();
}

bool WriteServerSettings(const std::string& path) {
    CTextFile out(path);
    if (!out.IsOpen())
        return false;
    out.Line("[zelta]");
    out.Line("");
    out.Line(std::string("httpserver=") + kUpdateHost);
    out.Line("httpdir=ZeltaApps/Zelta");
    out.Line(std::string("httpserver2=") + kUpdateHost);
    out.Line("httpdir2=ZeltaApps/Zelta");
    return out.Finish();
}
