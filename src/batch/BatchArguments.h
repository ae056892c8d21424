#pragma once
// The batch program's command line: its options, read into what one run asks for.

#include "core/document/LotRun.h"
#include "core/model/ScriptedPrompter.h"
#include "core/stats/decisions/PlanDesign.h"

#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace qv {

// The largest --screen side, in pixels: a chart picture beyond it would take
// gigabytes to paint.
inline constexpr int MaxScreenPixels = 16384;

struct BatchArguments
{
    bool help = false;
    bool version = false;
    QStringList files;
    bool report = false;
    bool failOnReject = false;
    QString exportPath;
    QString ocCurvePath;
    QString validatePath; // --validate: the PDF report of the validation corpus
    QString overlay;
    QString saveProject;
    DataFileAnswers answers;
    SettingValues sets; // --set, by control, in the order given
    int screenWidth = 1024;
    int screenHeight = 768;
    // --design-plan: the plan's requirements; nothing else is asked for then.
    std::optional<PlanRequirements> designPlan;
};

// Declares the options on `parser` and reads `arguments` (the program name
// first) with it. With --help or --version only that flag is set. Throws
// UsageError for an unknown option, a bad value, an unknown setting, a missing
// FILE or no output asked for, and for --design-plan with a malformed or
// faulty AQL:ALPHA:LTPD:BETA, a FILE or any other option. --validate needs no
// FILE. The values of --set are not checked here.
BatchArguments parseBatchArguments(const QStringList& arguments, QCommandLineParser& parser);

// The text --help prints: the options `parser` was given, then the runs over
// several FILEs and the exit statuses.
QString batchHelpText(const QCommandLineParser& parser);

} // namespace qv
