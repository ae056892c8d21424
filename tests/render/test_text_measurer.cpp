#include "render/QtTextMeasurer.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

const FontSpec Plain{"", 10, false};

TEST(QtTextMeasurer, GivesTheSameTwipsAtEveryResolution)
{
    const QtTextMeasurer screen(96);
    for (const double dpi : {72.0, 120.0, 300.0, 1200.0}) {
        SCOPED_TRACE(dpi);
        const QtTextMeasurer other(dpi);
        EXPECT_NEAR(other.textWidth("Cumulative Probability (%)", Plain),
                    screen.textWidth("Cumulative Probability (%)", Plain), 1e-6);
        EXPECT_NEAR(other.textHeight("U", Plain), screen.textHeight("U", Plain), 1e-6);
    }
}

TEST(QtTextMeasurer, SizesGrowInProportionToThePointSize)
{
    const QtTextMeasurer measurer;
    const FontSpec twice{"", 20, false};
    const double width = measurer.textWidth(" Sigma =  1.58  ", Plain);
    EXPECT_NEAR(measurer.textWidth(" Sigma =  1.58  ", twice), 2 * width, width * 1e-3);
    EXPECT_NEAR(measurer.textHeight("U", twice), 2 * measurer.textHeight("U", Plain),
                measurer.textHeight("U", Plain) * 1e-3);
}

TEST(QtTextMeasurer, TenPointTextIsAboutTenPointsHigh)
{
    // A line is a little more than the em: 10 points are 200 twips.
    const double height = QtTextMeasurer().textHeight("U", Plain);
    EXPECT_GT(height, 200);
    EXPECT_LT(height, 300);
}

TEST(QtTextMeasurer, WidthOfACaptionIsItsWidestLine)
{
    const QtTextMeasurer measurer;
    EXPECT_DOUBLE_EQ(measurer.textWidth("Ts\r  Mean =  3  \rN", Plain),
                     measurer.textWidth("  Mean =  3  ", Plain));
}

TEST(QtTextMeasurer, HeightCountsTheCaptionsLines)
{
    const QtTextMeasurer measurer;
    const double line = measurer.textHeight("Mean", Plain);
    EXPECT_DOUBLE_EQ(measurer.textHeight("Mean\rMax\rMin", Plain), 3 * line);
    EXPECT_DOUBLE_EQ(measurer.textHeight("Mean\r\nMax", Plain), 2 * line);
    EXPECT_DOUBLE_EQ(measurer.textHeight("\r  Ts =  7.09  ", Plain), 2 * line);
}

} // namespace
} // namespace qv
