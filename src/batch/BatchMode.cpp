#include "batch/BatchMode.h"

#include "batch/BatchArguments.h"
#include "batch/BatchProgress.h"
#include "batch/LotRunner.h"
#include "batch/OutputNames.h"
#include "batch/PlanDesignOutput.h"
#include "batch/UsageError.h"
#include "batch/ValidationReport.h"
#include "core/io/PlatformFiles.h"
#include "core/model/Session.h"
#include "render/QtText.h"
#include "render/ScreenFonts.h"

#include <QCommandLineParser>
#include <QIODevice>
#include <QTextStream>

#include <cstdio>
#include <stdexcept>

namespace qv {

namespace {

// Progress is shown for runs over more files than this.
constexpr int ProgressAbove = 20;

int usageError(QTextStream& err, const std::string& text)
{
    err << "quantiview: " << toQString(text) << "\n"
        << "Try 'quantiview --help'.\n";
    return 2;
}

// Runs every lot in the order given, each afresh; returns the exit status.
int runLots(const BatchArguments& arguments, const LotRunner& runner, QTextStream& out,
            QTextStream& err, bool errIsTerminal)
{
    const qsizetype total = arguments.files.size();
    BatchProgress progress(err, total, errIsTerminal && total > ProgressAbove);
    bool refused = false;
    bool failed = false;
    bool rejected = false;
    qsizetype count = 0;
    for (const QString& file : arguments.files) {
        QString said;
        QTextStream lotErr(&said);
        const LotResult lot = runner.run(file, out, lotErr);
        lotErr.flush();
        if (lot.refused && total == 1) {
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
    return arguments.failOnReject && rejected ? 3 : 0;
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
    const int status = runBatch(arguments, out, err, platform::standardErrorIsTerminal());
    // A report cut short by a full disk, a closed pipe or a size limit must
    // not pass for a whole one: the stream is checked once it is flushed.
    out.flush();
    const bool written = out.status() == QTextStream::Ok;
    const QString reason = out.device() ? out.device()->errorString() : QString();
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || !written) {
        err << "quantiview: the output could not be written to standard output"
            << (reason.isEmpty() ? QString() : ": " + reason) << "\n";
        err.flush();
        return status == 2 ? 2 : 1;
    }
    return status;
}

int runBatch(const QStringList& arguments, QTextStream& out, QTextStream& err, bool errIsTerminal)
{
    QCommandLineParser parser;
    BatchArguments request;
    try {
        request = parseBatchArguments(arguments, parser);
        checkOutputNames(request);
    } catch (const UsageError& e) {
        return usageError(err, e.what());
    }
    if (request.help) {
        out << batchHelpText(parser);
        return 0;
    }
    if (request.version) {
        out << "quantiview " << ProgramVersion << "\n";
        return 0;
    }
    if (request.designPlan) {
        return printPlanDesign(*request.designPlan, out, err);
    }

    if (!request.validatePath.isEmpty()) {
        return runValidation(request.validatePath, request.report, out, err);
    }

    const LotRunner runner(request);
    // Every value is checked before anything is loaded, so a typing error costs no
    // load and never leaves a half-applied chart.
    try {
        checkSettingValues(request.sets, runner.fonts(), ArialTwin);
    } catch (const std::invalid_argument& e) {
        return usageError(err, e.what());
    }
    return runLots(request, runner, out, err, errIsTerminal);
}

} // namespace qv
