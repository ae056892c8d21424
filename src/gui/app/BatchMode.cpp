#include "gui/app/BatchMode.h"

#include "core/Errors.h"
#include "core/Units.h"
#include "core/document/ChartDocument.h"
#include "core/document/GraphOutput.h"
#include "core/model/ScriptedPrompter.h"
#include "core/plot/PlotMapping.h"
#include "render/ChartExport.h"
#include "render/QtText.h"
#include "render/QtTextMeasurer.h"
#include "render/ScreenFonts.h"

#include <QCommandLineParser>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdio>
#include <stdexcept>
#include <string_view>

namespace qv {

namespace {

QString qs(const std::string& text)
{
    return toQString(text);
}

constexpr const char* ExitStatusHelp =
    "\nExit status:\n"
    "  0  the chart was drawn (warnings allowed)\n"
    "  1  the load or the drawing failed or stopped, or a file could not be written\n"
    "  2  usage error: an unknown option, a bad value, no FILE, a column the file does not have\n";

struct BatchRequest
{
    bool help = false;
    bool version = false;
    QString file;
    bool report = false;
    QString exportPath;
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
    parser.addPositionalArgument("FILE", "Data file or project file (.qvw) to open.");
    parser.addOptions({
        {"report", "Print the chart's report as JSON."},
        {"export", "Write the chart picture to OUT (.png, .bmp, .svg, .pdf).", "OUT"},
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
    request.exportPath = parser.value("export");
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        throw UsageError(positional.isEmpty() ? "FILE is missing" : "only one FILE may be given");
    }
    request.file = positional.front();
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
    if (!request.report && request.exportPath.isEmpty()) {
        throw UsageError("--report or --export is needed with options");
    }
    return request;
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

QJsonObject setReport(const Session& session, const DrawingResults& drawing, const Scene& scene,
                      int number)
{
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
    return out;
}

QJsonObject report(const Session& session, const ScriptedPrompter& prompter,
                   const DrawingResults& drawing, const Scene& scene, const QString& outcome)
{
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
        sets.append(setReport(session, drawing, scene, 1));
    }
    if (session.overlayLoaded) {
        sets.append(setReport(session, drawing, scene, 2));
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
    return runBatch(arguments, out, err);
}

int runBatch(const QStringList& arguments, QTextStream& out, QTextStream& err)
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

    // The chart is laid out for the screen as the window would be.
    BatchPrompter prompter;
    QtTextMeasurer measurer;
    ChartDocument document(prompter, measurer);
    document.startUp(designLayout(request.screenWidth * TwipsPerScreenPixel,
                                  request.screenHeight * TwipsPerScreenPixel),
                     screenFontFamilies(), ArialTwin);
    Session& session = document.session();
    session.documentsFolder =
        toUtf8(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    session.dataFolder = session.documentsFolder;

    // Every value is checked before anything is loaded, so a typing error costs no
    // load and never leaves a half-applied chart.
    {
        Settings scratch = session.settings;
        try {
            for (const auto& [id, value] : request.sets) {
                scratch.setFromText(id, value);
            }
        } catch (const std::invalid_argument& e) {
            return usageError(e.what());
        }
    }

    prompter.dataFileAnswers.push_back(request.answers);
    bool loaded = document.openFromCommandLine(toUtf8(request.file));
    QString failedFile = request.file;
    if (loaded && !request.overlay.isEmpty()) {
        prompter.openAnswers.push_back(toUtf8(request.overlay));
        prompter.dataFileAnswers.push_back(request.answers);
        loaded = document.inputOverlayData();
        failedFile = request.overlay;
    }
    if (!prompter.refusal.empty()) {
        return usageError(toUtf8(failedFile) + ": " + prompter.refusal);
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
    if (!request.exportPath.isEmpty()) {
        // The picture is written whatever the drawing left, as Save Graph As
        // would capture it; a failed load leaves nothing to draw.
        if (!loaded) {
            written = false;
        } else {
            const ExportResult result = exportChart(document.scene(), request.exportPath,
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
    if (!request.saveProject.isEmpty()) {
        // The project holds what was loaded and drawn; a failed load leaves nothing to save.
        if (!loaded) {
            written = false;
        } else if (!document.writeProject(toUtf8(request.saveProject))) {
            written = false;
            if (request.report) {
                err << "quantiview: " << request.saveProject
                    << " was not written: " << qs(prompter.messages.back().text) << "\n";
            }
        }
    }
    if (!silent.empty()) {
        err << "quantiview: " << qs(silent) << "\n";
    }
    if (request.report) {
        out << QJsonDocument(
                   report(session, prompter, document.plot().results(), document.scene(), outcome))
                   .toJson(QJsonDocument::Indented);
    } else {
        // Without a report nothing would show the messages: each goes to stderr.
        for (const RecordedMessage& m : prompter.messages) {
            err << qs(m.title) << ": " << qs(m.text) << "\n";
        }
    }
    return outcome == "drawn" && written ? 0 : 1;
}

} // namespace qv
