#include "BankSearch.h"

#include "CapacitorRecord.h"
#include "CaseFootprint.h"
#include "FrequencyResponse.h"
#include "ImpedanceSearch.h"
#include "ModelVector.h"
#include "RippleLimits.h"
#include "SeriesRules.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>

// How the search stays exact.
//
// Let A(f) = 1 / mask(f) be the admittance a bank must reach, Y_i(f) = 1 / (Z_i + R_m + jwL_m)
// the admittance of one mounted part and V(f) that of the converter. A bank meets the mask at
// f exactly when |S(f)| >= A(f), S = sum n_i Y_i + V. The triangle inequality gives
//   |S| <= |X| + sum_{j not in X} n_j |Y_j|             for any partial sum X of S,      (1)
// and |Y_j| <= Ymax(f), the largest |Y| of any candidate at f. Every cut below drops a partial
// bank only when (1), with the parts still to come at Ymax or at a bound that every part they
// may be satisfies, stays under A(f) at some grid point: then no completion meets the mask.
// The bounds are compared with a relative slack of kSlack, far above the rounding of a few
// hundred additions, so rounding never cuts a bank that the final, exact evaluation accepts.
//
// Part types dominated by another are not dropped: the parts' admittances are complex and add
// with their phases, so a part with the larger |Y| at every frequency can still give the
// smaller |S| beside a third part; only magnitudes may be bounded this way.
//
// Levels: banks are searched by (parts P, types t) in rank order, P = 1..N, t = 1..min(K, P).
// All banks of one level rank before every bank of a later level, so once the levels finished
// hold `limit` banks, the first `limit` of them are the answer and later levels are not
// searched. Within a level the best `need` banks are kept; a partial bank whose case area,
// with the smallest case for every part still to come, is above the area of the worst kept
// bank (with `need` banks kept) cannot rank among them, since area ranks before margin.
// Each thread keeps the best `need` of the banks it finds and cuts against its own worst;
// a bank it cuts is behind `need` others, so the best `need` of the level are among the union
// of the threads' banks, and the order, being total, does not depend on which thread found what.
//
// Choosing a part: (1) with X the sum so far and the part to choose, n times, gives
//   n |Y_b(f)| >= A(f) - |X(f)| - (the bound of the parts after it)    at every f,
// so at any one grid point p the parts with |Y_b(p)| under that need cannot complete the
// bank. The parts are sorted by |Y| at a few probe points once; the candidates are the prefix
// at the probe where the need is largest against Ymax, each then checked against (1) at every
// point before the exact evaluation.

namespace {

constexpr double kSlack = 1e-9;

struct Grid {
    double frequency[kMaxCurvePoints];
    int count;
    Grid() { count = BuildFrequencyGrid(frequency, kMaxCurvePoints); }
};

const Grid& TheGrid() {
    static const Grid grid;
    return grid;
}

struct Complex {
    double re, im;
};

// 1 / (re + j im) without overflow in the squares (Smith's division).
Complex Reciprocal(double re, double im) {
    if (std::fabs(re) >= std::fabs(im)) {
        const double r = im / re;
        const double d = re + im * r;
        return {1.0 / d, -r / d};
    }
    const double r = re / im;
    const double d = re * r + im;
    return {r / d, -1.0 / d};
}

// Admittance of one mounted part at `frequency`, with the ladder values at the temperature.
Complex MountedAdmittance(const CapacitorRecord& record, const ModelVector& scaled,
                          double mountResistance, double mountInductance, double frequency) {
    FrequencyPoint point{};
    point.frequency = frequency;
    EvaluatePoint(record, point, scaled, false);
    const double omega = frequency * kTwoPi;
    return Reciprocal(point.esr + mountResistance, point.reactance + omega * mountInductance);
}

Complex ConverterAdmittance(const BankQuery& q, double frequency) {
    if (!q.converter)
        return {0.0, 0.0};
    return Reciprocal(q.converterResistance, frequency * kTwoPi * q.converterInductance);
}

// |re + j im| without the library's hypot, which costs a fifth of a search. The squares
// cannot overflow: the loaded values stay within 1e100, so an admittance does too; one too
// small to square (below 1e-154 S) is no decoupling and only turns a bank's |Z| infinite.
inline double Magnitude(double re, double im) {
    return std::sqrt(re * re + im * im);
}

// |Z| from the summed admittance: the one formula the search, its checks and the curves use.
double ImpedanceOfSum(double re, double im) {
    return 1.0 / Magnitude(re, im);
}

// |Z| of t part types with admittances y and counts n beside the converter's v, summed in
// the order given. Parts with the same admittance (the K and M tolerance twins of one model)
// are summed as one term of their joint count: 1 x K + 5 x M is then bit for bit the bank
// 2 x K + 4 x M, so banks that are the same circuit tie exactly and rank by part numbers.
double ImpedanceOfBank(const Complex* y, const int* n, int t, Complex v) {
    double re = 0.0, im = 0.0;
    for (int i = 0; i < t; ++i) {
        int count = n[i];
        bool merged = false;
        for (int j = 0; j < i && !merged; ++j)
            merged = y[j].re == y[i].re && y[j].im == y[i].im;
        if (merged)
            continue; // added with the first of its kind
        for (int j = i + 1; j < t; ++j) {
            if (y[j].re == y[i].re && y[j].im == y[i].im)
                count += n[j];
        }
        re += count * y[i].re;
        im += count * y[i].im;
    }
    re += v.re;
    im += v.im;
    return ImpedanceOfSum(re, im);
}

long long AreaUnits(char caseCode) {
    // The footprints are whole tenths of a millimetre on both sides.
    return std::llround(CaseFootprintArea(caseCode) * 100.0);
}

// A part that may be in a bank, with its case area.
struct Candidate {
    const CapacitorRecord* record;
    long long area;
};

class CBankSearch {
public:
    CBankSearch(const BankQuery& query, std::vector<Candidate> candidates, int first, int last)
        : m_q(query), m_parts(std::move(candidates)), m_first(first), m_count(last - first + 1) {}

