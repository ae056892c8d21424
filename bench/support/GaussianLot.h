#pragma once
// The lot the speed programs draw: the largest number of points, Gaussian with
// a fixed seed, sorted and all enabled, as a data file would have loaded them.

#include "core/model/DataSet.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

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

// A data file of the largest number of Gaussian points, one a line, each
// written with the printf format `line` ("%.5f\r\n"), in the temporary folder
// under `name`. Written again at every call.
inline std::string gaussianLotFile(const char* name, const char* line)
{
    const auto file = std::filesystem::temp_directory_path() / name;
    std::ofstream out(file, std::ios::binary);
    std::mt19937_64 rng(42);
    std::normal_distribution<double> gauss(25.4, 0.12);
    char text[64];
    for (int i = 0; i < MaxPoints; ++i) {
        std::snprintf(text, sizeof text, line, gauss(rng));
        out << text;
    }
    return file.string();
}

} // namespace qv::bench
