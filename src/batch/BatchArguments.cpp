#include "batch/BatchArguments.h"

#include "batch/PlanDesignOutput.h"
#include "batch/UsageError.h"
#include "render/ChartExport.h"
#include "render/QtText.h"

#include <QCommandLineParser>

#include <algorithm>

namespace qv {

namespace {

constexpr const char* ExitStatusHelp =
    "\nSeveral FILEs:\n"
    "  Each lot is loaded and drawn afresh with the same options, in the order given;\n"
    "  a lot that fails does not stop the others. --report prints one JSON object per\n"
    "  line (JSON Lines), \"outcome\": \"failed\" for a lot that failed. --export,\n"
    "  --oc-curve and --save-project then need {name} in OUT, which stands for each\n"
    "  FILE's name without its folder and last extension (--export charts/{name}.png);\n"
    "  two outputs that would land on the same file are a usage error. With more than\n"
    "  20 FILEs the progress is shown on standard error when that is a terminal.\n"
    "\nNames and outputs:\n"
    "  FILE names are used exactly as given, blanks and bytes that are not UTF-8\n"
    "  included. An empty OUT, two outputs that are one file (through any link or\n"
    "  spelling) and an output that is one of the FILEs are usage errors, found before\n"
    "  anything is written. Each output is written beside its target and renamed over\n"
    "  it once the disk has it; a target that is not a regular file (a device, a FIFO)\n"
    "  is refused. A report that cannot be written to standard output exits with 1.\n"
    "\nExit status:\n"
    "  0  every chart was drawn (warnings allowed)\n"
    "  1  a load or a drawing failed or stopped, a file or the report could not be\n"
    "     written, or --fail-on-reject met a lot without a verdict (no limit set, or\n"
    "     neither the chart's nor the exact plan's verdict available); 1 wins over 3\n"
    "  2  usage error: an unknown option, a bad value, no FILE, an empty or colliding\n"
    "     OUT, a picture format other than .png, .bmp, .svg or .pdf, a column the file\n"
    "     does not have, --columns other than the fields of the file's second line, or\n"
    "     no display for the window\n"
    "  3  with --fail-on-reject: the main set of a lot was rejected by any verdict given\n"
    "     (the chart's or the exact plan's Ts above the upper limit, \"accepted\": false or\n"
    "     \"accepted_exact\": false in the report) and no lot failed\n";

int positiveNumber(const QString& text, const char* option)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1) {
        throw UsageError(std::string(option) + " takes a whole number of 1 or more");
    }
    return n;
}

void declareOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        "Quantiview: probability charts for sampling inspection by variables.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("FILE...", "Data files or project files (.qvw) to open; several "
                                            "FILEs are drawn one after the other (see below).");
    parser.addOptions({
        {"report", "Print the chart's report as JSON (one line per FILE with several)."},
        {"export", "Write the chart picture to OUT (.png, .bmp, .svg, .pdf).", "OUT"},
        {"oc-curve",
         "Write the OC curve of the main set's exact sampling plan to OUT (.png, .bmp, .svg, "
         ".pdf).",
         "OUT"},
        {"validate",
         "Run the validation corpus installed with the program through it and write the "
         "report to OUT.pdf (with --report also as JSON); exit 0 when every case passed.",
         "OUT.pdf"},
        {"fail-on-reject", "Exit with 3 when any verdict rejects the main set of a lot (the "
                           "chart's or the exact Ts above the upper limit)."},
        {"columns", "Fields per data line.", "N"},
        {"value-column", "Field that holds the value: its number, or its name in the labels row.",
         "C"},
        {"sigma-column",
         "Field that holds the uncertainty: its number, or its name in the labels row.", "C"},
        {"decimal-comma", "A comma is the decimal mark (fields are separated by semicolons, "
                          "blanks and tabs); detected in files whose lines hold semicolons."},
        {"labels", "The first line holds column labels."},
        {"no-labels", "The first line holds data."},
        {"overlay", "Load FILE2 as the overlay.", "FILE2"},
        {"set", "Set one setting by its name (repeatable).", "NAME=VALUE"},
        {"save-project", "Write the project file after drawing.", "OUT.qvw"},
        {"screen", "Screen size in pixels for the layout.", "WxH"},
        {"design-plan",
         "Print as JSON the smallest sampling plans (s-method and sigma-method) that accept the "
         "AQL with at least 1 - ALPHA and the LTPD with BETA; PLAN is AQL:ALPHA:LTPD:BETA in "
         "fractions (0.01:0.05:0.06:0.10), AQL below LTPD, risks between 0 and 0.5. Needs no "
         "FILE and takes no other option.",
         "PLAN"},
    });
}

