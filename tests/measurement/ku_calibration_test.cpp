#include "measurement/analysis/ku_calibration.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(KuCalibration, KuFromKnownLength)
{
    struct Case { double nominal, length, ku; };
    const Case cases[] = {
        {500, 500, 1.5},
        {600, 450, 2.0},
        {400, 600, 1.0},   // the limits themselves are accepted
        {600, 300, 3.0},
    };
    for (const Case& c : cases) {
        KuCalibration r;
        ASSERT_TRUE(calibrateKu(c.nominal, c.length, r)) << c.nominal << " " << c.length;
        EXPECT_DOUBLE_EQ(r.ku, c.ku);
        EXPECT_DOUBLE_EQ(r.speed, 150 / c.ku);
    }
}

TEST(KuCalibration, RefusedWithAReasonAndNothingChanged)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case { double nominal, length; const char* mentions; };
    const Case cases[] = {
        {500, 0, "length"},
        {500, -10, "length"},
        {500, nan, "length"},
        {0, 500, "beyond the start"},
        {700, 300, "KU 3.500 is outside 1..3"},
        {300, 600, "KU 0.750 is outside 1..3"},
    };
    for (const Case& c : cases) {
        KuCalibration r{1.234, 5.678};
        const Status s = calibrateKu(c.nominal, c.length, r);
        EXPECT_FALSE(s) << c.nominal << " " << c.length;
        EXPECT_NE(s.reason().find(c.mentions), std::string::npos) << s.reason();
        EXPECT_EQ(r.ku, 1.234);
        EXPECT_EQ(r.speed, 5.678);
    }
}

} // namespace