    int Threads(size_t work) const {
        const int wanted =
            m_q.threads > 0 ? m_q.threads : static_cast<int>(std::thread::hardware_concurrency());
        return std::max(1, std::min<int>(wanted, static_cast<int>(std::max<size_t>(1, work / 16))));
    }
    // fn(0) .. fn(count - 1), shared out over the threads.
    template <typename Fn> void ForEachOnThreads(size_t count, Fn fn) const {
        std::atomic<size_t> next{0};
        auto work = [&] {
            for (size_t i = next.fetch_add(1); i < count; i = next.fetch_add(1))
                fn(i);
        };
        std::vector<std::thread> pool;
        for (int t = 1; t < Threads(count); ++t)
            pool.emplace_back(work);
        work();
        for (std::thread& thread : pool)
            thread.join();
    }

    // Evaluates the parts over the band; returns how many were dropped for values that are
    // not finite there.
    size_t Prepare();
    size_t CandidateCount() const { return m_parts.size(); }

    // One level; false when the time budget ran out during it.
    bool SearchLevel(int parts, int types, size_t need, std::vector<Bank>& out);

    void StartClock() { m_start = std::chrono::steady_clock::now(); }
    bool OverBudget() const {
        if (m_stop.load(std::memory_order_relaxed))
            return true;
        if (!(m_q.timeBudget > 0.0))
            return false;
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - m_start;
        if (elapsed.count() > m_q.timeBudget)
            m_stop.store(true, std::memory_order_relaxed);
        return m_stop.load(std::memory_order_relaxed);
    }

private:
    struct Keeper; // the best banks of one level found by one thread

    const double* Re(int c) const { return &m_re[static_cast<size_t>(c) * m_count]; }
    const double* Im(int c) const { return &m_im[static_cast<size_t>(c) * m_count]; }
    const double* Mag(int c) const { return &m_mag[static_cast<size_t>(c) * m_count]; }

    // |Z| at band point k of the bank (idx ascending), in the one order of summation.
    double BankImpedance(const int* idx, const int* n, int t, int k) const {
        Complex y[kMaxBankTypes];
        for (int i = 0; i < t; ++i) {
            const size_t at = static_cast<size_t>(idx[i]) * m_count + k;
            y[i] = {m_re[at], m_im[at]};
        }
        return ImpedanceOfBank(y, n, t, {m_vRe[k], m_vIm[k]});
    }
    // The exact test at every band point, starting at `startPoint`; fills `bank` when met.
    bool MeetsMask(const int* idx, const int* n, int t, int startPoint, Bank& bank) const;

