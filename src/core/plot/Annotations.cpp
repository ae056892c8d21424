#include "core/plot/Annotations.h"

#include "core/format/FormatMask.h"
#include "core/format/NumberText.h"
#include "core/format/RoundSignificant.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr int MaxBoxDigits = 15;

bool hasDigit(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The digits Ts is shown with: the box's, or more while it would read as the
// labelled upper limit it differs from, so that the box cannot contradict the verdict.
int tsDigits(double ts, const StatsBoxOptions& options, int digits)
{
    if (!options.upperLimit || ts == *options.upperLimit) {
        return digits;
    }
    const std::string limit = plainText(*options.upperLimit);
    while (digits < MaxSeparatingDigits && plainText(roundSignificant(ts, digits)) == limit) {
        ++digits;
    }
    return digits;
}

} // namespace

int statsBoxDigits(const StatsBoxOptions& options, double shownMean, double ymin)
{
    double digits = 3;
    if (!options.autoDigits) {
        digits = std::isfinite(options.typedDigits) ? std::nearbyint(options.typedDigits) : 0.0;
    }
    if (options.standardFormat && std::fabs(shownMean) < 0.0001 && ymin != 0.0) {
        digits -= std::floor(qv::log10(std::fabs(ymin)));
    }
    // A typed "400" would overflow the rounding's power of ten.
    return static_cast<int>(std::clamp(digits, 0.0, static_cast<double>(MaxBoxDigits)));
}

std::string statsBoxCaption(const SetStatistics& stats, const StatsBoxOptions& options, double ymin)
{
    const int digits = statsBoxDigits(options, stats.shownMean, ymin);
    std::string box;
    if (options.count) {
        box += " No. Pts. = " + signedText(stats.n) + "  ";
    }
    const auto line = [&box](const char* name, double value, int shownDigits) {
        box += "\r ";
        box += name;
        box += signedText(roundSignificant(value, shownDigits)) + "  ";
    };
    if (options.min) {
        line(" Min = ", stats.shownMin, digits);
    }
    if (options.mean) {
        line(" Mean = ", stats.shownMean, digits);
    }
    if (options.max) {
        line(" Max = ", stats.shownMax, digits);
    }
    if (options.sigma) {
        line(" Sigma = ", stats.shownSigma, digits);
    }
    if (options.ts) {
        line(" Ts = ", stats.shownTs, tsDigits(stats.shownTs, options, digits));
    }
    if (options.title.empty()) {
        return box;
    }
    return (options.overlay ? "  " : "   ") + options.title + "\r " + box;
}

std::string tsValueLabel(double shownTs)
{
    std::string value = format(shownTs, "##.##");
    if (!hasDigit(value)) {
        // "##.##" shows a Ts below 0.005 as a bare point.
        value = plainText(roundSignificant(shownTs, 3));
    }
    return " Ts = " + value;
}

double fractionBeyond(double k)
{
    return 1.0 - normalCdf(k);
}

std::string percentText(double k)
{
    const double f = fractionBeyond(k);
    std::string text = format(f, percentMask(f));
    // An optional place left empty leaves no point behind: "5%", not "5.%".
    if (const auto dot = text.find(".%"); dot != std::string::npos) {
        text.erase(dot, 1);
    }
    return text;
}

std::string percentLabel(double k)
{
    return "<- " + percentText(k) + " ->";
}

double limitValue(LimitLine line, double upperLimit)
{
    switch (line) {
    case LimitLine::Ninety:
        return 0.9 * upperLimit;
    case LimitLine::Fifty:
        return 0.5 * upperLimit;
    default:
        return upperLimit;
    }
}

std::string limitLabel(LimitLine line, double upperLimit)
{
    const char* name = " Upper Limit =";
    if (line == LimitLine::Ninety) {
        name = " 90% of Upper Limit =";
    } else if (line == LimitLine::Fifty) {
        name = " 50% of Upper Limit =";
    } else if (line == LimitLine::Lower) {
        name = " Lower Limit =";
    }
    return std::string(name) + " " + plainText(limitValue(line, upperLimit));
}

} // namespace qv
