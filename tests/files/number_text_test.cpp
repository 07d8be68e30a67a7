#include "files/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>

namespace {

TEST(NumberText, LeadingNumber)
{
    struct Case { const char* text; double value; };
    const Case cases[] = {
        {"1.52", 1.52}, {"  2.5abc", 2.5}, {"-1.5", -1.5}, {"+3", 3}, {".5", 0.5}, {"1e3", 1000},
        {"1,5", 1}, {"abc", 0}, {"", 0}, {"-", 0}, {"inf", 0}, {"nan", 0}, {"1e999", DBL_MAX},
        {"-1e999", -DBL_MAX}, {"1e-999", 0}, {"0x10", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numtext::leadingNumber(c.text), c.value) << c.text;

    double v = 0;
    EXPECT_TRUE(numtext::parseNumber(" 1.5 ", v));
    EXPECT_EQ(v, 1.5);
    for (const char* bad : {"1.5x", "", "x", "inf", "1e999"})
        EXPECT_FALSE(numtext::parseNumber(bad, v)) << bad;
}

TEST(NumberText, TruncatesThousandthsTowardZero)
{
    struct Case { double value; int stored; };
    const Case cases[] = {
        {2.01, 2009}, {1.5, 1500}, {1.52, 1520}, {-2.01, -2009}, {123.4567, 123456}, {NAN, 0},
        {1e300, INT_MAX}, {-1e300, INT_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numtext::truncThousandths(c.value), c.stored) << c.value;
}

} // namespace
