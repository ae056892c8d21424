#include "core/model/NumberFields.h"

#include "core/NumberReader.h"

#include <algorithm>
#include <array>
#include <utility>

namespace qv {

namespace {

using enum Ctl;

constexpr std::array<std::pair<Ctl, const char*>, 11> NumberFieldCaptions{{
    {PlotOpts_ULimit, "Upper Limit"},
    {PlotOpts_LLimit, "Lower Limit"},
    {PlotOpts_BkgValue, "Background Value"},
    {AxesOpts_YscaleMin, "Y-scale Minimum"},
    {AxesOpts_YscaleMax, "Y-scale Maximum"},
    {AxesOpts_TickInterval, "Tick Interval"},
    {AxesOpts_Yplaces, "Decimal Places"},
    {StatsForm_Digits, "Significant Digits"},
    {FileChar_Ncol, "No. of Data Columns"},
    {FileChar_ColN, "Column Number to Analyze"},
    {FileChar_ErrorColumn, "Uncertainty Column Number"},
}};

const char* captionOf(Ctl id)
{
    const auto* found = std::find_if(NumberFieldCaptions.begin(), NumberFieldCaptions.end(),
                                     [id](const auto& entry) { return entry.first == id; });
    return found == NumberFieldCaptions.end() ? nullptr : found->second;
}

} // namespace

bool holdsNumber(Ctl id)
{
    return captionOf(id) != nullptr;
}

std::string numberFieldCaption(Ctl id)
{
    const char* caption = captionOf(id);
    return caption ? caption : controlInfo(id).name;
}

std::optional<std::string> typedNumberText(std::string_view text)
{
    if (!readTypedNumber(text)) {
        return std::nullopt;
    }
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    std::string canonical(text.substr(first, last - first + 1));
    std::replace(canonical.begin(), canonical.end(), ',', '.');
    return canonical;
}

} // namespace qv