    // Candidates c whose |Y_c| at some probe reaches need(f) at every probe can pass; the
    // probe where need/Ymax is largest cuts the most. Returns the prefix, in the probe's
    // order of |Y| (largest first), of the candidates that reach `need` at that probe; all
    // candidates (in index order) when need is nowhere above 0.
    void Prefix(const double* need, const int*& list, size_t& length) const;

    void Level1(int a, int parts, Keeper& keep) const;
    void Level2(int a, int parts, Keeper& keep) const;
    void Level3(int a, int parts, Keeper& keep) const;

    const BankQuery& m_q;
    std::vector<Candidate> m_parts;
    int m_first;
    int m_count;
    std::vector<double> m_frequency, m_limit, m_needed; // band points: f, mask, A = 1 / mask
    std::vector<double> m_re, m_im, m_mag;              // per candidate, m_count each
    std::vector<double> m_vRe, m_vIm, m_vMag;           // the converter
    std::vector<double> m_yMax;                         // largest |Y| of any candidate
    long long m_minArea = 0;
    std::vector<int> m_allInOrder;
    struct Probe {
        int point;
        std::vector<int> order;  // candidates by |Y| at the point, largest first
        std::vector<double> mag; // their |Y|
    };
    std::vector<Probe> m_probes;
    std::chrono::steady_clock::time_point m_start;
    mutable std::atomic<bool> m_stop{false};
};

struct CBankSearch::Keeper {
    size_t need;
    std::vector<Bank> banks; // a heap, worst on top, once `need` are kept

