#include "gui/app/BatchMode.h"

#include "core/Errors.h"
#include "core/Units.h"
#include "core/document/ChartDocument.h"
#include "core/document/GraphOutput.h"
#include "core/model/ScriptedPrompter.h"
#include "core/model/StartUp.h"
#include "core/plot/OcChart.h"
#include "core/plot/ChartGeometry.h"
#include "render/ChartExport.h"
#include "render/QtText.h"
#include "render/QtTextMeasurer.h"
#include "render/ScreenFonts.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string_view>
#include <unistd.h>

namespace qv {

namespace {

QString qs(const std::string& text)
{
    return toQString(text);
}

constexpr const char* ExitStatusHelp =
    "\nSeveral FILEs:\n"
    "  Each lot is loaded and drawn afresh with the same options, in the order given;\n"
    "  a lot that fails does not stop the others. --report prints one JSON object per\n"
    "  line (JSON Lines), \"outcome\": \"failed\" for a lot that failed. --export,\n"
    "  --oc-curve and --save-project then need {name} in OUT, which stands for each\n"
    "  FILE's name without its folder and last extension (--export charts/{name}.png);\n"
    "  two outputs that would land on the same file are a usage error. With more than\n"
    "  20 FILEs the progress is shown on standard error when that is a terminal.\n"
    "\nExit status:\n"
    "  0  every chart was drawn (warnings allowed)\n"
    "  1  a load or a drawing failed or stopped, a file could not be written, or\n"
    "     --fail-on-reject met a lot without an upper limit; 1 wins over 3\n"
    "  2  usage error: an unknown option, a bad value, no FILE, a column the file does not have\n"
    "  3  with --fail-on-reject: the main set of a lot was rejected (Ts above the upper\n"
    "     limit, \"accepted\": false in the report) and no lot failed\n";

// The text in an output name that stands for each FILE's name.
constexpr const char* NamePlaceholder = "{name}";
// Progress is shown for runs over more files than this.
constexpr int ProgressAbove = 20;

struct BatchRequest
{
    bool help = false;
    bool version = false;
    QStringList files;
    bool report = false;
    bool failOnReject = false;
    QString exportPath;
    QString ocCurvePath;
    QString overlay;
    QString saveProject;
    DataFileAnswers answers;
    std::vector<std::pair<Ctl, std::string>> sets;
    int screenWidth = 1024;
    int screenHeight = 768;
};

class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

int positiveNumber(const QString& text, const char* option)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1) {
        throw UsageError(std::string(option) + " takes a whole number of 1 or more");
    }
    return n;
}

