#pragma once
// Lots of numbers, and their texts as data files and the clipboard hold them.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace qv::test {

// A line of the numbers 1..n separated by commas, without its end.
inline std::string numbersUpTo(int n)
{
    std::string line = "1";
    for (int i = 2; i <= n; ++i) {
        line += "," + std::to_string(i);
    }
    return line;
}

// A file of `count` numbers, one a line.
inline std::string numberLines(int count)
{
    std::ostringstream text;
    for (int i = 0; i < count; ++i) {
        text << (i % 977) << ".25\n";
    }
    return text.str();
}

// `n` values drawn uniformly from a width of `scale` centred on `offset` by a
// linear congruential generator seeded with `seed`: the same lot on every run.
inline std::vector<double> lot(std::size_t n, std::uint64_t seed, double scale, double offset)
{
    std::vector<double> values;
    std::uint64_t state = seed;
    for (std::size_t i = 0; i < n; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        values.push_back(offset + scale * (static_cast<double>(state >> 11) * 0x1p-53 - 0.5));
    }
    return values;
}

} // namespace qv::test