    bool Full() const { return need != 0 && banks.size() >= need; }
    // A partial bank whose area bound is above this cannot rank among the kept.
    bool AreaCut(long long areaBound) const { return Full() && areaBound > banks.front().area; }
    void Offer(const Bank& bank) {
        if (need == 0) {
            banks.push_back(bank);
            return;
        }
        if (banks.size() < need) {
            banks.push_back(bank);
            std::push_heap(banks.begin(), banks.end(), BankBefore);
        } else if (BankBefore(bank, banks.front())) {
            std::pop_heap(banks.begin(), banks.end(), BankBefore);
            banks.back() = bank;
            std::push_heap(banks.begin(), banks.end(), BankBefore);
        }
    }
};

size_t CBankSearch::Prepare() {
    const Grid& grid = TheGrid();
    m_frequency.assign(grid.frequency + m_first, grid.frequency + m_first + m_count);
    m_limit.resize(m_count);
    m_needed.resize(m_count);
    m_vRe.resize(m_count);
    m_vIm.resize(m_count);
    m_vMag.resize(m_count);
    for (int k = 0; k < m_count; ++k) {
        m_limit[k] = MaskLimitAt(m_q.mask, m_frequency[k]);
        m_needed[k] = 1.0 / m_limit[k];
        const Complex v = ConverterAdmittance(m_q, m_frequency[k]);
        m_vRe[k] = v.re;
        m_vIm[k] = v.im;
        m_vMag[k] = Magnitude(v.re, v.im);
    }
    // Part-number order: the bank's parts are summed and listed in it.
    std::sort(m_parts.begin(), m_parts.end(), [](const Candidate& a, const Candidate& b) {
        return std::strcmp(a.record->partNumber, b.record->partNumber) < 0;
    });
    const size_t total = m_parts.size();
    m_re.resize(total * m_count);
    m_im.resize(total * m_count);
    m_mag.resize(total * m_count);
    std::vector<char> finite(total, 1);
    ForEachOnThreads(total, [&](size_t c) {
        const CapacitorRecord& r = *m_parts[c].record;
        ModelVector scaled;
        BuildModelVector(r, scaled);
        ScaleModelToTemperature(r, scaled, m_q.temperature);
        const double lm = MountInductanceOf(m_q, r.caseCode);
        for (int k = 0; k < m_count; ++k) {
            const Complex y = MountedAdmittance(r, scaled, m_q.mountResistance, lm, m_frequency[k]);
            const size_t at = c * m_count + k;
            m_re[at] = y.re;
            m_im[at] = y.im;
            m_mag[at] = Magnitude(y.re, y.im);
            if (!std::isfinite(m_mag[at]))
                finite[c] = 0;
        }
    });
    // Parts with values that are not finite in the band are left out.
    m_yMax.assign(m_count, 0.0);
    size_t kept = 0;
    for (size_t c = 0; c < total; ++c) {
        if (!finite[c])
            continue;
        if (kept != c) {
            const size_t from = c * m_count, to = kept * m_count;
            std::copy(&m_re[from], &m_re[from] + m_count, &m_re[to]);
            std::copy(&m_im[from], &m_im[from] + m_count, &m_im[to]);
            std::copy(&m_mag[from], &m_mag[from] + m_count, &m_mag[to]);
        }
        for (int k = 0; k < m_count; ++k)
            m_yMax[k] = std::max(m_yMax[k], m_mag[kept * m_count + k]);
        m_parts[kept++] = m_parts[c];
    }
    const size_t dropped = m_parts.size() - kept;
    m_parts.resize(kept);
    const size_t n = kept;
    if (n == 0)
        return dropped;
    m_minArea = std::numeric_limits<long long>::max();
    for (const Candidate& c : m_parts)
        m_minArea = std::min(m_minArea, c.area);
    m_allInOrder.resize(n);
    for (size_t c = 0; c < n; ++c)
        m_allInOrder[c] = static_cast<int>(c);
    // Probes: about 64 points spread over the band and its last point.
    const int step = std::max(1, m_count / 64);
    for (int k = 0; k < m_count; k += step)
        m_probes.push_back(Probe{k, {}, {}});
    if (m_probes.back().point != m_count - 1)
        m_probes.push_back(Probe{m_count - 1, {}, {}});
    ForEachOnThreads(m_probes.size(), [&](size_t i) {
        Probe& p = m_probes[i];
        p.order = m_allInOrder;
        std::sort(p.order.begin(), p.order.end(), [&](int a, int b) {
            const double ya = Mag(a)[p.point], yb = Mag(b)[p.point];
            return ya != yb ? ya > yb : a < b;
        });
        p.mag.resize(n);
        for (size_t j = 0; j < n; ++j)
            p.mag[j] = Mag(p.order[j])[p.point];
    });
    return dropped;
}

void CBankSearch::Prefix(const double* need, const int*& list, size_t& length) const {
    const Probe* best = nullptr;
    double tightest = 0.0;
    for (const Probe& p : m_probes) {
        const double ratio = need[p.point] / m_yMax[p.point];
        if (ratio > tightest) {
            tightest = ratio;
            best = &p;
        }
    }
    if (best == nullptr) {
        list = m_allInOrder.data();
        length = m_allInOrder.size();
        return;
    }
    // A part with |Y| under need at a point cannot complete the bank (see the top).
    const double threshold = need[best->point] * (1.0 - kSlack);
    list = best->order.data();
    length = static_cast<size_t>(
        std::lower_bound(best->mag.begin(), best->mag.end(), threshold, std::greater<double>()) -
        best->mag.begin());
    // lower_bound with greater<> stops at the first value below the threshold.
}

bool CBankSearch::MeetsMask(const int* idx, const int* n, int t, int startPoint, Bank& bank) const {
    if (BankImpedance(idx, n, t, startPoint) > m_limit[startPoint])
        return false;
    double worst = 2.0;
    int worstPoint = 0;
    double worstZ = 0.0;
    for (int k = 0; k < m_count; ++k) {
        const double z = BankImpedance(idx, n, t, k);
        if (!(z <= m_limit[k]))
            return false;
        const double margin = (m_limit[k] - z) / m_limit[k];
        if (margin < worst) {
            worst = margin;
            worstPoint = k;
            worstZ = z;
        }
    }
    bank.typeCount = t;
    bank.partCount = 0;
    bank.area = 0;
    for (int i = 0; i < t; ++i) {
        bank.parts[i].record = m_parts[idx[i]].record;
        bank.parts[i].count = n[i];
        bank.partCount += n[i];
        bank.area += n[i] * m_parts[idx[i]].area;
    }
    for (int i = t; i < kMaxBankTypes; ++i)
        bank.parts[i] = BankPart{};
    bank.worstMargin = worst;
    bank.worstFrequency = m_frequency[worstPoint];
    bank.worstImpedance = worstZ;
    bank.worstLimit = m_limit[worstPoint];
    return true;
}

// The point where the bound of (1) is tightest, for the exact test to start at.
int TightestPoint(const std::vector<double>& need, int count) {
    int best = 0;
    for (int k = 1; k < count; ++k) {
        if (need[k] > need[best])
            best = k;
    }
    return best;
}

void CBankSearch::Level1(int a, int parts, Keeper& keep) const {
    if (keep.AreaCut(parts * m_parts[a].area))
        return;
    // (1) with X = V: |S| <= |V| + P |Y_a|.
    const double* mag = Mag(a);
    for (int k = 0; k < m_count; ++k) {
        if ((m_vMag[k] + parts * mag[k]) * (1.0 + kSlack) < m_needed[k])
            return;
    }
    const int idx[1] = {a};
    const int n[1] = {parts};
    Bank bank;
    if (MeetsMask(idx, n, 1, 0, bank))
        keep.Offer(bank);
}

void CBankSearch::Level2(int a, int parts, Keeper& keep) const {
    std::vector<double> xMag(m_count), need(m_count);
    const double *re = Re(a), *im = Im(a);
    for (int na = 1; na < parts; ++na) {
        const int nb = parts - na;
        const long long areaA = na * m_parts[a].area;
        if (keep.AreaCut(areaA + nb * m_minArea))
            continue;
        // X = n_a Y_a + V. The second part must give n_b |Y_b| >= A - |X| at every point.
        bool possible = true;
        for (int k = 0; k < m_count; ++k) {
            xMag[k] = Magnitude(na * re[k] + m_vRe[k], na * im[k] + m_vIm[k]);
            need[k] = (m_needed[k] - xMag[k] * (1.0 + kSlack)) / nb;
            if ((xMag[k] + nb * m_yMax[k]) * (1.0 + kSlack) < m_needed[k]) {
                possible = false;
                break;
            }
        }
        if (!possible)
            continue;
        const int start = TightestPoint(need, m_count);
        const int* list = nullptr;
        size_t length = 0;
        Prefix(need.data(), list, length);
        for (size_t i = 0; i < length; ++i) {
            const int b = list[i];
            if (b <= a || keep.AreaCut(areaA + nb * m_parts[b].area))
                continue;
            const double* mb = Mag(b);
            int k = 0;
            while (k < m_count && (xMag[k] + nb * mb[k]) * (1.0 + kSlack) >= m_needed[k])
                ++k;
            if (k < m_count)
                continue;
            const int idx[2] = {a, b};
            const int n[2] = {na, nb};
            Bank bank;
            if (MeetsMask(idx, n, 2, start, bank))
                keep.Offer(bank);
        }
    }
}

void CBankSearch::Level3(int a, int parts, Keeper& keep) const {
    std::vector<double> xMag(m_count), xbMag(m_count), need(m_count), needC(m_count), xbRe(m_count),
        xbIm(m_count);
    const double *re = Re(a), *im = Im(a);
    for (int na = 1; na + 2 <= parts; ++na) {
        const int rest = parts - na;
        const long long areaA = na * m_parts[a].area;
        if (keep.AreaCut(areaA + rest * m_minArea))
            continue;
        bool possible = true;
        for (int k = 0; k < m_count; ++k) {
            xMag[k] = Magnitude(na * re[k] + m_vRe[k], na * im[k] + m_vIm[k]);
            if ((xMag[k] + rest * m_yMax[k]) * (1.0 + kSlack) < m_needed[k]) {
                possible = false;
                break;
            }
        }
        if (!possible)
            continue;
        for (int nb = 1; nb < rest; ++nb) {
            const int nc = rest - nb;
            // The second part with the third at Ymax: n_b |Y_b| >= A - |X| - n_c Ymax.
            for (int k = 0; k < m_count; ++k)
                need[k] = (m_needed[k] - (xMag[k] + nc * m_yMax[k]) * (1.0 + kSlack)) / nb;
            const int* listB = nullptr;
            size_t lengthB = 0;
            Prefix(need.data(), listB, lengthB);
            for (size_t i = 0; i < lengthB; ++i) {
                if (OverBudget())
                    return;
                const int b = listB[i];
                const long long areaAB = areaA + nb * m_parts[b].area;
                if (b <= a || keep.AreaCut(areaAB + nc * m_minArea))
                    continue;
                const double *rb = Re(b), *ib = Im(b);
                bool reachable = true;
                for (int k = 0; k < m_count; ++k) {
                    xbRe[k] = na * re[k] + m_vRe[k] + nb * rb[k];
                    xbIm[k] = na * im[k] + m_vIm[k] + nb * ib[k];
                    xbMag[k] = Magnitude(xbRe[k], xbIm[k]);
                    if ((xbMag[k] + nc * m_yMax[k]) * (1.0 + kSlack) < m_needed[k]) {
                        reachable = false;
                        break;
                    }
                }
                if (!reachable)
                    continue;
                for (int k = 0; k < m_count; ++k)
                    needC[k] = (m_needed[k] - xbMag[k] * (1.0 + kSlack)) / nc;
                const int start = TightestPoint(needC, m_count);
                const int* listC = nullptr;
                size_t lengthC = 0;
                Prefix(needC.data(), listC, lengthC);
                for (size_t j = 0; j < lengthC; ++j) {
                    const int c = listC[j];
                    if (c <= b || keep.AreaCut(areaAB + nc * m_parts[c].area))
                        continue;
                    const double* mc = Mag(c);
                    int k = 0;
                    while (k < m_count && (xbMag[k] + nc * mc[k]) * (1.0 + kSlack) >= m_needed[k])
                        ++k;
                    if (k < m_count)
                        continue;
                    const int idx[3] = {a, b, c};
                    const int n[3] = {na, nb, nc};
                    Bank bank;
                    if (MeetsMask(idx, n, 3, start, bank))
                        keep.Offer(bank);
                }
            }
        }
    }
}

bool CBankSearch::SearchLevel(int parts, int types, size_t need, std::vector<Bank>& out) {
    const int candidates = static_cast<int>(m_parts.size());
    const int threads = Threads(m_parts.size());
    std::atomic<int> next{0};
    std::vector<Keeper> keepers(static_cast<size_t>(threads), Keeper{need, {}});
    auto work = [&](Keeper& keep) {
        for (;;) {
            const int a = next.fetch_add(1);
            if (a >= candidates || OverBudget())
                return;
            if (types == 1)
                Level1(a, parts, keep);
            else if (types == 2)
                Level2(a, parts, keep);
            else
                Level3(a, parts, keep);
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work, std::ref(keepers[static_cast<size_t>(t)]));
    work(keepers[0]);
    for (std::thread& thread : pool)
        thread.join();
    if (m_stop.load())
        return false;
    // The best `need` of the level are among the best `need` of every thread.
    out.clear();
    for (const Keeper& keep : keepers)
        out.insert(out.end(), keep.banks.begin(), keep.banks.end());
    std::sort(out.begin(), out.end(), BankBefore);
    if (need != 0 && out.size() > need)
        out.resize(need);
    return true;
}

} // namespace

BankProblem CheckBankQuery(const BankQuery& q) {
    if (q.mask.empty())
        return BankProblem::kMaskEmpty;
    for (size_t i = 0; i < q.mask.size(); ++i) {
        const MaskPoint& p = q.mask[i];
        if (!(p.frequency > 0.0) || !std::isfinite(p.frequency) || !(p.impedance > 0.0) ||
            !std::isfinite(p.impedance))
            return BankProblem::kMaskValueNotPositive;
        if (i > 0 && !(p.frequency > q.mask[i - 1].frequency))
            return BankProblem::kMaskNotIncreasing;
    }
    int first = 0, last = 0;
    const bool band = BandOnGrid(q.fromFrequency, q.toFrequency, first, last);
    if (q.fromFrequency > q.toFrequency && !band)
        return BankProblem::kBandReversed;
    if (!band)
        return BankProblem::kBandEmpty;
    if (q.maxTypes < 1 || q.maxTypes > kMaxBankTypes)
        return BankProblem::kTypesOutOfRange;
    if (q.maxParts < 1 || q.maxParts > kMaxBankParts)
        return BankProblem::kPartsOutOfRange;
    auto usable = [](double v) { return v >= 0.0 && std::isfinite(v); };
    if (!usable(q.mountInductance) || !usable(q.mountResistance))
        return BankProblem::kMountingNotValid;
    for (const auto& entry : q.caseMountInductance) {
        if (!usable(entry.second))
            return BankProblem::kMountingNotValid;
    }
    if (q.converter && (!usable(q.converterResistance) || !usable(q.converterInductance) ||
                        (q.converterResistance == 0.0 && q.converterInductance == 0.0)))
        return BankProblem::kConverterNotValid;
    return BankProblem::kBankOk;
}

double MaskLimitAt(const std::vector<MaskPoint>& mask, double frequency) {
    if (frequency <= mask.front().frequency)
        return mask.front().impedance;
    if (frequency >= mask.back().frequency)
        return mask.back().impedance;
    size_t j = 1;
    while (mask[j].frequency < frequency)
        ++j;
    // A straight line on log-log axes between the corners j-1 and j.
    const MaskPoint& p = mask[j - 1];
    const MaskPoint& q = mask[j];
    const double u = std::log(frequency / p.frequency) / std::log(q.frequency / p.frequency);
    return p.impedance * std::pow(q.impedance / p.impedance, u);
}

double MountInductanceOf(const BankQuery& query, char caseCode) {
    const char code = static_cast<char>(std::toupper(static_cast<unsigned char>(caseCode)));
    for (const auto& entry : query.caseMountInductance) {
        if (std::toupper(static_cast<unsigned char>(entry.first)) == code)
            return entry.second;
    }
    return query.mountInductance;
}

bool BankBefore(const Bank& a, const Bank& b) {
    if (a.partCount != b.partCount)
        return a.partCount < b.partCount;
    if (a.typeCount != b.typeCount)
        return a.typeCount < b.typeCount;
    if (a.area != b.area)
        return a.area < b.area;
    if (a.worstMargin != b.worstMargin)
        return a.worstMargin > b.worstMargin;
    for (int i = 0; i < a.typeCount; ++i) {
        const int order = std::strcmp(a.parts[i].record->partNumber, b.parts[i].record->partNumber);
        if (order != 0)
            return order < 0;
        if (a.parts[i].count != b.parts[i].count)
            return a.parts[i].count < b.parts[i].count;
    }
    return false;
}

bool PartUsableInBank(const CapacitorRecord& record, double temperature) {
    if (MaxTemperature(&record) < temperature)
        return false;
    // The program shows a wet tantalum part at 25 °C only; it has no curves elsewhere.
    if (SeriesIsExactly(record.series, "QCN") && std::fabs(temperature - 25.0) >= 1e-8)
        return false;
    return FindCaseFootprint(record.caseCode) != nullptr;
}

BankSearchResult FindBanks(const std::vector<const CapacitorRecord*>& records,
                           const BankQuery& query) {
    BankSearchResult result;
    int first = 0, last = 0;
    BandOnGrid(query.fromFrequency, query.toFrequency, first, last);
    std::vector<Candidate> candidates;
    for (const CapacitorRecord* record : records) {
        if (record != nullptr && PartUsableInBank(*record, query.temperature))
            candidates.push_back(Candidate{record, AreaUnits(record->caseCode)});
        else
            ++result.leftOutCount;
    }
    CBankSearch search(query, std::move(candidates), first, last);
    search.StartClock();
    result.leftOutCount += search.Prepare();
    result.candidateCount = search.CandidateCount();
    if (result.candidateCount == 0)
        return result;
    std::vector<Bank> level;
    for (int parts = 1; parts <= query.maxParts; ++parts) {
        for (int types = 1; types <= std::min(query.maxTypes, parts); ++types) {
            result.reachedParts = parts;
            result.reachedTypes = types;
            if (types > static_cast<int>(result.candidateCount))
                break;
            const size_t need = query.limit == 0 ? 0 : query.limit - result.banks.size();
            if (!search.SearchLevel(parts, types, need, level)) {
                result.complete = false;
                return result;
            }
            result.banks.insert(result.banks.end(), level.begin(), level.end());
            if (query.limit != 0 && result.banks.size() >= query.limit)
                return result;
        }
    }
    return result;
}

double BankImpedanceAt(const Bank& bank, const BankQuery& query, double frequency) {
    Complex y[kMaxBankTypes];
    int n[kMaxBankTypes];
    for (int i = 0; i < bank.typeCount; ++i) {
        const CapacitorRecord& r = *bank.parts[i].record;
        ModelVector scaled;
        BuildModelVector(r, scaled);
        ScaleModelToTemperature(r, scaled, query.temperature);
        y[i] = MountedAdmittance(r, scaled, query.mountResistance,
                                 MountInductanceOf(query, r.caseCode), frequency);
        n[i] = bank.parts[i].count;
    }
    return ImpedanceOfBank(y, n, bank.typeCount, ConverterAdmittance(query, frequency));
}

std::vector<double> BankBandFrequencies(const BankQuery& query) {
    int first = 0, last = 0;
    if (!BandOnGrid(query.fromFrequency, query.toFrequency, first, last))
        return {};
    const Grid& grid = TheGrid();
    return std::vector<double>(grid.frequency + first, grid.frequency + last + 1);
}