BatchRequest parseArguments(const QStringList& arguments, QCommandLineParser& parser)
{
    parser.setApplicationDescription("Quantiview: probability charts for sampling inspection by variables.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("FILE...", "Data files or project files (.qvw) to open; several "
                                            "FILEs are drawn one after the other (see below).");
    parser.addOptions({
        {"report", "Print the chart's report as JSON (one line per FILE with several)."},
        {"export", "Write the chart picture to OUT (.png, .bmp, .svg, .pdf).", "OUT"},
        {"oc-curve",
         "Write the OC curve of the main set's exact sampling plan to OUT (.png, .svg, .pdf).",
         "OUT"},
        {"fail-on-reject", "Exit with 3 when the main set of a lot is rejected (Ts above the "
                           "upper limit)."},
        {"columns", "Fields per data line.", "N"},
        {"value-column", "Field that holds the value.", "C"},
        {"sigma-column", "Field that holds the uncertainty.", "C"},
        {"labels", "The first line holds column labels."},
        {"no-labels", "The first line holds data."},
        {"overlay", "Load FILE2 as the overlay.", "FILE2"},
        {"set", "Set one setting by its name (repeatable).", "NAME=VALUE"},
        {"save-project", "Write the project file after drawing.", "OUT.qvw"},
        {"screen", "Screen size in pixels for the layout.", "WxH"},
    });
    if (!parser.parse(arguments)) {
        throw UsageError(toUtf8(parser.errorText()));
    }
    BatchRequest request;
    if (parser.isSet("help")) {
        request.help = true;
        return request;
    }
    if (parser.isSet("version")) {
        request.version = true;
        return request;
    }
    request.report = parser.isSet("report");
    request.failOnReject = parser.isSet("fail-on-reject");
    request.exportPath = parser.value("export");
    request.ocCurvePath = parser.value("oc-curve");
    request.files = parser.positionalArguments();
    if (request.files.isEmpty()) {
        throw UsageError("FILE is missing");
    }
    if (parser.isSet("columns")) {
        request.answers.columns = positiveNumber(parser.value("columns"), "--columns");
    }
    if (parser.isSet("value-column")) {
        request.answers.valueColumn = positiveNumber(parser.value("value-column"), "--value-column");
    }
    if (parser.isSet("sigma-column")) {
        request.answers.sigmaColumn = positiveNumber(parser.value("sigma-column"), "--sigma-column");
    }
    if (parser.isSet("labels") && parser.isSet("no-labels")) {
        throw UsageError("--labels and --no-labels exclude each other");
    }
    if (parser.isSet("labels")) {
        request.answers.labels = true;
    } else if (parser.isSet("no-labels")) {
        request.answers.labels = false;
    }
    request.overlay = parser.value("overlay");
    request.saveProject = parser.value("save-project");
    for (const QString& assignment : parser.values("set")) {
        const auto eq = assignment.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            throw UsageError("--set takes NAME=VALUE, not " + toUtf8(assignment));
        }
        const std::string name = toUtf8(assignment.left(eq));
        const auto id = findControl(name);
        if (!id) {
            throw UsageError("unknown setting " + name);
        }
        request.sets.emplace_back(*id, toUtf8(assignment.mid(eq + 1)));
    }
    if (parser.isSet("screen")) {
        const QStringList parts = parser.value("screen").split(QLatin1Char('x'));
        if (parts.size() != 2) {
            throw UsageError("--screen takes WxH, for example 1024x768");
        }
        request.screenWidth = positiveNumber(parts[0], "--screen");
        request.screenHeight = positiveNumber(parts[1], "--screen");
        if (request.screenWidth > MaxScreenPixels || request.screenHeight > MaxScreenPixels) {
            throw UsageError("--screen takes at most " + std::to_string(MaxScreenPixels) +
                             " pixels a side");
        }
    }
    if (!request.report && request.exportPath.isEmpty() && request.ocCurvePath.isEmpty()) {
        throw UsageError("--report, --export or --oc-curve is needed with options");
    }
    if (request.files.size() > 1) {
        for (const auto& [option, out] : {std::pair{"--export", request.exportPath},
                                          std::pair{"--oc-curve", request.ocCurvePath},
                                          std::pair{"--save-project", request.saveProject}}) {
            if (!out.isEmpty() && !out.contains(QLatin1String(NamePlaceholder))) {
                throw UsageError(std::string("with several FILEs, ") + option +
                                 " needs {name} in OUT, for example charts/{name}.png");
            }
        }
    }
    return request;
}

// A FILE as given, without the double quotes the command line may wrap it in.
QString unquoted(const QString& file)
{
    const QString trimmed = file.trimmed();
    if (trimmed.size() >= 2 && trimmed.startsWith(QLatin1Char('"')) &&
        trimmed.endsWith(QLatin1Char('"'))) {
        return trimmed.mid(1, trimmed.size() - 2);
    }
    return file;
}

// An output name with {name} replaced by FILE's name without its folder and
// last extension.
QString outputFor(const QString& pattern, const QString& file)
{
    QString out = pattern;
    return out.replace(QLatin1String(NamePlaceholder), QFileInfo(unquoted(file)).completeBaseName());
}

// The files a lot writes, by option.
struct LotOutputs
{
    QString exportPath;
    QString ocCurvePath;
    QString saveProject;
};

LotOutputs outputsFor(const BatchRequest& request, const QString& file)
{
    const auto expand = [&file](const QString& pattern) {
        return pattern.isEmpty() ? pattern : outputFor(pattern, file);
    };
    return {expand(request.exportPath), expand(request.ocCurvePath), expand(request.saveProject)};
}

