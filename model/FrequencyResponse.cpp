#include "FrequencyResponse.h"

#include "CapacitorRecord.h"
#include "ModelVector.h"
#include "SeriesRules.h"

#include <cmath>
#include <complex>
#include <limits>

namespace {

// The evaluation loop runs on a small hand-written complex type: the library's division
// guards against overflow with scaling steps that cost more than the whole ladder. The plain
// formulas are exact to a few ulps for every value a capacitor model produces; a point whose
// result is not finite is evaluated again with the careful library arithmetic.
struct Cx {
    double re;
    double im;
};

inline Cx operator+(Cx a, Cx b) {
    return {a.re + b.re, a.im + b.im};
}
inline Cx operator*(Cx a, Cx b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

// 1 / z; a zero divisor gives NaN in both parts.
inline Cx Recip(Cx z) {
    const double inv = 1.0 / (z.re * z.re + z.im * z.im);
    return {z.re * inv, -z.im * inv};
}

// The model values one evaluation needs, prepared once per curve: conductances turned into
// resistances where the ladder uses them in series, and vanishing capacitances replaced.
struct PreparedModel {
    LadderKind kind;
    double C[6];
    double G[6];
    double R[6];
    double lesl, rels, rp;
    double cP, lP, rP;
    double ratedCapacitance; // µF
};

void Prepare(const CapacitorRecord& record, const ModelVector& vector, PreparedModel& m) {
    m.kind = LadderKindOf(record.series);
    const int used = m.kind == LadderKind::SixStage ? 6 : m.kind == LadderKind::FourElement ? 4 : 3;
    for (int k = 0; k < 6; ++k) {
        double c = vector.C(k);
        if (k < used && std::fabs(c) < 1e-50)
            c = 1e-50;
        m.C[k] = c;
        m.G[k] = vector.G(k);
        m.R[k] = 1.0 / vector.G(k);
    }
    m.lesl = record.lesl;
    m.rels = record.rels;
    m.rp = record.rp;
    m.cP = record.cP;
    m.lP = record.lP;
    m.rP = record.rP;
    m.ratedCapacitance = record.capacitance;
}

// Z_L = 1/(G1 + jωC1) + R2 + 1/(jωC2 + 1/(R3 + 1/(jωC3 + 1/(R4 + 1/(jωC4
//       + 1/(R5 + 1/(jωC5 + 1/(R6 + 1/(jωC6)))))))))
// Z   = Z_L || rp  +  rels || jω lesl
inline Cx SixStage(const PreparedModel& m, double w) {
    Cx z = Recip({0.0, w * m.C[5]});
    z.re += m.R[5];
    Cx y = Recip(z);
    y.im += w * m.C[4];
    z = Recip(y);
    z.re += m.R[4];
    y = Recip(z);
    y.im += w * m.C[3];
    z = Recip(y);
    z.re += m.R[3];
    y = Recip(z);
    y.im += w * m.C[2];
    z = Recip(y);
    z.re += m.R[2];
    y = Recip(z);
    y.im += w * m.C[1];
    Cx zl = Recip({m.G[0], w * m.C[0]});
    zl.re += m.R[1];
    zl = zl + Recip(y);
    Cx yt = Recip(zl);
    yt.re += 1.0 / m.rp;
    const Cx inductance = Recip(Cx{1.0 / m.rels, 0.0} + Recip({0.0, w * m.lesl}));
    return Recip(yt) + inductance;
}

// Z_L = R1 + 1/(G2 + jωC1) + 1/(G3 + jωC2) + 1/(jωC3 + 1/(R4 + 1/(jωC4)))
// Z   = Z_L || rp  +  rels || jω lesl
inline Cx FourElement(const PreparedModel& m, double w) {
    Cx z = Recip({0.0, w * m.C[3]});
    z.re += m.R[3];
    Cx y = Recip(z);
    y.im += w * m.C[2];
    Cx zl = Recip({m.G[1], w * m.C[0]});
    zl.re += m.R[0];
    zl = zl + Recip({m.G[2], w * m.C[1]});
    zl = zl + Recip(y);
    Cx yt = Recip(zl);
    yt.re += 1.0 / m.rp;
    const Cx inductance = Recip(Cx{1.0 / m.rels, 0.0} + Recip({0.0, w * m.lesl}));
    return Recip(yt) + inductance;
}

// Z_L = R1 + 1/(G2 + jωC1) + 1/(jωC2 + 1/(R3 + 1/(jωC3)))
// Z_P = 1/(jω cP) + jω lP rP / (rP + jω lP)
// Z   = ((Z_L || Z_P) + jω lesl rels / (rels + jω lesl)) || rp
inline Cx ThreeStage(const PreparedModel& m, double w) {
    Cx z = Recip({0.0, w * m.C[2]});
    z.re += m.R[2];
    Cx y = Recip(z);
    y.im += w * m.C[1];
    Cx zl = Recip({m.G[1], w * m.C[0]});
    zl.re += m.R[0];
    zl = zl + Recip(y);
    const Cx zp = Recip({0.0, w * m.cP}) + Cx{0.0, w * m.lP * m.rP} * Recip({m.rP, w * m.lP});
    const Cx z1 = (zl * zp) * Recip(zl + zp);
    const Cx z2 = z1 + Cx{0.0, w * m.lesl * m.rels} * Recip({m.rels, w * m.lesl});
    Cx yt = Recip(z2);
    yt.re += 1.0 / m.rp;
    return Recip(yt);
}

// The same formulas in the library's complex arithmetic, which keeps intermediate
// infinities and very large or small magnitudes exact; only a zero divisor gives NaN.
using Complex = std::complex<double>;

Complex Quot(Complex a, Complex b) {
    if (b.real() == 0.0 && b.imag() == 0.0) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return {nan, nan};
    }
    return a / b;
}

Complex Inv(Complex b) {
    return Quot(1.0, b);
}

Complex CarefulImpedance(const PreparedModel& m, double w) {
    const Complex j(0.0, 1.0);
    const Complex jw = j * w;
    Complex zl;
    switch (m.kind) {
    case LadderKind::SixStage: {
        Complex z = m.R[5] + Inv(jw * m.C[5]);
        z = m.R[4] + Inv(jw * m.C[4] + Inv(z));
        z = m.R[3] + Inv(jw * m.C[3] + Inv(z));
        z = m.R[2] + Inv(jw * m.C[2] + Inv(z));
        zl = Inv(m.G[0] + jw * m.C[0]) + m.R[1] + Inv(jw * m.C[1] + Inv(z));
        break;
    }
    case LadderKind::FourElement:
        zl = m.R[0] + Inv(m.G[1] + jw * m.C[0]) + Inv(m.G[2] + jw * m.C[1]) +
             Inv(jw * m.C[2] + Inv(m.R[3] + Inv(jw * m.C[3])));
        break;
    case LadderKind::ThreeStage: {
        zl = m.R[0] + Inv(m.G[1] + jw * m.C[0]) + Inv(jw * m.C[1] + Inv(m.R[2] + Inv(jw * m.C[2])));
        const Complex zp = Inv(jw * m.cP) + Quot(jw * m.lP * m.rP, m.rP + jw * m.lP);
        const Complex z1 = Quot(zl * zp, zl + zp);
        const Complex z2 = z1 + Quot(jw * m.lesl * m.rels, m.rels + jw * m.lesl);
        return Inv(Inv(z2) + 1.0 / m.rp);
    }
    }
    return Inv(Inv(zl) + 1.0 / m.rp) + Inv(1.0 / m.rels + Inv(jw * m.lesl));
}

inline Cx FastImpedance(const PreparedModel& m, double w) {
    switch (m.kind) {
    case LadderKind::SixStage:
        return SixStage(m, w);
    case LadderKind::FourElement:
        return FourElement(m, w);
    case LadderKind::ThreeStage:
        break;
    }
    return ThreeStage(m, w);
}

Cx Impedance(const PreparedModel& m, double frequency) {
    const double w = frequency * kTwoPi;
    Cx z = FastImpedance(m, w);
    if (!std::isfinite(z.re) || !std::isfinite(z.im)) {
        const Complex c = CarefulImpedance(m, w);
        z = {c.real(), c.imag()};
    }
    return z;
}

// |z| without overflow or underflow: the plain root where the squares are safe.
inline double Magnitude(double re, double im) {
    const double s = re * re + im * im;
    if (s > 1e-300 && s < 1e300)
        return std::sqrt(s);
    return std::hypot(re, im);
}

// C = 1 / (Im Z * f * -2π), then the off-scale marks above 10 kHz.
inline double SeriesCapacitance(double im, double frequency, double ratedMicrofarad, bool mark) {
    double c = 1.0 / (im * frequency * -kTwoPi);
    if (mark && frequency > 10000.0) {
        if (c >= ratedMicrofarad * 1.499e-6)
            c = kOffScale;
        if (c <= ratedMicrofarad * -4.99e-7)
            c = -kOffScale;
    }
    return c;
}

template <LadderKind Kind>
void ImpedanceLoop(const PreparedModel& m, const double* frequency, double* re, double* im,
                   int count) {
    for (int i = 0; i < count; ++i) {
        const double w = frequency[i] * kTwoPi;
        Cx z;
        if (Kind == LadderKind::SixStage)
            z = SixStage(m, w);
        else if (Kind == LadderKind::FourElement)
            z = FourElement(m, w);
        else
            z = ThreeStage(m, w);
        re[i] = z.re;
        im[i] = z.im;
    }
}

} // namespace

