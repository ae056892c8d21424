#include "core/plot/ValueAxis.h"

#include "core/Errors.h"
#include "core/format/FormatMask.h"
#include "core/format/NumberText.h"
#include "core/stats/Distributions.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {
double nearest(double x) { return std::nearbyint(x); } // ties to the even integer
} // namespace

double niceStep(double raw)
{
    const double e = std::floor(qv::log10(raw));
    const double power = std::pow(10.0, e);
    double m = raw / power;
    if (m >= 1 && m <= 1.5) {
        m = 1;
    } else if (m >= 1.5 && m <= 3) {
        m = 3;
    } else if (m >= 3 && m <= 7) {
        m = 5;
    } else if (m >= 7 && m <= 10) {
        m = 10;
    }
    return checkedFinite(power * m);
}

bool autoScale(const AutoScaleInputs& in, ValueRange& out)
{
    double ymin = in.minPlot;
    double ymax = in.maxPlot;
    if (in.logAxis) {
        if (in.limitLines && in.upperLimit > 0 && qv::log10(in.upperLimit) > ymax) {
            ymax = qv::log10(in.upperLimit);
        }
    } else if (in.limitLines && in.upperLimit > ymax) {
        ymax = in.upperLimit;
    }
    // A lower limit of 0 or less has no logarithm: the limit line refuses it.
    if (in.lowerLimited && !(in.logAxis && in.lowerLimit <= 0)) {
        ymin = std::min(ymin, in.logAxis ? qv::log10(in.lowerLimit) : in.lowerLimit);
    }
    if (in.testStatistic && in.ts > ymax) {
        ymax = in.ts;
    }
    const double reach = in.n > 800 ? 4.0 : in.xmax;
    const double top = in.mean + reach * in.sigma;
    const double bottom = in.mean - reach * in.sigma;
    if (top > ymax) {
        ymax = top;
    }
    if (bottom < ymin) {
        ymin = bottom;
    }
    const double raw = in.logAxis ? ymax - ymin + 1 : (ymax - ymin) / 5;
    if (!(raw > 0)) {
        return false;
    }
    const double tick = niceStep(checkedFinite(raw));
    out.ytick = tick;
    out.ymin = checkedFinite(tick * (nearest(ymin / tick) - 1));
    out.ymax = checkedFinite(tick * (nearest(ymax / tick) + 1));
    return true;
}

bool manualScale(bool logAxis, double typedMin, double typedMax, double typedTick, ValueRange& out)
{
    if (!(typedTick > 0)) {
        return false;
    }
    if (logAxis) {
        out.ymin = qv::log10(typedMin);
        out.ymax = qv::log10(typedMax);
        out.ytick = qv::log10(typedTick);
    } else {
        out.ymin = typedMin;
        out.ymax = typedMax;
        out.ytick = typedTick;
    }
    return true;
}

std::string valueLabelMask(const ValueRange& range, bool autoPlaces, double typedPlaces,
                           bool exponentForm, double meanOfMainSet)
{
    double places = autoPlaces ? nearest(1 - qv::log10(range.ytick)) : nearest(typedPlaces);
    // A tiny mean widens the places by the power of ten of the bottom; a
    // bottom of 0 has none, and the places stay as the tick gives them.
    if (!exponentForm && std::fabs(meanOfMainSet) < 0.0001 && range.ymin != 0) {
        places = nearest(places - std::floor(qv::log10(std::fabs(range.ymin))));
    }
    // Beyond 15 places no double shows more digits; the cap keeps the mask sane.
    // No places at all (whatever the count below one) is the whole-number mask.
    if (places > 15) {
        places = 15;
    } else if (!(places >= 0)) {
        places = 0;
    }
    return valueAxisMask(static_cast<int>(places), exponentForm);
}

std::vector<double> valueTickValues(const ValueRange& range, bool logAxis)
{
    const double span = range.ymax - range.ymin;
    if (range.ytick > 0 && span / range.ytick > MaxValueTicks) {
        raise(ErrorCode::Overflow);
    }
    std::vector<double> values{range.ymin};
    double v = logAxis ? nearest(range.ymin + 0.5) : range.ymin + range.ytick;
    // A step that lands on the top but for rounding noise is the top itself,
    // which is labelled last: the top label is never printed twice.
    const double top = range.ymax - 1e-9 * std::fabs(range.ytick);
    // Rounding noise near 0 is 0: below a millionth, or below a millionth of a
    // step finer than that, so that a tick of a tiny scale is never taken for noise.
    const double step = std::fabs(range.ytick);
    const double noise = step >= 1e-6 ? 1e-6 : step * 1e-6;
    while (v < top) {
        if (values.size() > static_cast<std::size_t>(MaxValueTicks)) {
            raise(ErrorCode::Overflow);
        }
        values.push_back(v);
        v += range.ytick;
        if (std::fabs(v) < noise) {
            v = 0;
        }
    }
    values.push_back(range.ymax);
    return values;
}

std::string scaleText(double plotValue, bool logAxis)
{
    return plainText(logAxis ? std::pow(10.0, plotValue) : plotValue);
}

} // namespace qv