// Two outputs on one file would leave only the last: refused before anything runs.
void refuseCollisions(const BatchRequest& request)
{
    std::map<QString, QString> written; // the file as the system sees it -> who writes it
    for (const QString& file : request.files) {
        const LotOutputs outputs = outputsFor(request, file);
        for (const QString* out : {&outputs.exportPath, &outputs.ocCurvePath, &outputs.saveProject}) {
            if (out->isEmpty()) {
                continue;
            }
            const QString key = QDir::cleanPath(QFileInfo(*out).absoluteFilePath());
            const auto [at, inserted] = written.emplace(key, file);
            if (!inserted) {
                throw UsageError(toUtf8(*out) + " would be written twice (for " + toUtf8(at->second) +
                                 (at->second == file ? "" : " and " + toUtf8(file)) + ")");
            }
        }
    }
}

// The scripted answers of batch mode. A column beyond the fields of the file's
// second line is refused, as the dialog's lists offer no such column: the
// dialog is then cancelled and the refusal kept for the usage error.
class BatchPrompter : public ScriptedPrompter
{
public:
    std::string refusal;

    bool askDataFileParameters(Settings& settings, const DataFilePreview& preview) override
    {
        if (!dataFileAnswers.empty()) {
            const DataFileAnswers& answers = dataFileAnswers.front();
            const int fields = settings.fileCharColumnItems();
            for (const auto& [option, column] :
                 {std::pair{"--value-column", answers.valueColumn},
                  std::pair{"--sigma-column", answers.sigmaColumn}}) {
                if (column && *column > fields) {
                    refusal = std::string(option) + " " + std::to_string(*column) +
                              " is beyond the " + std::to_string(fields) +
                              " fields of the file's lines";
                    dataFileAnswers.pop_front();
                    return false;
                }
            }
        }
        return ScriptedPrompter::askDataFileParameters(settings, preview);
    }
};

// Why a load failed that showed no message, or nothing when it showed one.
std::string silentFailure(const ChartDocument& document, const ScriptedPrompter& prompter,
                          const QString& file)
{
    const LoadResult& load = document.lastLoad();
    if (load.status != LoadStatus::Failed || !prompter.messages.empty()) {
        return {};
    }
    if (load.errorCode == ErrorCode::BadFileName) {
        return "the file name is empty";
    }
    if (load.errorCode == ErrorCode::PathFileAccess) {
        return toUtf8(file) + " is a folder or cannot be reached";
    }
    return toUtf8(file) + " was not loaded (error " + std::to_string(load.errorCode) + ")";
}

// A number for the report; a negative zero (the quantile of a probability just
// above one half) is written as 0.
double reportNumber(double v) { return v == 0.0 ? 0.0 : v; }

QJsonArray numbers(const std::vector<double>& list)
{
    QJsonArray out;
    for (double v : list) {
        out.append(reportNumber(v));
    }
    return out;
}

QString iconName(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Warning:
        return "warning";
    case MessageIcon::Exclamation:
        return "exclamation";
    default:
        return "none";
    }
}

QJsonValue settingValue(const Settings& s, const ControlInfo& info)
{
    switch (info.kind) {
    case ControlKind::Check:
        return s.check(info.id);
    case ControlKind::Group:
        return s.group(info.id);
    case ControlKind::Button:
        return s.selected(info.id);
    default:
        return qs(s.text(info.id));
    }
}

QJsonObject statisticsReport(const SetResults& r)
{
    const SetStatistics& st = *r.statistics;
    QJsonArray positions;
    QJsonArray values;
    for (const PlotPoint& p : r.points) {
        positions.append(reportNumber(p.position));
        values.append(reportNumber(p.value));
    }
    return QJsonObject{{"n", st.n},
                       {"positions", positions},
                       {"plot_values", values},
                       {"min_plot", st.minPlot},
                       {"max_plot", st.maxPlot},
                       {"range", st.range},
                       {"mean", st.mean},
                       {"sigma", st.sigma},
                       {"k", st.k},
                       {"ts", st.ts},
                       {"normal_low", st.normalLow},
                       {"normal_high", st.normalHigh},
                       {"shown_min", st.shownMin},
                       {"shown_max", st.shownMax},
                       {"shown_mean", st.shownMean},
                       {"shown_sigma", st.shownSigma},
                       {"shown_ts", st.shownTs}};
}

