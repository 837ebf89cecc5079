#include "number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace tarquel {

void PrintTo(ParseStatus status, std::ostream* out) {
    *out << (status == ParseStatus::Ok ? "Ok" : status == ParseStatus::NotANumber ? "NotANumber" : "OutOfRange");
}

namespace {

TEST(FormatNumber, WritesFifteenSignificantDigitsInGeneralForm) {
    struct Case { double value; const char* text; };
    const Case cases[] = {
        {80, "80"},
        {151.93873830071718, "151.938738300717"},
        {0.06999999999999999, "0.07"},
        {0.1 + 0.2, "0.3"},
        {-2.5, "-2.5"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {1.5e-5, "1.5E-05"},
        {999999999999999, "999999999999999"},
        {1e15, "1E+15"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {0.0, "0"},
        {-0.0, "0"},
        {4.9406564584124654e-324, "4.94065645841247E-324"},
        {DBL_MAX, "1.79769313486232E+308"},
        {-DBL_MAX, "-1.79769313486232E+308"},
        {2.2250738585072014e-308, "2.2250738585072E-308"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatNumber(c.value), c.text) << c.text;
}

TEST(ParseNumber, ReadsPlainAndFullWidthNumerals) {
    struct Case { const char* text; double value; };
    const Case cases[] = {
        {"0.8", 0.8},
        {"380", 380},
        {"  0.75\t", 0.75},
        {"+1", 1},
        {"-0.5", -0.5},
        {".5", 0.5},
        {"5.", 5},
        {"1.5E-05", 1.5e-5},
        {"1e+15", 1e15},
        {"2E3", 2000},
        {"007", 7},
        {"\u3000" "100" "\u3000", 100},         // ideographic spaces around
        {"\uFF10\uFF0E\uFF18", 0.8},              // ０．８
        {"\uFF13\uFF18\uFF10", 380},              // ３８０
        {"0\u30028", 0.8},                        // 0。8 as an input method types it
        {"\uFF0D\uFF12", -2},                     // －２
        {"\uFF0B\uFF12", 2},                      // ＋２
        {"\u22123", -3},                          // −3 with the minus sign
        {"1\uFF25\uFF12", 100},                   // 1Ｅ２
        {"1\uFF45-2", 0.01},                      // 1ｅ-2
        {"1\uFF15", 15},                          // digits of both widths
        {"0.1", 0.1},
        {"1.7976931348623157e308", DBL_MAX},
        {"1.79769313486232E+308", DBL_MAX},       // FormatNumber's text for the largest doubles
        {"-1.79769313486232E+308", -DBL_MAX},
        {"4.94065645841247E-324", 4.9406564584124654e-324},
        {"2.4703282292062328e-324", 4.9406564584124654e-324},  // just above half: rounds up
        {"2.4703282292062327e-324", 0},           // just below half: underflows to zero
        {"1e-400", 0},
        {"0e999999999999", 0},
        {"0.000000000000000000000000000000000000000000000000001", 1e-51},
    };
    for (const Case& c : cases) {
        const ParsedNumber parsed = ParseNumber(c.text);
        EXPECT_EQ(parsed.status, ParseStatus::Ok) << c.text;
        EXPECT_EQ(parsed.value, c.value) << c.text;
    }
}

TEST(ParseNumber, KeepsTheSignOfAnUnderflowedZero) {
    const ParsedNumber parsed = ParseNumber("-1e-400");
    ASSERT_EQ(parsed.status, ParseStatus::Ok);
    EXPECT_EQ(parsed.value, 0);
    EXPECT_TRUE(std::signbit(parsed.value));
}

TEST(ParseNumber, RefusesAnythingButOneNumeral) {
    struct Case { std::string text; ParseStatus status; };
    const Case cases[] = {
        {"", ParseStatus::NotANumber},
        {" ", ParseStatus::NotANumber},
        {"\u3000", ParseStatus::NotANumber},
        {"x", ParseStatus::NotANumber},
        {"1,5", ParseStatus::NotANumber},
        {"0,8", ParseStatus::NotANumber},
        {"1 000", ParseStatus::NotANumber},
        {"0x10", ParseStatus::NotANumber},
        {"inf", ParseStatus::NotANumber},
        {"-inf", ParseStatus::NotANumber},
        {"nan", ParseStatus::NotANumber},
        {"infinity", ParseStatus::NotANumber},
        {".", ParseStatus::NotANumber},
        {"-", ParseStatus::NotANumber},
        {"+-1", ParseStatus::NotANumber},
        {"--1", ParseStatus::NotANumber},
        {"1e", ParseStatus::NotANumber},
        {"1e+", ParseStatus::NotANumber},
        {"e5", ParseStatus::NotANumber},
        {"1.2.3", ParseStatus::NotANumber},
        {"1..2", ParseStatus::NotANumber},
        {"12kW", ParseStatus::NotANumber},
        {"1 2", ParseStatus::NotANumber},
        {"- 1", ParseStatus::NotANumber},
        {std::string("1\0", 2), ParseStatus::NotANumber},
        {"\xEF\xBC", ParseStatus::NotANumber},     // a character cut short
        {"1\xEF\xBC", ParseStatus::NotANumber},
        {"\xFF\xFE", ParseStatus::NotANumber},
        {"\uFF11\uFF0C\uFF15", ParseStatus::NotANumber},  // １，５
        {"1e999", ParseStatus::OutOfRange},
        {"-2E+308", ParseStatus::OutOfRange},
        {"1.79769313486233E+308", ParseStatus::OutOfRange},
        {"1.7976931348623200001E+308", ParseStatus::OutOfRange},
        {"1e99999999999999999999999", ParseStatus::OutOfRange},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseNumber(c.text).status, c.status) << c.text;
}

// Doubles from every exponent range, both signs, subnormals included: random
// bit patterns, plus values with few significant digits as people type them.
std::vector<double> SampleDoubles() {
    std::mt19937_64 random(20261211);
    std::vector<double> values;
    while (values.size() < 200000) {
        const std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) values.push_back(value);
    }
    std::uniform_int_distribution<int> digits(0, 99999), exponent(-330, 310);
    for (int i = 0; i < 50000; ++i) {
        const double value = digits(random) * std::pow(10.0, exponent(random));
        if (std::isfinite(value)) values.push_back(value);
    }
    for (std::uint64_t small = 1; small < 5000; ++small) {  // the smallest subnormals
        double value;
        std::memcpy(&value, &small, sizeof value);
        values.push_back(value);
    }
    return values;
}

TEST(FormatNumber, AgreesWithTheCLibrarysPercentG) {
#ifndef __GLIBC__
    GTEST_SKIP() << "glibc's printf is the reference; other C libraries round differently";
#else
    for (const double value : SampleDoubles()) {
        char expected[40];
        std::snprintf(expected, sizeof expected, "%.15G", value == 0 ? 0.0 : value);
        ASSERT_EQ(FormatNumber(value), expected) << "bits of " << expected;
    }
#endif
}

TEST(ParseNumber, ReadsBackEveryTextFormatNumberWrites) {
    for (const double value : SampleDoubles()) {
        const std::string text = FormatNumber(value).str();
        const ParsedNumber parsed = ParseNumber(text);
        ASSERT_EQ(parsed.status, ParseStatus::Ok) << text;
        ASSERT_EQ(FormatNumber(parsed.value), text);
        if (std::fabs(value) < 1e-310) {
            ASSERT_EQ(parsed.value, value) << text;  // such subnormals hold fewer than 15 digits
        }
    }
}

}  // namespace
}  // namespace tarquel