LadderKind LadderKindOf(const char* series) {
    if (SeriesIs(series, "QCR"))
        return LadderKind::ThreeStage;
    if (SeriesIs(series, "QCL") || SeriesIs(series, "QCM"))
        return LadderKind::FourElement;
    return LadderKind::SixStage;
}

void EvaluatePoint(const CapacitorRecord& record, FrequencyPoint& point, const ModelVector& vector,
                   bool markOffScale) {
    PreparedModel m;
    Prepare(record, vector, m);
    const double f = point.frequency;
    const Cx z = Impedance(m, f);
    point.impedanceMagnitude = Magnitude(z.re, z.im);
    point.esr = z.re;
    point.reactance = z.im;
    point.dissipationFactor = std::fabs(z.re / z.im);
    point.seriesCapacitance = SeriesCapacitance(z.im, f, m.ratedCapacitance, markOffScale);
}

int BuildFrequencyGrid(double* frequency, int capacity) {
    double f = 100.0;
    for (int i = 0; i < capacity; ++i) {
        frequency[i] = f;
        f *= 1.0232929925;
        if (f >= 1e8) {
            frequency[i] = 1e8;
            return i + 1;
        }
    }
    return capacity;
}

void EvaluateCurveSet(const CapacitorRecord& record, const ModelVector& vector, bool markOffScale,
                      CurveSet& curves, int count) {
    if (count > kMaxCurvePoints)
        count = kMaxCurvePoints;
    PreparedModel m;
    Prepare(record, vector, m);
    const double* f = curves.frequency;
    // Re Z goes straight into the ESR array; Im Z waits in the capacitance array.
    double* re = curves.esr;
    double* im = curves.seriesCapacitance;
    switch (m.kind) {
    case LadderKind::SixStage:
        ImpedanceLoop<LadderKind::SixStage>(m, f, re, im, count);
        break;
    case LadderKind::FourElement:
        ImpedanceLoop<LadderKind::FourElement>(m, f, re, im, count);
        break;
    case LadderKind::ThreeStage:
        ImpedanceLoop<LadderKind::ThreeStage>(m, f, re, im, count);
        break;
    }
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(re[i]) || !std::isfinite(im[i])) {
            const Complex c = CarefulImpedance(m, f[i] * kTwoPi);
            re[i] = c.real();
            im[i] = c.imag();
        }
    }
    for (int i = 0; i < count; ++i) {
        const double r = re[i];
        const double x = im[i];
        curves.impedanceMagnitude[i] = Magnitude(r, x);
        curves.dissipationFactor[i] = std::fabs(r / x);
        curves.seriesCapacitance[i] = SeriesCapacitance(x, f[i], m.ratedCapacitance, markOffScale);
    }
}

double EsrReferenceFrequency(const char* series) {
    if (SeriesIsExactly(series, "QCN"))
        return 120.0;
    if (SeriesIsExactly(series, "QCR"))
        return 300000.0;
    return 100000.0;
}

double ScaleToEsrLimit(double esrMaxMilliohm, double value, double esrAtReference) {
    if (esrMaxMilliohm != 0.0 && esrMaxMilliohm * 0.001 > esrAtReference)
        return esrMaxMilliohm / esrAtReference * 0.001 * value;
    return 0.0;
}