QJsonObject fitReport(const FitResult& fit)
{
    return QJsonObject{{"intercept", fit.intercept},
                       {"slope", fit.slope},
                       {"weight_sum", fit.weightSum},
                       {"mean_position", fit.meanPosition},
                       {"position_spread", fit.positionSpread},
                       {"residual_variance", fit.residualVariance}};
}

QJsonArray texts(const std::vector<std::string>& list)
{
    QJsonArray out;
    for (const auto& t : list) {
        out.append(qs(t));
    }
    return out;
}

// The texts drawn for a set, and where its statistics box stands in chart units.
void addAnnotations(QJsonObject& out, const SetResults& r, const Scene& scene, int number)
{
    if (r.statsBox) {
        out["stats_box"] = qs(*r.statsBox);
        const Placement& box =
            scene.placements.item(number == 1 ? MovableItem::StatsBox : MovableItem::OverlayStats);
        if (const auto mapping = mappingOf(scene)) {
            out["stats_box_position"] = QJsonObject{{"left", mapping->twipsToX(box.left)},
                                                    {"top", mapping->twipsToY(box.top)}};
        }
    }
    const std::pair<const char*, const std::optional<std::string>*> texts[] = {
        {"plot_text", &r.plotText}, {"ts_label", &r.tsLabel}, {"percent_label", &r.percentLabel}};
    for (const auto& [name, text] : texts) {
        if (*text) {
            out[name] = qs(**text);
        }
    }
}

QJsonObject normalityReport(const NormalityTest& test)
{
    return QJsonObject{{"test", "anderson-darling"},
                       {"a2", test.a2},
                       {"a2_adjusted", test.a2Adjusted},
                       {"p_value", test.pValue}};
}

// The verdicts with an upper limit: the chart's, and the exact plan's where it has one.
QJsonObject acceptanceReport(const LotDecision& decision)
{
    const LotVerdict& verdict = *decision.verdict;
    QJsonObject out{{"upper_limit", verdict.upperLimit},
                    {"k", decision.k},
                    {"ts", decision.ts},
                    {"accepted", verdict.accepted}};
    if (const auto& plan = decision.plan) {
        out["k_exact"] = plan->kExact;
        if (decision.tsExact && verdict.acceptedExact) {
            out["ts_exact"] = *decision.tsExact;
            out["accepted_exact"] = *verdict.acceptedExact;
        }
        QJsonArray fractions;
        QJsonArray probabilities;
        for (std::size_t i = 0; i < plan->oc.fractionDefective.size(); ++i) {
            fractions.append(plan->oc.fractionDefective[i]);
            probabilities.append(plan->oc.probabilityOfAcceptance[i]);
        }
        out["oc_curve"] = QJsonObject{{"fraction_defective", fractions},
                                      {"probability_of_acceptance", probabilities}};
    }
    return out;
}

QJsonObject setReport(const ChartDocument& document, int number)
{
    const Session& session = document.session();
    const DrawingResults& drawing = document.plot().results();
    const Scene& scene = document.scene();
    const DataSet& set = session.set(number);
    QJsonObject out;
    out["set"] = number;
    out["source"] = qs(number == 1 ? session.titlePath : session.overlayPath);
    out["point_count"] = set.pointCount;
    out["enabled_count"] = set.enabledCount;
    out["values"] = numbers(set.values);
    if (set.hasSigmas) {
        out["sigmas"] = numbers(set.sigmas);
    }
    QJsonArray states;
    for (auto state : set.states) {
        states.append(state);
    }
    out["states"] = states;
    out["y_axis_label"] = qs(session.settings.text(Ctl::PlotOpts_YAxisLabel));
    const SetResults& r = drawing.sets[static_cast<std::size_t>(number - 1)];
    if (r.statistics) {
        out["statistics"] = statisticsReport(r);
    }
    if (r.fit) {
        out["fit"] = fitReport(*r.fit);
    }
    addAnnotations(out, r, scene, number);
    if (const LotDecision* decision = document.lotDecision(number)) {
        if (decision->normality) {
            out["normality"] = normalityReport(*decision->normality);
        }
        if (decision->verdict) {
            out["acceptance"] = acceptanceReport(*decision);
        }
    }
    return out;
}

