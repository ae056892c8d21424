#include "render/QtTextMeasurer.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

const FontSpec Plain{"", 10, false};

TEST(QtTextMeasurer, SizesACaptionByItsWidestLineAndItsNumberOfLines)
{
    const QtTextMeasurer measurer;
    const double line = measurer.textHeight("Mean", Plain);
    EXPECT_GT(line, 200) << "a line is a little more than 10 points of 20 twips";
    EXPECT_LT(line, 300);
    EXPECT_DOUBLE_EQ(measurer.textWidth("Ts\r  Mean =  3  \rN", Plain),
                     measurer.textWidth("  Mean =  3  ", Plain));
    EXPECT_DOUBLE_EQ(measurer.textHeight("Mean\rMax\rMin", Plain), 3 * line);
    EXPECT_DOUBLE_EQ(measurer.textHeight("Mean\r\nMax", Plain), 2 * line);
    EXPECT_DOUBLE_EQ(measurer.textHeight("\r  Ts =  7.09  ", Plain), 2 * line);
}

} // namespace
} // namespace qv
