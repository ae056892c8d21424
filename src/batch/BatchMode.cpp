#include "batch/BatchMode.h"

#include "batch/BatchArguments.h"
#include "batch/BatchProgress.h"
#include "batch/LotPool.h"
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

// What the lots came to, told as they end in the order given.
class LotTally
{
public:
    LotTally(QTextStream& err, qsizetype total, bool errIsTerminal)
        : m_err(err), m_progress(err, total, errIsTerminal && total > ProgressAbove)
    {
    }

    // Takes the next lot's result and shows what it said on stderr.
    void add(const LotResult& lot, const QString& said)
    {
        if (!said.isEmpty()) {
            m_progress.breakLine();
            m_err << said;
        }
        m_progress.done(++m_count);
        m_refused = m_refused || lot.refused;
        m_failed = m_failed || lot.failed;
        m_rejected = m_rejected || lot.rejected;
    }

    int exitStatus(bool failOnReject) const
    {
        if (m_refused) {
            return 2;
        }
        if (m_failed) {
            return 1;
        }
        return failOnReject && m_rejected ? 3 : 0;
    }

private:
    QTextStream& m_err;
    BatchProgress m_progress;
    qsizetype m_count = 0;
    bool m_refused = false;
    bool m_failed = false;
    bool m_rejected = false;
};

// Runs every lot in the order given, each afresh, on as many workers as
// lotWorkers() allows; returns the exit status.
int runLots(const BatchArguments& arguments, const LotRunner& runner, QTextStream& out,
            QTextStream& err, bool errIsTerminal)
{
    const qsizetype total = arguments.files.size();
    LotTally tally(err, total, errIsTerminal);
    const int workers = lotWorkers(arguments);
    if (workers > 1) {
        runLotPool(runner, workers, [&](qsizetype, LotOutput&& lot) {
            writeUtf8(out, std::string_view(lot.out.constData(), static_cast<std::size_t>(lot.out.size())));
            out.flush();
            tally.add(lot.result, lot.err);
        });
        err.flush();
        return tally.exitStatus(arguments.failOnReject);
    }
    for (const QString& file : arguments.files) {
        QString said;
        QTextStream lotErr(&said);
        const LotResult lot = runner.run(file, out, lotErr);
        lotErr.flush();
        if (lot.refused && total == 1) {
            err << said << "Try 'quantiview --help'.\n";
            return 2;
        }
        tally.add(lot, said);
    }
    err.flush();
    return tally.exitStatus(arguments.failOnReject);
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
        checkSettingValues(
            request.sets, [&runner] { return runner.fonts(); }, ArialTwin);
    } catch (const std::invalid_argument& e) {
        return usageError(err, e.what());
    }
    return runLots(request, runner, out, err, errIsTerminal);
}

} // namespace qv
