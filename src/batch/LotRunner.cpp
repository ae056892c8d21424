#include "batch/LotRunner.h"

#include "batch/BatchArguments.h"
#include "batch/BatchPrompter.h"
#include "batch/BatchReport.h"
#include "batch/JsonWriter.h"
#include "batch/OcCurveOutput.h"
#include "batch/OutputNames.h"
#include "core/Errors.h"
#include "core/Units.h"
#include "core/document/ChartDocument.h"
#include "core/document/GraphOutput.h"
#include "core/document/LotDecisionText.h"
#include "core/model/Settings.h"
#include "render/QtText.h"
#include "render/ScreenFonts.h"

#include <QFileDevice>
#include <QIODevice>
#include <QStandardPaths>
#include <QTextStream>

#include <future>
#include <thread>

namespace qv {

namespace {

QString qs(const std::string& text)
{
    return toQString(text);
}

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

} // namespace

// The report is UTF-8 already: into a file or pipe it goes as it is, without
// the stream's conversion to text and back (tens of megabytes for a large lot).
void writeUtf8(QTextStream& out, std::string_view text)
{
    const auto size = static_cast<qsizetype>(text.size());
    QIODevice* device = out.device();
    if (!device) {
        out << QString::fromUtf8(text.data(), size);
        return;
    }
    out.flush();
    // Handed on at once, so that a full disk or a closed pipe shows in the stream's status.
    auto* file = qobject_cast<QFileDevice*>(device);
    if (device->write(text.data(), size) != size || (file && !file->flush())) {
        out.setStatus(QTextStream::WriteFailed);
    }
}

LotRunner::LotRunner(const BatchArguments& arguments)
    : m_arguments(arguments),
      m_fonts(std::async(std::thread::hardware_concurrency() > 1 ? std::launch::async
                                                                 : std::launch::deferred,
                         [] { return sortedFontList(screenFontFamilies()); })
                  .share()),
      m_layout(designLayout(arguments.screenWidth * TwipsPerScreenPixel,
                            arguments.screenHeight * TwipsPerScreenPixel)),
      m_documentsFolder(
          toUtf8(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))),
      m_many(arguments.files.size() > 1)
{
}

LotRunner::LotRunner(const LotRunner& other)
    : m_arguments(other.m_arguments), m_fonts(other.m_fonts), m_layout(other.m_layout),
      m_documentsFolder(other.m_documentsFolder), m_many(other.m_many)
{
}

LotResult LotRunner::run(const QString& file, QTextStream& out, QTextStream& err) const
{
    const OutputNames outputs = OutputNames::forLot(m_arguments, file);
    LotResult lot;

    // The chart is laid out for the screen as the window would be.
    BatchPrompter prompter;
    ChartDocument document(prompter, m_measurer);
    document.startUp(m_layout, ChartDocument::FontSource([this] { return fonts(); }), ArialTwin);
    Session& session = document.session();
    session.fileDialogs.documentsFolder = m_documentsFolder;
    session.fileDialogs.dataFolder = session.fileDialogs.documentsFolder;

    const bool overlay = !m_arguments.overlay.isEmpty();
    prompter.dataFileAnswers.push_back(m_arguments.answers);
    if (overlay) {
        prompter.openAnswers.push_back(nameBytes(m_arguments.overlay));
        prompter.dataFileAnswers.push_back(m_arguments.answers);
    }
    const LotRun run = runLot(document, nameBytes(file), overlay, m_arguments.sets);
    // A load that failed before reading its file never asked for them.
    document.settleFonts();
    const QString lastFile = run.lastTarget == 2 ? m_arguments.overlay : file;
    if (!prompter.refusal.empty()) {
        lot.refused = true;
        lot.failed = true;
        err << "quantiview: " << lastFile << ": " << qs(prompter.refusal) << "\n";
        if (!m_many) {
            return lot;
        }
    }
    const std::string silent = silentFailure(document, prompter, lastFile);
    // Only a lot judged against a limit has a verdict to miss; the decisions of
    // a large lot are not worked out for nothing. When the picture is all there
    // is to write, they are worked out beside it on another processor.
    const bool judged = run.loaded && judgesAgainstALimit(document.decisionSettings());
    const bool beside = judged && !m_many && outputs.ocCurvePath.isEmpty() &&
                        outputs.saveProject.isEmpty() && std::thread::hardware_concurrency() > 1;
    auto decision =
        std::async(beside ? std::launch::async : std::launch::deferred,
                   [&document, judged] { return judged ? document.lotDecision(1) : nullptr; });
    const bool written = writeOutputs(document, prompter, run, outputs, err);
    const LotDecision* const decided = decision.get();
    if (!silent.empty()) {
        err << "quantiview: " << qs(silent) << "\n";
    }
    tell(document, prompter, run.outcome, file, out, err);
    noteMissingChartVerdict(decided, file, err);
    lot.failed = lot.failed || run.outcome != LotOutcome::Drawn || !written;
    if (m_arguments.failOnReject && run.outcome == LotOutcome::Drawn) {
        judge(document, file, lot, err);
    }
    return lot;
}

