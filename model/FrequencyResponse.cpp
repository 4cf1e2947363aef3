#include "FrequencyResponse.h"

#include "CapacitorRecord.h"
#include "ModelVector.h"
#include "SeriesRules.h"

#include <cmath>
#include <complex>
#include <limits>

namespace {

// The evaluation loop keeps every impedance as a fraction num / den of two complex numbers:
// a reciprocal is then a swap and adding an element a multiply-add, so a whole ladder costs
// one division instead of one per stage, and the loop runs at the speed of multiplication.
// Results agree with the nested library arithmetic to a few ulps; a point whose fraction
// leaves the safe range, or whose result is not finite, is evaluated again with the careful
// library arithmetic. An element of value 0 outside the ladder (no inductance, no branch
// capacitor) never becomes a divisor here: it enters as its physical limit, a short or an
// open branch, instead of turning the whole curve into NaN.
#define ZELTA_ALWAYS_INLINE inline __attribute__((always_inline))

struct Cx {
    double re;
    double im;
};

ZELTA_ALWAYS_INLINE Cx operator+(Cx a, Cx b) {
    return {a.re + b.re, a.im + b.im};
}
ZELTA_ALWAYS_INLINE Cx operator*(Cx a, Cx b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

struct Frac {
    Cx num;
    Cx den;
};

ZELTA_ALWAYS_INLINE Frac Recip(Frac z) {
    return {z.den, z.num};
}

// z + r for a real r
ZELTA_ALWAYS_INLINE Frac AddReal(Frac z, double r) {
    return {{z.num.re + r * z.den.re, z.num.im + r * z.den.im}, z.den};
}

// z + jx
ZELTA_ALWAYS_INLINE Frac AddImag(Frac z, double x) {
    return {{z.num.re - x * z.den.im, z.num.im + x * z.den.re}, z.den};
}

ZELTA_ALWAYS_INLINE Frac Add(Frac a, Frac b) {
    return {a.num * b.den + b.num * a.den, a.den * b.den};
}

// a || b = a b / (a + b)
ZELTA_ALWAYS_INLINE Frac Parallel(Frac a, Frac b) {
    return {a.num * b.num, a.num * b.den + b.num * a.den};
}

// z || r for a real r: z / (1 + z / r)
ZELTA_ALWAYS_INLINE Frac ParallelReal(Frac z, double inverseR) {
    return {z.num, {z.den.re + inverseR * z.num.re, z.den.im + inverseR * z.num.im}};
}

// jωL parallel with R: jωL R / (R + jωL)
ZELTA_ALWAYS_INLINE Frac InductorParallel(double wl, double r) {
    return {{0.0, wl * r}, {r, wl}};
}

// The size of a fraction's parts: outside 1e-200..1e200 the value may have lost digits.
ZELTA_ALWAYS_INLINE double Scale(Frac z) {
    return std::fabs(z.num.re) + std::fabs(z.num.im) + std::fabs(z.den.re) + std::fabs(z.den.im);
}

inline bool ScaleInRange(double scale) {
    return scale > 1e-200 && scale < 1e200;
}

// The value of the fraction; a zero denominator gives NaN in both parts.
ZELTA_ALWAYS_INLINE Cx Value(Frac z) {
    const double inv = 1.0 / (z.den.re * z.den.re + z.den.im * z.den.im);
    return {(z.num.re * z.den.re + z.num.im * z.den.im) * inv,
            (z.num.im * z.den.re - z.num.re * z.den.im) * inv};
}

// The model values one evaluation needs, prepared once per curve: conductances turned into
// resistances where the ladder uses them in series, and vanishing capacitances replaced.
struct PreparedModel {
    LadderKind kind;
    double C[6];
    double G[6];
    double R[6];
    double lesl, rels, rp, inverseRp;
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
    m.inverseRp = 1.0 / record.rp;
    m.cP = record.cP;
    m.lP = record.lP;
    m.rP = record.rP;
    m.ratedCapacitance = record.capacitance;
}

// 1 / (jωC)
ZELTA_ALWAYS_INLINE Frac Capacitor(double wc) {
    return {{1.0, 0.0}, {0.0, wc}};
}

// 1 / (G + jωC)
ZELTA_ALWAYS_INLINE Frac ParallelRc(double g, double wc) {
    return {{1.0, 0.0}, {g, wc}};
}

// Z_L = 1/(G1 + jωC1) + R2 + 1/(jωC2 + 1/(R3 + 1/(jωC3 + 1/(R4 + 1/(jωC4
//       + 1/(R5 + 1/(jωC5 + 1/(R6 + 1/(jωC6)))))))))
// Z   = Z_L || rp  +  rels || jω lesl
ZELTA_ALWAYS_INLINE Frac SixStage(const PreparedModel& m, double w) {
    Frac z = AddReal(Capacitor(w * m.C[5]), m.R[5]);
    z = AddReal(Recip(AddImag(Recip(z), w * m.C[4])), m.R[4]);
    z = AddReal(Recip(AddImag(Recip(z), w * m.C[3])), m.R[3]);
    z = AddReal(Recip(AddImag(Recip(z), w * m.C[2])), m.R[2]);
    z = Recip(AddImag(Recip(z), w * m.C[1]));
    const Frac zl = Add(AddReal(ParallelRc(m.G[0], w * m.C[0]), m.R[1]), z);
    return Add(ParallelReal(zl, m.inverseRp), InductorParallel(w * m.lesl, m.rels));
}

// Z_L = R1 + 1/(G2 + jωC1) + 1/(G3 + jωC2) + 1/(jωC3 + 1/(R4 + 1/(jωC4)))
// Z   = Z_L || rp  +  rels || jω lesl
ZELTA_ALWAYS_INLINE Frac FourElement(const PreparedModel& m, double w) {
    Frac z = AddReal(Capacitor(w * m.C[3]), m.R[3]);
    z = Recip(AddImag(Recip(z), w * m.C[2]));
    Frac zl = Add(ParallelRc(m.G[1], w * m.C[0]), ParallelRc(m.G[2], w * m.C[1]));
    zl = AddReal(Add(zl, z), m.R[0]);
    return Add(ParallelReal(zl, m.inverseRp), InductorParallel(w * m.lesl, m.rels));
}

// Z_L = R1 + 1/(G2 + jωC1) + 1/(jωC2 + 1/(R3 + 1/(jωC3)))
// Z_P = 1/(jω cP) + jω lP rP / (rP + jω lP)
// Z   = ((Z_L || Z_P) + jω lesl rels / (rels + jω lesl)) || rp
ZELTA_ALWAYS_INLINE Frac ThreeStage(const PreparedModel& m, double w) {
    Frac z = AddReal(Capacitor(w * m.C[2]), m.R[2]);
    z = Recip(AddImag(Recip(z), w * m.C[1]));
    const Frac zl = AddReal(Add(ParallelRc(m.G[1], w * m.C[0]), z), m.R[0]);
    const Frac zp = Add(Capacitor(w * m.cP), InductorParallel(w * m.lP, m.rP));
    const Frac z2 = Add(Parallel(zl, zp), InductorParallel(w * m.lesl, m.rels));
    return ParallelReal(z2, m.inverseRp);
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

inline Frac FastImpedance(const PreparedModel& m, double w) {
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
    const Frac f = FastImpedance(m, w);
    Cx z = Value(f);
    if (!ScaleInRange(Scale(f)) || !std::isfinite(z.re) || !std::isfinite(z.im)) {
        const Complex c = CarefulImpedance(m, w);
        z = {c.real(), c.imag()};
    }
    return z;
}

// A quantity that double precision cannot give at a point (a capacitance or a DF whose Im Z
// has cancelled to zero, an element of a size the arithmetic cannot hold) is off the scale,
// marked or not: the graph leaves it out and no text shows an infinity or a NaN.
// (Written as comparisons, so that the curve loops stay vectorised; NaN fails them all.)
ZELTA_ALWAYS_INLINE double OffScaleWhereNotFinite(double value) {
    return std::fabs(value) <= std::numeric_limits<double>::max()
               ? value
               : (value < 0.0 ? -kOffScale : kOffScale);
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

// Writes Re Z and Im Z of every point, and the size of its fraction into `scale`, from
// which the caller's second pass tells the points that need the careful arithmetic.
template <LadderKind Kind>
void ImpedanceLoop(const PreparedModel& m, const double* __restrict frequency,
                   double* __restrict re, double* __restrict im, double* __restrict scale,
                   int count) {
    for (int i = 0; i < count; ++i) {
        const double w = frequency[i] * kTwoPi;
        Frac f;
        if (Kind == LadderKind::SixStage)
            f = SixStage(m, w);
        else if (Kind == LadderKind::FourElement)
            f = FourElement(m, w);
        else
            f = ThreeStage(m, w);
        const Cx z = Value(f);
        re[i] = z.re;
        im[i] = z.im;
        scale[i] = Scale(f);
    }
}

// |Z|, DF and capacitance of every point, with the same formulas as the single evaluation;
// Im Z comes in through `imCapacitance` and leaves as the capacitance.
void DerivedLoop(const double* __restrict frequency, const double* __restrict re,
                 double* __restrict imCapacitance, double* __restrict magnitude,
                 double* __restrict dissipation, double ratedMicrofarad, bool mark, int count) {
    for (int i = 0; i < count; ++i)
        magnitude[i] = std::sqrt(re[i] * re[i] + imCapacitance[i] * imCapacitance[i]);
    // Magnitudes whose squares left the safe range are taken again without overflow.
    for (int i = 0; i < count; ++i) {
        const double s = re[i] * re[i] + imCapacitance[i] * imCapacitance[i];
        if (!(s > 1e-300 && s < 1e300))
            magnitude[i] = std::hypot(re[i], imCapacitance[i]);
    }
    const double above = ratedMicrofarad * 1.499e-6;
    const double below = ratedMicrofarad * -4.99e-7;
    for (int i = 0; i < count; ++i) {
        const double r = re[i];
        const double x = imCapacitance[i];
        const double f = frequency[i];
        dissipation[i] = OffScaleWhereNotFinite(std::fabs(r / x));
        double c = 1.0 / (x * f * -kTwoPi);
        const bool marked = mark & (f > 10000.0);
        c = (marked & (c >= above)) ? kOffScale : c;
        c = (marked & (c <= below)) ? -kOffScale : c;
        imCapacitance[i] = OffScaleWhereNotFinite(c);
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
    point.impedanceMagnitude = OffScaleWhereNotFinite(Magnitude(z.re, z.im));
    point.esr = OffScaleWhereNotFinite(z.re);
    point.reactance = OffScaleWhereNotFinite(z.im);
    point.dissipationFactor = OffScaleWhereNotFinite(std::fabs(z.re / z.im));
    point.seriesCapacitance =
        OffScaleWhereNotFinite(SeriesCapacitance(z.im, f, m.ratedCapacitance, markOffScale));
}

void ReferenceImpedance(const CapacitorRecord& record, const ModelVector& vector, double frequency,
                        double& re, double& im) {
    PreparedModel m;
    Prepare(record, vector, m);
    const Complex z = CarefulImpedance(m, frequency * kTwoPi);
    re = z.real();
    im = z.imag();
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
    double* scale = curves.dissipationFactor;
    switch (m.kind) {
    case LadderKind::SixStage:
        ImpedanceLoop<LadderKind::SixStage>(m, f, re, im, scale, count);
        break;
    case LadderKind::FourElement:
        ImpedanceLoop<LadderKind::FourElement>(m, f, re, im, scale, count);
        break;
    case LadderKind::ThreeStage:
        ImpedanceLoop<LadderKind::ThreeStage>(m, f, re, im, scale, count);
        break;
    }
    bool notFinite = false; // a Z that even the careful arithmetic leaves without a value
    for (int i = 0; i < count; ++i) {
        if (!ScaleInRange(scale[i]) || !std::isfinite(re[i]) || !std::isfinite(im[i])) {
            const Complex c = CarefulImpedance(m, f[i] * kTwoPi);
            re[i] = c.real();
            im[i] = c.imag();
            notFinite = notFinite || !std::isfinite(re[i]) || !std::isfinite(im[i]);
        }
    }
    DerivedLoop(f, re, im, curves.impedanceMagnitude, curves.dissipationFactor, m.ratedCapacitance,
                markOffScale, count);
    for (int i = 0; notFinite && i < count; ++i) {
        re[i] = OffScaleWhereNotFinite(re[i]);
        curves.impedanceMagnitude[i] = OffScaleWhereNotFinite(curves.impedanceMagnitude[i]);
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