QJsonObject report(const ChartDocument& document, const ScriptedPrompter& prompter,
                   const QString& outcome)
{
    const Session& session = document.session();
    const DrawingResults& drawing = document.plot().results();
    QJsonObject out;
    out["window_title"] = qs(session.windowTitle);
    out["outcome"] = outcome;
    QJsonArray messages;
    for (const auto& m : prompter.messages) {
        messages.append(QJsonObject{{"title", qs(m.title)}, {"text", qs(m.text)}, {"icon", iconName(m.icon)}});
    }
    out["messages"] = messages;
    QJsonArray sets;
    if (session.set(1).pointCount > 0 || outcome != "failed") {
        sets.append(setReport(document, 1));
    }
    if (session.overlayLoaded) {
        sets.append(setReport(document, 2));
    }
    out["sets"] = sets;
    if (drawing.xAxisDone) {
        QJsonArray positions;
        for (double x : drawing.xTickPositions) {
            positions.append(reportNumber(x));
        }
        out["x_axis"] = QJsonObject{{"xmin", drawing.xmin},
                                    {"xmax", drawing.xmax},
                                    {"caption", qs(drawing.xCaption)},
                                    {"tick_labels", texts(drawing.xTickLabels)},
                                    {"tick_positions", positions}};
    }
    if (drawing.yAxisDone) {
        out["y_axis"] = QJsonObject{{"ymin", drawing.ymin},
                                    {"ymax", drawing.ymax},
                                    {"ytick", drawing.ytick},
                                    {"label_mask", qs(drawing.labelMask)},
                                    {"tick_labels", texts(drawing.yTickLabels)}};
    }
    if (!drawing.limitLabels.empty()) {
        out["limit_labels"] = texts(drawing.limitLabels);
    }
    QJsonObject settings;
    QJsonArray disabled;
    for (const ControlInfo& info : controlTable()) {
        if (info.kind != ControlKind::Control) {
            settings[info.name] = settingValue(session.settings, info);
        }
        if (!session.settings.enabled(info.id)) {
            disabled.append(info.name);
        }
    }
    out["settings"] = settings;
    out["disabled_controls"] = disabled;
    return out;
}

// What the lots share: the measurer and its fonts, the font list and the
// layout are made once for the whole run.
struct BatchContext
{
    explicit BatchContext(const BatchRequest& r) : request(r) {}

    const BatchRequest& request;
    QtTextMeasurer measurer;
    std::vector<std::string> fonts;
    ChartLayout layout;
    std::string documentsFolder;
    bool many = false;
};

struct LotResult
{
    bool refused = false;  // a usage error met while loading (a column the file lacks)
    bool failed = false;   // exit status 1
    bool rejected = false; // the main set was rejected
};

// Writes the OC picture of the main set's plan; false, after saying why on
// `err` or through the prompter, when there is none or it was not written.
bool writeOcCurve(const BatchContext& ctx, ChartDocument& document, BatchPrompter& prompter,
                  bool loaded, const QString& path, QTextStream& err)
{
    const LotDecision* decision = loaded ? document.lotDecision(1) : nullptr;
    if (!decision) {
        err << "quantiview: " << path << " was not written: the chart was not drawn\n";
        return false;
    }
    if (!decision->plan) {
        err << "quantiview: " << path
            << " was not written: the sampling plan needs at least 2 enabled points and a "
               "CR and an LTPD chosen\n";
        return false;
    }
    const ExportResult result =
        exportChart(ocChartScene(*decision->plan, ctx.measurer, document.session().graphFontName),
                    path);
    if (!result.ok) {
        prompter.message(toUtf8(result.errorText), "Export Error", MessageIcon::Warning);
        if (ctx.request.report) {
            err << "quantiview: " << result.errorText << "\n";
        }
        return false;
    }
    return true;
}