bool LotRunner::writeOutputs(ChartDocument& document, BatchPrompter& prompter, const LotRun& run,
                             const OutputNames& outputs, QTextStream& err) const
{
    bool written = true;
    // The picture is written whatever the drawing left, as Save Graph As would
    // capture it; a failed load leaves nothing to draw, and nothing to save.
    if (!outputs.exportPath.isEmpty()) {
        written = run.loaded && pictureWritten(exportChart(document.scene(), outputs.exportPath,
                                                           printOrientation(document.settings())),
                                               prompter, err);
    }
    if (!outputs.ocCurvePath.isEmpty()) {
        const auto oc = writeOcCurve(document, run.loaded && run.outcome == LotOutcome::Drawn,
                                     m_measurer, outputs.ocCurvePath, err);
        if (!oc || !pictureWritten(*oc, prompter, err)) {
            written = false;
        }
    }
    if (!outputs.saveProject.isEmpty()) {
        if (!run.loaded) {
            written = false;
        } else if (!document.writeProject(nameBytes(outputs.saveProject))) {
            written = false;
            if (m_arguments.report) {
                err << "quantiview: " << outputs.saveProject
                    << " was not written: " << qs(prompter.messages.back().text) << "\n";
            }
        }
    }
    return written;
}

bool LotRunner::pictureWritten(const ExportResult& result, BatchPrompter& prompter,
                               QTextStream& err) const
{
    if (result.ok) {
        return true;
    }
    prompter.message(toUtf8(result.errorText), "Export Error", MessageIcon::Warning);
    if (m_arguments.report) {
        err << "quantiview: " << result.errorText << "\n";
    }
    return false;
}

void LotRunner::tell(const ChartDocument& document, const BatchPrompter& prompter,
                     LotOutcome outcome, const QString& file, QTextStream& out,
                     QTextStream& err) const
{
    if (m_arguments.report) {
        JsonWriter json(m_many ? JsonWriter::Layout::Compact : JsonWriter::Layout::Indented,
                        [&out](std::string_view text) { writeUtf8(out, text); });
        writeLotReport(json, document, prompter, outcome);
        json.finish();
        if (m_many) {
            out << "\n";
        }
        out.flush();
        return;
    }
    // Without a report nothing would show the messages: each goes to stderr.
    for (const RecordedMessage& m : prompter.messages) {
        if (m_many) {
            err << file << ": ";
        }
        err << qs(m.title) << ": " << qs(m.text) << "\n";
    }
}

// The chart's verdict is missing where the written k is not positive: say why,
// since the report only shows null.
void LotRunner::noteMissingChartVerdict(const LotDecision* decision, const QString& file,
                                        QTextStream& err)
{
    if (decision && decision->verdict && !decision->verdict->accepted) {
        err << "quantiview: " << file
            << ": the chart's verdict is not available: " << qs(chartKNote(*decision)) << "\n";
    }
}

void LotRunner::judge(const ChartDocument& document, const QString& file, LotResult& lot,
                      QTextStream& err) const
{
    const LotJudgement judgement = judgeLot(document);
    switch (judgement) {
    case LotJudgement::Unjudged:
    case LotJudgement::NoVerdictGiven:
        // A lot that cannot be judged must not pass as accepted.
        err << "quantiview: " << file
            << (judgement == LotJudgement::Unjudged
                    ? ": no limit is set (PlotOpts.LimitLines, PlotOpts.ULimit, "
                      "PlotOpts.LLimit), so "
                    : ": neither the chart's nor the exact verdict is available, so ")
            << "--fail-on-reject cannot judge the lot\n";
        lot.failed = true;
        break;
    case LotJudgement::Rejected:
        lot.rejected = true;
        break;
    case LotJudgement::Accepted:
        break;
    }
}

} // namespace qv
