#include "gui/app/BatchMode.h"

#include "core/io/DataFileReader.h"
#include "core/model/FileCommands.h"
#include "core/model/ScriptedPrompter.h"
#include "core/model/Session.h"
#include "core/model/StartUp.h"
#include "core/plot/PlotRoutine.h"
#include "render/ChartExport.h"
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

namespace qv {

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

struct BatchRequest
{
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
        throw UsageError(parser.errorText().toStdString());
    }
    if (parser.isSet("help")) {
        parser.showHelp(0);
    }
    if (parser.isSet("version")) {
        parser.showVersion();
    }
    BatchRequest request;
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
            throw UsageError("--set takes NAME=VALUE, not " + assignment.toStdString());
        }
        const std::string name = assignment.left(eq).toStdString();
        const auto id = findControl(name);
        if (!id) {
            throw UsageError("unknown setting " + name);
        }
        request.sets.emplace_back(*id, assignment.mid(eq + 1).toStdString());
    }
    if (parser.isSet("screen")) {
        const QStringList parts = parser.value("screen").split(QLatin1Char('x'));
        if (parts.size() != 2) {
            throw UsageError("--screen takes WxH, for example 1024x768");
        }
        request.screenWidth = positiveNumber(parts[0], "--screen");
        request.screenHeight = positiveNumber(parts[1], "--screen");
    }
    if (!request.report && request.exportPath.isEmpty()) {
        throw UsageError("--report or --export is needed without a window");
    }
    if (!request.saveProject.isEmpty()) {
        throw UsageError("--save-project is not available in this version");
    }
    return request;
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

QJsonObject setReport(const Session& session, const DrawingResults& drawing, int number)
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
    return out;
}

QJsonObject report(const Session& session, const ScriptedPrompter& prompter, const DrawingResults& drawing,
                   const QString& outcome)
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
        sets.append(setReport(session, drawing, 1));
    }
    if (session.overlayLoaded) {
        sets.append(setReport(session, drawing, 2));
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
        if (a == "--report" || a == "--export" || a.startsWith("--export=")) {
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
    try {
        request = parseArguments(arguments, parser);
    } catch (const UsageError& e) {
        err << "quantiview: " << e.what() << "\n" << "Try 'quantiview --help'.\n";
        return 2;
    }

    Session session;
    ScriptedPrompter prompter;
    startUp(session, screenFontFamilies(), ArialTwin);
    session.documentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
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
            err << "quantiview: " << e.what() << "\n";
            return 2;
        }
    }

    // The chart is laid out for the screen as the window would be, at 15 twips a pixel.
    QtTextMeasurer measurer;
    PlotRoutine plot(session, prompter, measurer);
    plot.layout() = designLayout(request.screenWidth * 15.0, request.screenHeight * 15.0);
    DrawOutcome drawn = DrawOutcome::Drawn;
    session.drawPlot = [&] { drawn = plot.drawPlot(); };
    session.clearPlot = [&] { plot.clear(); };

    prompter.dataFileAnswers.push_back(request.answers);
    bool loaded = openFromCommandLine(session, prompter, request.file.toStdString());
    if (loaded && !request.overlay.isEmpty()) {
        prompter.openAnswers.push_back(request.overlay.toStdString());
        prompter.dataFileAnswers.push_back(request.answers);
        loaded = inputOverlayData(session, prompter);
    }
    if (loaded && !request.sets.empty()) {
        for (const auto& [id, value] : request.sets) {
            session.settings.setFromText(id, value);
        }
        session.requestDraw();
    }
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
            const ExportResult result = exportChart(plot.scene(), request.exportPath);
            if (!result.ok) {
                written = false;
                prompter.message(result.errorText.toStdString(), "Export Error", MessageIcon::Warning);
                err << "quantiview: " << result.errorText << "\n";
            }
        }
    }
    if (request.report) {
        out << QJsonDocument(report(session, prompter, plot.results(), outcome)).toJson(QJsonDocument::Indented);
    }
    return outcome == "drawn" && written ? 0 : 1;
}

} // namespace qv
