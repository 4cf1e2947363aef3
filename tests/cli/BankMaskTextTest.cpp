#include "BankMaskText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

// The mask and per-case mounting texts of zeltacli bank: every text a user may write is
// read to its values, and the damaged ones are refused with their reason.

namespace {

// `value` as a user may write it: plain, in exponent form or with an engineering prefix.
std::string Written(double value, int style) {
    const struct {
        char letter;
        double factor;
    } prefixes[] = {{'p', 1e-12}, {'n', 1e-9}, {'u', 1e-6}, {'m', 1e-3}, {'k', 1e3}, {'M', 1e6}};
    char text[64];
    if (style == 0) {
        std::snprintf(text, sizeof text, "%.17g", value);
        return text;
    }
    if (style == 1) {
        std::snprintf(text, sizeof text, "%.6e", value);
        return text;
    }
    // The prefix that leaves 1 to 1000 in front of it, when there is one.
    for (const auto& p : prefixes) {
        const double scaled = value / p.factor;
        if (scaled >= 1.0 && scaled < 1000.0) {
            std::snprintf(text, sizeof text, "%.9g%c", scaled, p.letter);
            return text;
        }
    }
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

TEST(BankMaskText, EveryWellFormedMaskReadsToItsCorners) {
    std::mt19937 random(2022);
    std::uniform_real_distribution<double> decade(1.0, 9.0), ohms(-5.0, 2.0);
    for (int i = 0; i < 400; ++i) {
        const int corners = 1 + static_cast<int>(random() % 7);
        std::vector<double> f;
        double at = std::pow(10.0, decade(random));
        for (int k = 0; k < corners; ++k) {
            f.push_back(at);
            at *= 1.0 + std::pow(10.0, decade(random) - 6.0); // rising, some close together
        }
        std::string text;
        std::vector<double> z;
        for (int k = 0; k < corners; ++k) {
            z.push_back(std::pow(10.0, ohms(random)));
            text += (k == 0 ? "" : ",") + Written(f[k], 0) + ":" +
                    Written(z.back(), static_cast<int>(random() % 3));
        }
        std::vector<MaskPoint> mask;
        std::string complaint;
        ASSERT_TRUE(ReadMaskText(text, mask, complaint)) << text << ": " << complaint;
        ASSERT_EQ(mask.size(), static_cast<size_t>(corners)) << text;
        for (int k = 0; k < corners; ++k) {
            EXPECT_EQ(mask[k].frequency, f[k]) << text;
            EXPECT_NEAR(mask[k].impedance, z[k], 1e-6 * z[k]) << text;
        }
        BankQuery q;
        q.mask = mask;
        q.fromFrequency = 100;
        q.toFrequency = 1e8;
        EXPECT_EQ(CheckBankQuery(q), BankProblem::kBankOk) << text;
    }
}

TEST(BankMaskText, DamagedMasksAreRefusedWithTheirReason) {
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"", "corners HZ:OHM"},
        {"1k", "corners HZ:OHM"},
        {"1k:10m,", "corners HZ:OHM"},
        {"1k:10m:3", "corners HZ:OHM"},
        {"1k:10x", "corners HZ:OHM"},
        {"1k:10m;2M:30m", "corners HZ:OHM"},
        {"0:10m", "above 0"},
        {"1k:0", "above 0"},
        {"1k:-1m", "above 0"},
        {"-1k:1m", "above 0"},
        {"1k:10m,1k:20m", "rising frequency, not \"1k:20m\" after 1 kHz"},
        {"1M:10m,1k:20m", "rising frequency"},
        {"1k:10m,2k:10m,1.5k:10m", "rising frequency"},
        {"1e400:1", "corners HZ:OHM"},
    };
    for (const auto& c : cases) {
        std::vector<MaskPoint> mask;
        std::string complaint;
        EXPECT_FALSE(ReadMaskText(c.text, mask, complaint)) << c.text;
        EXPECT_NE(complaint.find(c.reason), std::string::npos) << c.text << ": " << complaint;
    }
}

TEST(BankMaskText, CaseInductances) {
    std::vector<std::pair<char, double>> cases;
    std::string complaint;
    ASSERT_TRUE(ReadCaseInductanceText("a=0.5n,D=0,6=1.2e-9", cases, complaint)) << complaint;
    ASSERT_EQ(cases.size(), 3u);
    EXPECT_EQ(cases[0].first, 'A');
    EXPECT_DOUBLE_EQ(cases[0].second, 0.5e-9);
    EXPECT_EQ(cases[1].second, 0.0);
    EXPECT_EQ(cases[2].first, '6');
    for (const char* bad : {"A", "A=", "A:1n", "AB=1n", "A=-1n", "A=1n,a=2n", "=1n", "A=1n,"})
        EXPECT_FALSE(ReadCaseInductanceText(bad, cases, complaint)) << bad;
}

} // namespace
