#include "core/plot/PlotRoutine.h"

#include "core/Errors.h"
#include "core/format/DateText.h"
#include "core/format/FormatMask.h"
#include "core/model/Prompter.h"
#include "core/model/Session.h"
#include "core/plot/ProbabilityRange.h"
#include "core/plot/TextMeasurer.h"
#include "core/plot/ValueAxis.h"
#include "core/stats/StatsMessages.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <new>

namespace qv {

namespace {

using enum Ctl;

constexpr std::array<const char*, ProbabilityTickCount> GaussianTickLabels{
    "0.001", "0.01", "0.1", "1", "10", "50", "90", "99", "99.9", "99.99", "99.999"};
constexpr std::array<const char*, ProbabilityTickCount> StudentTickLabels{
    "", "0.01", "0.1", "1", "10", "50", "90", "99", "99.9", "99.99", ""};

constexpr std::array<double, 5> TitleSizeOffsets{-8, -4, -2, 0, 4};
constexpr std::array<double, 5> LabelSizes{8, 10, 12, 14, 16};
constexpr std::array<double, 9> PlotSizeFactors{0.6, 0.8, 0.9, 0.95, 1.0, 1.05, 1.1, 1.2, 1.4};

constexpr const char* UncertaintyBarLogText =
    "Uncertainty bars contain zero or negative values.  Please delete these data points before "
    "turning on log scale.";
constexpr const char* AxisIntervalText =
    "Axis Interval is a zero or negative value.  Please reload data and change to a positive value.";

std::chrono::year_month_day systemToday()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

double pickSize(const std::array<double, 5>& sizes, int index, double fallback)
{
    return index >= 0 && index < 5 ? sizes[static_cast<std::size_t>(index)] : fallback;
}

// The state of one drawing shared by its phases.
struct Frame
{
    TwipsRect plot;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    double xspan() const { return xmax - xmin; }
    double symbolUnit = 0;
    double aspect = 0;
    bool logAxis = false;

    double xToTwips(double x) const { return plot.left + (x - xmin) * plot.width / xspan(); }
    double yToTwips(double y) const { return plot.top + plot.height * (ymax - y) / (ymax - ymin); }
};

class Restart
{
};

} // namespace

PlotRoutine::PlotRoutine(Session& session, Prompter& prompter, const TextMeasurer& measurer)
    : today(systemToday), m_session(session), m_prompter(prompter), m_measurer(measurer)
{
}

void PlotRoutine::clear()
{
    m_scene.clear();
    m_scene.statsBox.visible = m_scene.overlayStats.visible = false;
    m_scene.plotText.visible = m_scene.overlayText.visible = false;
}

DrawOutcome PlotRoutine::refreshPlot()
{
    Settings& s = m_session.settings;
    const int size = s.group(frmPageSetup_optPlotSize);
    if (size >= 0 && size < static_cast<int>(PlotSizeFactors.size())) {
        m_plotSizeFactor = PlotSizeFactors[static_cast<std::size_t>(size)];
    }
    m_session.graphFontBold = s.check(frmPageSetup_chkBoldFont) == 1;
    m_session.titleFontBold = s.check(frmPageSetup_chkGraphTitleBold) == 1;
    m_layout.plotArea.height *= m_plotSizeFactor;
    m_layout.plotArea.width *= m_plotSizeFactor;
    fitWindowToPlotArea(m_layout);
    s.selectGroup(frmPageSetup_optPlotSize, 4);
    return drawPlot();
}

DrawOutcome PlotRoutine::drawPlot()
{
    DrawOutcome outcome = DrawOutcome::Drawn;
    // A restart with the linear axis draws again from the top; the interrupted
    // drawing does nothing more.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (drawOnce(outcome) == Pass::Done) {
            return outcome;
        }
    }
    return outcome;
}

