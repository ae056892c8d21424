#pragma once
// The lot the speed programs draw: the largest number of points, Gaussian with
// a fixed seed, sorted and all enabled, as a data file would have loaded them.

#include "core/model/DataSet.h"

#include <algorithm>
#include <random>

namespace qv::bench {

inline void fillGaussianLot(DataSet& set, double mean = 25.4, double sigma = 0.12,
                            unsigned seed = 7)
{
    std::mt19937_64 rng(seed);
    std::normal_distribution<double> gauss(mean, sigma);
    set.values.clear();
    for (int i = 0; i < MaxPoints; ++i) {
        set.values.push_back(gauss(rng));
    }
    std::sort(set.values.begin(), set.values.end());
    set.sigmas.assign(set.values.size(), 0.0);
    set.states.assign(set.values.size(), 1);
    set.pointCount = set.enabledCount = MaxPoints;
}

} // namespace qv::bench