// One lot: loaded and drawn afresh with the run's options, its outputs
// written and its report printed. A refusal of a single FILE is left to the
// caller to report as a usage error, without a report.
LotResult runLot(const BatchContext& ctx, const QString& file, QTextStream& out, QTextStream& err)
{
    const BatchRequest& request = ctx.request;
    const LotOutputs outputs = outputsFor(request, file);
    LotResult lot;

    // The chart is laid out for the screen as the window would be.
    BatchPrompter prompter;
    ChartDocument document(prompter, ctx.measurer);
    document.startUp(ctx.layout, ctx.fonts, ArialTwin);
    Session& session = document.session();
    session.documentsFolder = ctx.documentsFolder;
    session.dataFolder = session.documentsFolder;

    prompter.dataFileAnswers.push_back(request.answers);
    bool loaded = document.openFromCommandLine(toUtf8(file));
    QString failedFile = file;
    if (loaded && !request.overlay.isEmpty()) {
        prompter.openAnswers.push_back(toUtf8(request.overlay));
        prompter.dataFileAnswers.push_back(request.answers);
        loaded = document.inputOverlayData();
        failedFile = request.overlay;
    }
    if (!prompter.refusal.empty()) {
        lot.refused = true;
        lot.failed = true;
        err << "quantiview: " << failedFile << ": " << qs(prompter.refusal) << "\n";
        if (!ctx.many) {
            return lot;
        }
    }
    const std::string silent = silentFailure(document, prompter, failedFile);
    if (loaded && !request.sets.empty()) {
        bool pageSetup = false;
        for (const auto& [id, value] : request.sets) {
            session.settings.setFromText(id, value);
            pageSetup = pageSetup ||
                        std::string_view(controlInfo(id).name).starts_with("frmPageSetup.");
        }
        // Page Setup's choices (bold type, the one-time resize) take effect as
        // its OK applies them: through Refresh Plot.
        if (pageSetup) {
            document.refreshPlot();
        } else {
            document.drawPlot();
        }
    }
    const DrawOutcome drawn = document.lastOutcome();
    QString outcome = "drawn";
    if (!loaded || drawn == DrawOutcome::Failed) {
        outcome = "failed";
    } else if (drawn == DrawOutcome::Stopped) {
        outcome = "stopped";
    }
    bool written = true;
    if (!outputs.exportPath.isEmpty()) {
        // The picture is written whatever the drawing left, as Save Graph As
        // would capture it; a failed load leaves nothing to draw.
        if (!loaded) {
            written = false;
        } else {
            const ExportResult result = exportChart(document.scene(), outputs.exportPath,
                                                    printOrientation(session.settings));
            if (!result.ok) {
                written = false;
                prompter.message(toUtf8(result.errorText), "Export Error", MessageIcon::Warning);
                if (request.report) {
                    err << "quantiview: " << result.errorText << "\n";
                }
            }
        }
    }
    if (!outputs.ocCurvePath.isEmpty() &&
        !writeOcCurve(ctx, document, prompter, loaded && outcome == "drawn", outputs.ocCurvePath,
                      err)) {
        written = false;
    }
    if (!outputs.saveProject.isEmpty()) {
        // The project holds what was loaded and drawn; a failed load leaves nothing to save.
        if (!loaded) {
            written = false;
        } else if (!document.writeProject(toUtf8(outputs.saveProject))) {
            written = false;
            if (request.report) {
                err << "quantiview: " << outputs.saveProject
                    << " was not written: " << qs(prompter.messages.back().text) << "\n";
            }
        }
    }
    if (!silent.empty()) {
        err << "quantiview: " << qs(silent) << "\n";
    }
    if (request.report) {
        const QJsonDocument json(report(document, prompter, outcome));
        if (ctx.many) {
            out << json.toJson(QJsonDocument::Compact) << "\n";
        } else {
            out << json.toJson(QJsonDocument::Indented);
        }
        out.flush();
    } else {
        // Without a report nothing would show the messages: each goes to stderr.
        for (const RecordedMessage& m : prompter.messages) {
            if (ctx.many) {
                err << file << ": ";
            }
            err << qs(m.title) << ": " << qs(m.text) << "\n";
        }
    }
    lot.failed = lot.failed || outcome != "drawn" || !written;
    if (request.failOnReject && outcome == "drawn") {
        // A lot that cannot be judged must not pass as accepted.
        const LotDecision* decision = document.lotDecision(1);
        if (!decision || !decision->verdict) {
            err << "quantiview: " << file
                << ": no upper limit is set (PlotOpts.LimitLines, PlotOpts.ULimit), so "
                   "--fail-on-reject cannot judge the lot\n";
            lot.failed = true;
        } else if (!decision->verdict->accepted) {
            lot.rejected = true;
        }
    }
    return lot;
}

