#pragma once
// The two data sets (1 the main data, 2 the overlay) and the point states.

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

inline constexpr int MaxPoints = 100000;
inline constexpr int MaxFields = 20;

// Two-bit code per point: bit 0 enabled, bit 1 hilited.
enum class PointState : std::int16_t {
    Disabled = 0,
    Enabled = 1,
    DisabledHilited = 2,
    EnabledHilited = 3,
};

inline bool isEnabledState(std::int16_t code) { return code == 1 || code == 3; }

// A line of the file that held something but did not become a point.
struct SkippedLine
{
    int line = 0;       // 1-based line number in the file (or the pasted lines)
    std::string reason; // "foreign line", "missing value" or "after the end of the data"
};

// The lines a load did not read: how many, and the first MaxListedSkippedLines of them.
inline constexpr std::size_t MaxListedSkippedLines = 10;
struct SkippedLines
{
    int count = 0;
    std::vector<SkippedLine> first;
};

// One data set. Points are kept 0-based here (point n of the user's numbering is
// index n - 1); the lists always hold exactly pointCount entries, and after every
// load the values are in ascending order.
struct DataSet
{
    std::vector<double> values;
    std::vector<double> sigmas;       // filled only when read with an uncertainty column
    std::vector<std::int16_t> states; // PointState codes
    // The 1-based line of the file (the pasted lines, the project file) each
    // point was read from; empty for points of unknown origin.
    std::vector<int> sourceLines;
    int pointCount = 0;
    int enabledCount = 0;
    int columnCount = 0; // fields per data line the reader expects
    int valueColumn = 1; // 1-based field holding the value
    int sigmaColumn = 0; // 1-based field holding the uncertainty
    bool hasSigmas = false; // read with an uncertainty column
    SkippedLines skippedLines; // lines of the load that did not become points
    // The enable and hilite editors build their grids once per load.
    bool editGridBuilt = false;
    bool hiliteGridBuilt = false;
};

} // namespace qv