// A column option: a number when the value is all digits, else the column's name.
void readColumn(const QCommandLineParser& parser, const char* option, std::optional<int>& number,
                std::optional<std::string>& name)
{
    if (!parser.isSet(option)) {
        return;
    }
    const QString value = parser.value(option);
    const bool digits = !value.isEmpty() && std::all_of(value.begin(), value.end(),
                                                        [](QChar c) { return c.isDigit(); });
    const std::string flag = std::string("--") + option;
    if (digits) {
        number = positiveNumber(value, flag.c_str());
    } else if (value.trimmed().isEmpty()) {
        throw UsageError(flag + " takes a column number or a column name");
    } else {
        name = toUtf8(value);
    }
}

// The Data File Parameters answers: --columns, the value and uncertainty columns, --labels.
DataFileAnswers dataFileAnswers(const QCommandLineParser& parser)
{
    DataFileAnswers answers;
    if (parser.isSet("columns")) {
        answers.columns = positiveNumber(parser.value("columns"), "--columns");
    }
    readColumn(parser, "value-column", answers.valueColumn, answers.valueColumnName);
    readColumn(parser, "sigma-column", answers.sigmaColumn, answers.sigmaColumnName);
    answers.decimalComma = parser.isSet("decimal-comma");
    if (parser.isSet("labels") && parser.isSet("no-labels")) {
        throw UsageError("--labels and --no-labels exclude each other");
    }
    if (parser.isSet("labels")) {
        answers.labels = true;
    } else if (parser.isSet("no-labels")) {
        answers.labels = false;
    }
    return answers;
}

SettingValues settingValues(const QStringList& assignments)
{
    SettingValues sets;
    for (const QString& assignment : assignments) {
        const auto eq = assignment.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            throw UsageError("--set takes NAME=VALUE, not " + toUtf8(assignment));
        }
        const std::string name = toUtf8(assignment.left(eq));
        const auto id = findControl(name);
        if (!id) {
            throw UsageError("unknown setting " + name);
        }
        sets.emplace_back(*id, toUtf8(assignment.mid(eq + 1)));
    }
    return sets;
}

// An output option's file name: empty when the option is not given; given
// empty (an unset variable in a script), a usage error. A picture's format
// must be known before anything is drawn.
QString outputName(const QCommandLineParser& parser, const char* option, bool picture)
{
    if (!parser.isSet(option)) {
        return {};
    }
    const QString name = parser.value(option);
    if (name.isEmpty()) {
        throw UsageError(std::string("--") + option + " is given an empty file name");
    }
    if (picture && !knownPictureFormat(name)) {
        throw UsageError(std::string("--") + option + " " + toUtf8(name) +
                         ": unknown picture format, use .png, .bmp, .svg or .pdf");
    }
    return name;
}

void readScreen(const QString& text, BatchArguments& arguments)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2) {
        throw UsageError("--screen takes WxH, for example 1024x768");
    }
    arguments.screenWidth = positiveNumber(parts[0], "--screen");
    arguments.screenHeight = positiveNumber(parts[1], "--screen");
    if (arguments.screenWidth > MaxScreenPixels || arguments.screenHeight > MaxScreenPixels) {
        throw UsageError("--screen takes at most " + std::to_string(MaxScreenPixels) +
                         " pixels a side");
    }
}

} // namespace

BatchArguments parseBatchArguments(const QStringList& arguments, QCommandLineParser& parser)
{
    declareOptions(parser);
    if (!parser.parse(arguments)) {
        throw UsageError(toUtf8(parser.errorText()));
    }
    BatchArguments request;
    if (parser.isSet("help")) {
        request.help = true;
        return request;
    }
    if (parser.isSet("version")) {
        request.version = true;
        return request;
    }
    if (parser.isSet("design-plan")) {
        if (parser.optionNames().size() > 1 || !parser.positionalArguments().isEmpty()) {
            throw UsageError("--design-plan takes no FILE and no other option");
        }
        request.designPlan = readPlanRequirements(parser.value("design-plan"));
        return request;
    }
    request.report = parser.isSet("report");
    request.validatePath = outputName(parser, "validate", false);
    if (!request.validatePath.isEmpty()) {
        if (!parser.positionalArguments().isEmpty()) {
            throw UsageError("--validate takes no FILE");
        }
        return request;
    }
    request.failOnReject = parser.isSet("fail-on-reject");
    request.exportPath = outputName(parser, "export", true);
    request.ocCurvePath = outputName(parser, "oc-curve", true);
    request.files = parser.positionalArguments();
    if (request.files.isEmpty()) {
        throw UsageError("FILE is missing");
    }
    request.answers = dataFileAnswers(parser);
    request.overlay = parser.value("overlay");
    request.saveProject = outputName(parser, "save-project", false);
    request.sets = settingValues(parser.values("set"));
    if (parser.isSet("screen")) {
        readScreen(parser.value("screen"), request);
    }
    if (!request.report && request.exportPath.isEmpty() && request.ocCurvePath.isEmpty()) {
        throw UsageError("--report, --export or --oc-curve is needed with options");
    }
    return request;
}

QString batchHelpText(const QCommandLineParser& parser)
{
    return parser.helpText() + QLatin1String(ExitStatusHelp);
}

} // namespace qv