// "quantiview: 17 of 1000 lots" on one line of a terminal, rewritten after each lot.
class Progress
{
public:
    Progress(QTextStream& err, qsizetype total, bool shown) : m_err(err), m_total(total), m_shown(shown)
    {
    }
    // Leaves the progress line before other text goes to the terminal.
    void breakLine()
    {
        if (m_open) {
            m_err << "\n";
            m_open = false;
        }
    }
    void done(qsizetype count)
    {
        if (!m_shown) {
            return;
        }
        m_err << "\rquantiview: " << count << " of " << m_total << " lots";
        m_open = true;
        if (count == m_total) {
            breakLine();
        }
        m_err.flush();
    }

private:
    QTextStream& m_err;
    qsizetype m_total;
    bool m_shown;
    bool m_open = false;
};

} // namespace

bool isBatchInvocation(const QStringList& arguments)
{
    for (const QString& a : arguments.mid(1)) {
        if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return true;
        }
    }
    return false;
}

int runBatch(const QStringList& arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runBatch(arguments, out, err, isatty(STDERR_FILENO) == 1);
}

int runBatch(const QStringList& arguments, QTextStream& out, QTextStream& err, bool errIsTerminal)
{
    QCommandLineParser parser;
    BatchRequest request;
    const auto usageError = [&err](const std::string& text) {
        err << "quantiview: " << qs(text) << "\n"
            << "Try 'quantiview --help'.\n";
        return 2;
    };
    try {
        request = parseArguments(arguments, parser);
        refuseCollisions(request);
    } catch (const UsageError& e) {
        return usageError(e.what());
    }
    if (request.help) {
        out << parser.helpText() << ExitStatusHelp;
        return 0;
    }
    if (request.version) {
        out << "quantiview " << ProgramVersion << "\n";
        return 0;
    }

    BatchContext ctx(request);
    ctx.fonts = screenFontFamilies();
    ctx.layout = designLayout(request.screenWidth * TwipsPerScreenPixel,
                              request.screenHeight * TwipsPerScreenPixel);
    ctx.documentsFolder =
        toUtf8(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    ctx.many = request.files.size() > 1;

    // Every value is checked before anything is loaded, so a typing error costs no
    // load and never leaves a half-applied chart.
    {
        Session probe;
        startUp(probe, ctx.fonts, ArialTwin);
        try {
            for (const auto& [id, value] : request.sets) {
                probe.settings.setFromText(id, value);
            }
        } catch (const std::invalid_argument& e) {
            return usageError(e.what());
        }
    }

    Progress progress(err, request.files.size(),
                      errIsTerminal && request.files.size() > ProgressAbove);
    bool refused = false;
    bool failed = false;
    bool rejected = false;
    qsizetype count = 0;
    for (const QString& file : request.files) {
        QString said;
        QTextStream lotErr(&said);
        const LotResult lot = runLot(ctx, file, out, lotErr);
        lotErr.flush();
        if (lot.refused && !ctx.many) {
            err << said << "Try 'quantiview --help'.\n";
            return 2;
        }
        if (!said.isEmpty()) {
            progress.breakLine();
            err << said;
        }
        progress.done(++count);
        refused = refused || lot.refused;
        failed = failed || lot.failed;
        rejected = rejected || lot.rejected;
    }
    err.flush();
    if (refused) {
        return 2;
    }
    if (failed) {
        return 1;
    }
    return request.failOnReject && rejected ? 3 : 0;
}

} // namespace qv