PlotRoutine::Pass PlotRoutine::drawOnce(DrawOutcome& outcome)
{
    Session& session = m_session;
    Settings& s = session.settings;
    outcome = DrawOutcome::Drawn;
    try {
        // 1-4: commands, fonts, a clean chart, the busy pointer.
        session.menus.set({Menu::mnuPageSetup, Menu::mnuRefresh, Menu::mnuCopy, Menu::mnuPrint,
                           Menu::HiliteUnhilite, Menu::SaveAs, Menu::mnuSaveGraph},
                          true);
        session.graphFontName = s.text(frmPageSetup_cboFont);
        const std::string& face = session.graphFontName;
        clear();
        m_results = DrawingResults{};
        m_scene.windowWidth = m_layout.windowWidth;
        m_scene.windowHeight = m_layout.windowHeight;
        m_scene.plotArea = m_layout.plotArea;
        session.currentSet = 1;
        session.busy(true);

        // 5: sizes relative to the screen.
        const double sf = m_layout.screenFactor();
        const double titleOffset = pickSize(TitleSizeOffsets, s.group(frmPageSetup_optPlotTitleFontsize), -2);
        const double labelSize = pickSize(LabelSizes, s.group(frmPageSetup_optYAxisLabelFontsize), 12);
        const FontSpec footerFont{face, 6 * sf, session.graphFontBold};
        const FontSpec windowFont{face, 10 * sf, session.graphFontBold};
        const FontSpec labelFont{face, labelSize, s.check(frmPageSetup_chkYBold) == 1};

        // 6-7: the probability axis's ticks and range from the main set.
        const ProbabilityScale scale =
            s.selected(PlotOpts_Tdist) ? ProbabilityScale::StudentT : ProbabilityScale::Gaussian;
        const DataSet& main = session.set(1);
        const auto tickPositions = probabilityTickPositions(scale, main.enabledCount);
        const ProbabilityRange range = probabilityRange(scale, main.enabledCount, s.xRangeNines());
        const auto& tickLabels = scale == ProbabilityScale::Gaussian ? GaussianTickLabels : StudentTickLabels;

        Frame f;
        f.plot = m_layout.plotArea;
        f.xmin = range.xmin;
        f.xmax = range.xmax;
        f.logAxis = s.selected(PlotOpts_LogY);

        StatsInputs inputs;
        inputs.scale = scale;
        inputs.axis = f.logAxis ? ValueScale::Log : ValueScale::Linear;
        inputs.backgroundValue = s.number(PlotOpts_BkgValue);
        inputs.consumerRiskZ = s.consumerRiskZ();
        inputs.ltpdZ = s.ltpdZ();
        inputs.xmin = f.xmin;
        inputs.xmax = f.xmax;

        auto runStatistics = [&](int setNumber) -> const SetStatistics& {
            SetResults& r = m_results.sets[static_cast<std::size_t>(setNumber - 1)];
            const DataSet& set = session.set(setNumber);
            r.points.reserve(static_cast<std::size_t>(set.pointCount));
            StatisticsOutcome result = statisticsPass(set, inputs, r.points);
            if (result.status == StatisticsStatus::NonPositiveOnLogAxis) {
                m_prompter.message(std::string(NonPositiveLogValueText), std::string(DatasetErrorTitle),
                                   MessageIcon::None);
                throw Restart{};
            }
            r.statistics = *result.statistics;
            return *r.statistics;
        };

        // 8: statistics of the main set and the upper limit, which is 0 while
        // the limit lines are off.
        const SetStatistics& st = runStatistics(1);
        if (s.check(PlotOpts_LimitLines) != 1) {
            s.setText(PlotOpts_ULimit, "0");
        }

        // 9: the value axis, written back while the scale is automatic.
        ValueRange yr;
        bool scaled = false;
        if (s.selected(AxesOpts_Auto)) {
            AutoScaleInputs in;
            in.logAxis = f.logAxis;
            in.minPlot = st.minPlot;
            in.maxPlot = st.maxPlot;
            in.mean = st.mean;
            in.sigma = st.sigma;
            in.ts = st.ts;
            in.n = st.n;
            in.xmax = f.xmax;
            in.limitLines = s.check(PlotOpts_LimitLines) == 1;
            in.upperLimit = s.number(PlotOpts_ULimit);
            in.testStatistic = s.check(PlotOpts_TestStatistic) == 1;
            scaled = autoScale(in, yr);
            if (scaled) {
                s.setText(AxesOpts_YscaleMin, scaleText(yr.ymin, f.logAxis));
                s.setText(AxesOpts_YscaleMax, scaleText(yr.ymax, f.logAxis));
                s.setText(AxesOpts_TickInterval, scaleText(yr.ytick, f.logAxis));
            }
        } else {
            scaled = manualScale(f.logAxis, s.number(AxesOpts_YscaleMin), s.number(AxesOpts_YscaleMax),
                                 s.number(AxesOpts_TickInterval), yr);
        }
        if (!scaled) {
            m_prompter.message(AxisIntervalText, std::string(DatasetErrorTitle), MessageIcon::None);
            session.busy(false);
            outcome = DrawOutcome::Stopped;
            return Pass::Done;
        }
        // A plot without height (or upside down) has no coordinate system.
        if (!(yr.ymax > yr.ymin)) {
            raise(ErrorCode::InvalidArgument);
        }
        f.ymin = yr.ymin;
        f.ymax = yr.ymax;

        // 10: footer with the file name and the date.
        const double h = m_measurer.textHeight("U", footerFont);
        m_scene.windowTexts.push_back({f.plot.left, f.plot.bottom() + 3.8 * h, session.titlePath, footerFont});
        const std::string date = formatDate(today());
        m_scene.windowTexts.push_back(
            {f.plot.right() - m_measurer.textWidth(date, footerFont), f.plot.bottom() + 3.8 * h, date, footerFont});

        // 12: coordinates, symbol size and the aspect of the plot area.
        m_scene.xmin = f.xmin;
        m_scene.xmax = f.xmax;
        m_scene.ymin = f.ymin;
        m_scene.ymax = f.ymax;
        m_scene.coordinatesSet = true;
        f.symbolUnit = 0.01 * f.xspan();
        f.aspect = (f.plot.width / f.xspan()) / (f.plot.height / std::fabs(f.ymax - f.ymin));

        // 13: the frame.
        m_scene.primitives.emplace_back(SceneBox{f.xmin, f.ymin, f.xmax, f.ymax, false, 2});

        const bool errorBars = s.check(PlotOpts_ErrorBars) == 1;
        auto drawPoints = [&](int setNumber, int symbol) {
            const auto& points = m_results.sets[static_cast<std::size_t>(setNumber - 1)].points;
            const double r = f.symbolUnit;
            const double a = f.aspect;
            for (const PlotPoint& p : points) {
                const double x = p.position;
                const double y = p.value;
                if (x < f.xmin || x > f.xmax || y < f.ymin || y > f.ymax) {
                    continue;
                }
                switch (symbol) {
                case 2:
                    m_scene.primitives.emplace_back(SceneBox{x - r, y - r * a, x + r, y + r * a, p.hilited, 1});
                    break;
                case 3: {
                    const double half = 1.16 * r;
                    const double apex = y + r * a;
                    const double base = y - r * a;
                    m_scene.primitives.emplace_back(SceneLine{x - half, base, x, apex});
                    m_scene.primitives.emplace_back(SceneLine{x, apex, x + half, base});
                    m_scene.primitives.emplace_back(SceneLine{x + half, base, x - half, base});
                    if (p.hilited) {
                        for (int k = 1; k <= 20; ++k) {
                            const double yk = apex - 1.732 * a * r * k / 20;
                            const double w = half * k / 20;
                            m_scene.primitives.emplace_back(SceneLine{x - w, yk, x + w, yk});
                        }
                    }
                    break;
                }
                default:
                    m_scene.primitives.emplace_back(SceneCircle{x, y, r, p.hilited});
                }
                if (errorBars) {
                    if (f.logAxis) {
                        const double v = std::pow(10.0, y);
                        if (v - p.sigma <= 0) {
                            m_prompter.message(UncertaintyBarLogText, std::string(DatasetErrorTitle),
                                               MessageIcon::None);
                            throw Restart{};
                        }
                        m_scene.primitives.emplace_back(
                            SceneLine{x, checkedLog10(v - p.sigma), x, checkedLog10(v + p.sigma)});
                    } else {
                        m_scene.primitives.emplace_back(SceneLine{x, y - p.sigma, x, y + p.sigma});
                    }
                }
            }
        };
        auto distributionLine = [&](const SetStatistics& set) {
            m_scene.primitives.emplace_back(SceneLine{f.xmin, set.mean - f.xmax * set.sigma, f.xmax,
                                                      set.mean + f.xmax * set.sigma});
        };
        auto fitLine = [&](int setNumber) {
            // The least-squares line of a set, computed for the reference lines.
            if (s.check(PlotOpts_LSQfit) != 1) {
                return;
            }
            SetResults& r = m_results.sets[static_cast<std::size_t>(setNumber - 1)];
            FitOutcome fit = leastSquaresFit(r.points, r.statistics->n, s.weightedFit() == 1);
            for (const StatsMessage& m : fit.messages) {
                m_prompter.message(std::string(m.text), std::string(m.title), MessageIcon::None);
            }
            r.fit = fit.fit;
        };
        auto rangeWarnings = [&](int setNumber) {
            const auto& points = m_results.sets[static_cast<std::size_t>(setNumber - 1)].points;
            if (points.empty()) {
                return;
            }
            if (points.front().position < f.xmin || points.back().position > f.xmax) {
                m_prompter.message("One or more x-values out of range", "Graph Warning", MessageIcon::Exclamation);
            }
            if (points.front().value < f.ymin || points.back().value > f.ymax) {
                m_prompter.message("One or more y-values out of range", "Graph Warning", MessageIcon::Exclamation);
            }
        };

        // 14-16: points, distribution line, zero line.
        const int mainSymbol = std::clamp(s.dataSymbolCode(), 1, 3);
        drawPoints(1, mainSymbol);
        distributionLine(st);
        if (f.ymin < 0 && f.ymax > 0) {
            m_scene.primitives.emplace_back(SceneLine{f.xmin, 0, f.xmax, 0});
        }

        // 17: the title; an empty one leaves the label as it was.
        const std::string& title = s.text(PlotOpts_PlotTitle);
        if (!title.empty()) {
            m_lastTitle.caption = title;
            m_lastTitle.font = FontSpec{face, 12 * sf + titleOffset, session.titleFontBold};
        }
        if (!m_lastTitle.caption.empty()) {
            m_lastTitle.font.family = face;
            m_lastTitle.width = m_measurer.textWidth(m_lastTitle.caption, m_lastTitle.font);
            m_lastTitle.height = m_measurer.textHeight(m_lastTitle.caption, m_lastTitle.font);
            m_lastTitle.left = f.plot.left + (f.plot.width - m_lastTitle.width) / 2;
            m_lastTitle.top = std::max(0.0, f.plot.top - m_lastTitle.height - 120);
            m_lastTitle.visible = true;
        }
        m_scene.title = m_lastTitle;

        // 18: probability-axis caption, marks and labels.
        std::string caption = "Cumulative Probability (%)";
        if (s.selected(PlotOpts_NormalDist)) {
            caption += " - Gaussian Distribution";
        } else if (s.selected(PlotOpts_Tdist)) {
            caption += " - Student's t Distribution";
        }
        const double capW = m_measurer.textWidth(caption, windowFont);
        const double capH = m_measurer.textHeight(caption, windowFont);
        m_scene.windowTexts.push_back(
            {f.plot.left + (f.plot.width - capW) / 2, f.plot.bottom() + 1.4 * capH, caption, labelFont});
        m_results.xCaption = caption;
        const double xTick = 0.025 * (f.ymax - f.ymin);
        for (int k = 4 - range.nines; k <= 6 + range.nines; ++k) {
            const auto i = static_cast<std::size_t>(k);
            const double x = tickPositions[i];
            m_scene.primitives.emplace_back(SceneLine{x, f.ymin, x, f.ymin + xTick});
            m_scene.primitives.emplace_back(SceneLine{x, f.ymax, x, f.ymax - xTick});
            if (range.nines == 4 && (k == 1 || k == 9)) {
                continue; // the crowded outer labels stay apart
            }
            const std::string label = tickLabels[i];
            const double w = m_measurer.textWidth(label, labelFont);
            m_scene.windowTexts.push_back({f.xToTwips(x) - w / 2, f.plot.bottom() + 60, label, labelFont});
            m_results.xTickLabels.push_back(label);
            m_results.xTickPositions.push_back(x);
        }
        m_results.xAxisDone = true;
        m_results.xmin = f.xmin;
        m_results.xmax = f.xmax;

        // 19: value-axis marks and labels.
        const std::string mask = valueLabelMask(yr, s.group(AxesOpts_Yprecision) != 1, s.number(AxesOpts_Yplaces),
                                                !s.selected(AxesOpts_Stdformat), st.mean);
        const double yTickLength = 0.0178 * f.xspan();
        double lastLabelWidth = 0;
        for (double v : valueTickValues(yr, f.logAxis)) {
            m_scene.primitives.emplace_back(SceneLine{f.xmin, v, f.xmin + yTickLength, v});
            m_scene.primitives.emplace_back(SceneLine{f.xmax, v, f.xmax - yTickLength, v});
            const std::string text = " " + format(f.logAxis ? std::pow(10.0, v) : v, mask);
            const double th = m_measurer.textHeight(text, labelFont);
            const double tw = m_measurer.textWidth(text, labelFont);
            m_scene.windowTexts.push_back({f.plot.left - tw, f.yToTwips(v) - th / 2, text, labelFont});
            m_results.yTickLabels.push_back(text);
            lastLabelWidth = std::round(tw);
        }
        m_results.yAxisDone = true;
        m_results.ymin = f.ymin;
        m_results.ymax = f.ymax;
        m_results.ytick = yr.ytick;
        m_results.labelMask = mask;

        // 20: the turned value-axis label beside the tick labels.
        WindowLabel& yLabel = m_scene.yLabel;
        yLabel.caption = s.text(PlotOpts_YAxisLabel);
        yLabel.font = labelFont;
        if (yLabel.caption.empty()) {
            yLabel.visible = false;
            yLabel.top = m_layout.windowHeight;
            yLabel.left = 0;
            yLabel.width = yLabel.height = 0;
        } else {
            yLabel.width = m_measurer.textHeight(yLabel.caption, labelFont);
            yLabel.height = m_measurer.textWidth(yLabel.caption, labelFont);
            yLabel.top = f.plot.top + (f.plot.height - yLabel.height) / 2;
            yLabel.left = f.plot.left - yLabel.width - lastLabelWidth - 100;
            yLabel.visible = true;
        }

        // 21-22: the statistics box and the reference lines of the main set.
        fitLine(1);

        // 23-24: warnings, then the main set is complete.
        rangeWarnings(1);
        session.placeBoxesPending = false;
        session.busy(false);
        if (!session.overlayLoaded) {
            return Pass::Done;
        }

        // 25: the overlay in the same coordinates, with the next symbol of the cycle.
        session.currentSet = 2;
        const SetStatistics& overlay = runStatistics(2);
        std::string overlayName = session.overlayPath;
        m_scene.windowTexts.push_back({f.plot.left, f.plot.bottom() + 5 * h, overlayName, footerFont});
        drawPoints(2, mainSymbol % 3 + 1);
        distributionLine(overlay);
        fitLine(2);
        rangeWarnings(2);
        session.placeBoxesPending = false;
        return Pass::Done;
    } catch (const Restart&) {
        session.busy(false);
        s.selectButton(PlotOpts_LinearY);
        clear();
        return Pass::Restart;
    } catch (const QvError& e) {
        clear();
        m_scene.yLabel.visible = false;
        m_prompter.message("Unexpected Error" + codeText(e.code()), "Graphing Error", MessageIcon::Exclamation);
        session.busy(false);
        outcome = DrawOutcome::Failed;
        return Pass::Done;
    } catch (const std::bad_alloc&) {
        clear();
        m_prompter.message("Unexpected Error" + codeText(ErrorCode::OutOfMemory), "Graphing Error",
                           MessageIcon::Exclamation);
        session.busy(false);
        outcome = DrawOutcome::Failed;
        return Pass::Done;
    }
}

} // namespace qv
