#pragma once
// One lot of a batch run: loaded and drawn afresh in a chart document of its
// own, its pictures and project written, its report printed or its messages said.

#include "core/document/LotRun.h"
#include "core/plot/ChartLayout.h"
#include "render/ChartExport.h"
#include "render/QtTextMeasurer.h"

#include <QString>

#include <future>
#include <string>
#include <string_view>
#include <vector>

class QTextStream;

namespace qv {

struct BatchArguments;
class BatchPrompter;
class ChartDocument;
struct LotDecision;
struct OutputNames;

struct LotResult
{
    bool refused = false;  // a usage error met while loading (a column the file lacks)
    bool failed = false;   // exit status 1
    bool rejected = false; // the main set was rejected
};

// Writes `text`, UTF-8 already, to the stream's device as it is (through the
// stream's text conversion when it has none); a failed write shows in the
// stream's status.
void writeUtf8(QTextStream& out, std::string_view text);

class LotRunner
{
public:
    // What the lots share is made once: the measurer and its fonts, the font
    // list, the layout for the --screen size, the documents folder.
    // The system's font list is gathered on another processor meanwhile, and
    // only awaited when a lot first needs it.
    explicit LotRunner(const BatchArguments& arguments);
    // A runner for another thread: the same font list, layout and folder, a
    // measurer of its own (it keeps the last font's metrics).
    LotRunner(const LotRunner& other);
    LotRunner& operator=(const LotRunner&) = delete;

    const BatchArguments& arguments() const { return m_arguments; }
    // The font list the lots start up with, once it is gathered.
    const std::vector<std::string>& fonts() const { return m_fonts.get(); }

    // Runs the lot `file` (as given) with the run's options: the report goes to
    // `out`, the failures and, without a report, the messages to `err`. A
    // column the file lacks is refused; of a single FILE that is left to the
    // caller to report as a usage error, without a report.
    LotResult run(const QString& file, QTextStream& out, QTextStream& err) const;

private:
    // Writes the lot's pictures and project; false when one was not written.
    bool writeOutputs(ChartDocument& document, BatchPrompter& prompter, const LotRun& run,
                      const OutputNames& outputs, QTextStream& err) const;
    // False, after showing why, when `result` says a picture was not written.
    bool pictureWritten(const ExportResult& result, BatchPrompter& prompter,
                        QTextStream& err) const;
    // The report on `out`, or without one every message on `err`.
    void tell(const ChartDocument& document, const BatchPrompter& prompter, LotOutcome outcome,
              const QString& file, QTextStream& out, QTextStream& err) const;
    // --fail-on-reject's verdict on a drawn lot.
    static void noteMissingChartVerdict(const LotDecision* decision, const QString& file,
                                        QTextStream& err);
    void judge(const ChartDocument& document, const QString& file, LotResult& lot,
               QTextStream& err) const;

    const BatchArguments& m_arguments;
    QtTextMeasurer m_measurer;
    std::shared_future<std::vector<std::string>> m_fonts;
    ChartLayout m_layout;
    std::string m_documentsFolder;
    bool m_many = false;
};

} // namespace qv
