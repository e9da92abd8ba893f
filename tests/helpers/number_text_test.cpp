#include "helpers/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using helpers::numberText;
using helpers::val;

struct ValCase {
    std::string text;
    double expected;
};

TEST(Val, ReadsTheNumberAtTheStart) {
    const std::vector<ValCase> cases = {
        {" 12abc", 12},      {"1 2", 12},          {"1 2 3", 123},     {"\t\n 7", 7},
        {"- 5", -5},         {"1 . 5", 1.5},       {"-3.5e1", -35},    {"1e2", 100},
        {"1D2", 100},        {"1 e - 2", 0.01},    {"1e", 1},          {"1e+", 1},
        {".5", 0.5},         {"-.5", -0.5},        {"+7", 7},          {"00012", 12},
        {"0.000123", 0.000123}, {"1.2.3", 1.2},    {"1,5", 1},         {"12\r", 12},
        {"0.1", 0.1},        {"123456789012345678901234567890", 1.2345678901234568e29},
        {".", 0},            {"+", 0},             {"-", 0},           {"--1", 0},
        {"", 0},             {"abc", 0},           {"e5", 0},          {"\r1", 0},
        {"&H1F", 31},        {"&h1f", 31},         {"& H 1 F", 31},    {"&O17", 15},
        {"&o17", 15},        {"&17", 15},          {"&H", 0},          {"&8", 0},
        {"&O8", 0},          {"&HFFFF", 65535},    {"&HFFFFFFFF", 4294967295.0},
        {"&H123456789AB", 4294967295.0},           {"-&H10", 0},       {"&H1G", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text: \"" + c.text + "\"");
        EXPECT_DOUBLE_EQ(val(c.text), c.expected);
    }
}

// Callers clamp what they read, so val must hand them a finite number whatever
// it is given, and must not take long over it.
TEST(Val, StaysFiniteAndFastOnHostileText) {
    const std::string mb(1 << 20, '9');
    std::string binary;
    for (int i = 0; i < (1 << 20); ++i) binary += static_cast<char>(i * 37 % 256);
    const std::vector<ValCase> cases = {
        {"1e400", DBL_MAX},
        {"-1e999999999999999999999", -DBL_MAX},
        {"1e-400", 0},
        {"1e-99999999999999999999999", 0},
        {mb, DBL_MAX},
        {"0." + std::string(1 << 20, '0') + "1", 0},
        {"0." + std::string(1 << 20, '0') + "1e" + std::to_string((1 << 20) + 1), 1},
        {std::string(1000, '1') + "e-999", 1.1111111111111112},
        {std::string(1 << 20, ' ') + "3", 3},
        {"&H" + std::string(1 << 20, 'F'), 4294967295.0},
        {mb + "e-" + std::to_string((1 << 20) - 1), 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text of " + std::to_string(c.text.size()) + " bytes");
        EXPECT_DOUBLE_EQ(val(c.text), c.expected);
    }
    EXPECT_TRUE(std::isfinite(val(binary)));
    EXPECT_TRUE(std::isfinite(val(std::string("1\0" "5", 3))));
}

TEST(NumberText, WritesTheShortestPlainText) {
    const std::vector<std::pair<double, std::string>> cases = {
        {9, "9"},
        {10, "10"},
        {2.5, "2.5"},
        {-1, "-1"},
        {0, "0"},
        {-0.0, "0"},
        {0.5, "0.5"},
        {61, "61"},
        {1000000, "1000000"},
        {0.1 + 0.2, "0.3"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {-2.5e20, "-2.5E+20"},
        {0.00001, "0.00001"},
        {1.5e-7, "1.5E-7"},
        {std::nan(""), "0"},
    };
    for (const auto& [v, text] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(numberText(v), text);
    }
}

TEST(NumberText, ReadsBackWithVal) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {1.0 / 3, -2.0 / 3, 1e-300, 4.9e-324, 1e300, DBL_MAX, -DBL_MAX, 59.999999999999,
                     inf, -inf}) {
        SCOPED_TRACE(numberText(v));
        const double back = val(numberText(v));
        const double want = std::isinf(v) ? std::copysign(DBL_MAX, v) : v;
        EXPECT_NEAR(back, want, std::fabs(want) * 1e-14);
    }
}

} // namespace
