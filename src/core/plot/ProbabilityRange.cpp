#include "core/plot/ProbabilityRange.h"

#include "core/Errors.h"

#include <cstddef>

namespace qv {

std::array<double, ProbabilityTickCount> probabilityTickPositions(ProbabilityScale scale,
                                                                  int enabledCount)
{
    if (scale == ProbabilityScale::Gaussian) {
        return {-4.27, -3.72, -3.09, -2.33, -1.28, 0.0, 1.28, 2.33, 3.09, 3.72, 4.27};
    }
    const int dof = enabledCount - 2;
    std::array<double, ProbabilityTickCount> positions{};
    const double lowTail[] = {0.0001, 0.001, 0.01, 0.1};
    for (std::size_t i = 0; i < 4; ++i) {
        positions[i + 1] = studentTQuantile(lowTail[i], dof);
        positions[9 - i] = -positions[i + 1];
    }
    return positions;
}

int probabilityNines(int enabledCount, int xRangeNines)
{
    if (xRangeNines >= 2 && xRangeNines <= 5) {
        return xRangeNines - 1;
    }
    if (enabledCount < 9) {
        return 0;
    }
    if (enabledCount < 30) {
        return 1;
    }
    if (enabledCount < 800) {
        return 2;
    }
    if (enabledCount < 9000) {
        return 3;
    }
    return 4;
}

ProbabilityRange probabilityRange(ProbabilityScale scale, int enabledCount, int xRangeNines)
{
    const auto positions = probabilityTickPositions(scale, enabledCount);
    ProbabilityRange range;
    range.nines = probabilityNines(enabledCount, xRangeNines);
    range.xmin = positions[static_cast<std::size_t>(4 - range.nines)];
    range.xmax = -range.xmin;
    if (range.xmin == 0.0) {
        raise(ErrorCode::InvalidArgument);
    }
    return range;
}

} // namespace qv
