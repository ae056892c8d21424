#include "batch/ValidationReport.h"

#include "core/model/Session.h"
#include "render/QtText.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSysInfo>
#include <QTextStream>

namespace qv {

namespace {

QString qs(const std::string& text)
{
    return toQString(text);
}

QString fileSha256(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        return QStringLiteral("unreadable");
    }
    return QString::fromLatin1(hash.result().toHex());
}

QString compilerName()
{
#if defined(__clang__)
    return QStringLiteral("Clang ") + QStringLiteral(__clang_version__);
#elif defined(__GNUC__)
    return QStringLiteral("GCC ") + QStringLiteral(__VERSION__);
#else
    return QStringLiteral("unknown compiler");
#endif
}

QString obtainedText(const CaseRecord& record)
{
    return record.result.obtained.empty() ? QStringLiteral("no value") : qs(record.result.obtained);
}

// What a case's line says in the source column: its source, and before it why
// it failed when not for its value.
QString sourceText(const CaseRecord& record)
{
    const QString source = qs(record.validationCase.source);
    return record.result.note.empty() ? source : qs(record.result.note) + " | " + source;
}

int changedFiles(const ValidationRun& run)
{
    return static_cast<int>(
        std::count_if(run.files().begin(), run.files().end(), [](const auto& f) {
            return f.state == CorpusFileState::Changed || f.state == CorpusFileState::Missing;
        }));
}

// Paints the report's lines onto pages of a PDF, a new page when one is full.
class PdfPages
{
public:
    PdfPages(QPdfWriter& writer, QPainter& painter)
        : m_writer(writer), m_painter(painter), m_area(painter.viewport())
    {
        m_font.setFamily(QStringLiteral("Liberation Sans"));
        setSize(PlainPoints, false);
    }

    void setSize(double points, bool bold)
    {
        m_font.setPointSizeF(points);
        m_font.setBold(bold);
        m_painter.setFont(m_font);
    }
    double width() const { return m_area.width(); }

    // One line of cells, each starting at its fraction of the width and elided to
    // the next; red when `failed`.
    void row(const QStringList& cells, const std::vector<double>& starts, bool failed = false);
    void line(const QString& text) { row({text}, {0.0}); }
    // A table's column names in bold, repeated on every page the table reaches.
    void heading(const QStringList& cells, const std::vector<double>& starts)
    {
        boldRow(cells, starts);
        m_heading = cells;
        m_headingStarts = starts;
    }
    void endTable()
    {
        m_heading.clear();
        gap();
    }
    void gap() { m_y += m_painter.fontMetrics().lineSpacing() * 0.6; }
    void finish() { footer(); }

    static constexpr double PlainPoints = 6.5;

private:
    void footer()
    {
        const QFont kept = m_font;
        setSize(PlainPoints, false);
        m_painter.setPen(Qt::black);
        m_painter.drawText(QPointF(0, m_area.height() - m_painter.fontMetrics().descent()),
                           QStringLiteral("Quantiview validation report, page %1").arg(m_page));
        setSize(kept.pointSizeF(), kept.bold());
    }
    // A row in bold at the present size; the font is as it was afterwards.
    void boldRow(const QStringList& cells, const std::vector<double>& starts)
    {
        const QFont kept = m_font;
        setSize(kept.pointSizeF(), true);
        row(cells, starts);
        setSize(kept.pointSizeF(), kept.bold());
    }
    void newPage()
    {
        footer();
        m_writer.newPage();
        ++m_page;
        m_y = 0;
        if (!m_heading.isEmpty()) {
            boldRow(m_heading, m_headingStarts);
        }
    }

    QPdfWriter& m_writer;
    QPainter& m_painter;
    QRect m_area;
    QFont m_font;
    QStringList m_heading; // the table's column names, repeated at the top of each new page
    std::vector<double> m_headingStarts;
    double m_y = 0;
    int m_page = 1;
};

void PdfPages::row(const QStringList& cells, const std::vector<double>& starts, bool failed)
{
    const double height = m_painter.fontMetrics().lineSpacing();
    if (m_y + height > m_area.height() - 2 * height) {
        newPage();
    }
    m_painter.setPen(failed ? QColor(170, 0, 0) : QColor(Qt::black));
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const double left = starts[static_cast<std::size_t>(i)] * width();
        const double right = i + 1 < cells.size()
                                 ? starts[static_cast<std::size_t>(i) + 1] * width() - height * 0.4
                                 : width();
        const int room = static_cast<int>(right - left);
        const QString text = m_painter.fontMetrics().elidedText(cells[i], Qt::ElideMiddle, room);
        m_painter.drawText(QPointF(left, m_y + m_painter.fontMetrics().ascent()), text);
    }
    m_y += height;
}

const std::vector<double> CaseColumns{0.0, 0.035, 0.175, 0.23, 0.345, 0.46, 0.52};

void paintHeading(PdfPages& pages, const ValidationRun& run, const ValidationEnvironment& e)
{
    pages.setSize(12, true);
    pages.line(QStringLiteral("Quantiview installation validation report"));
    pages.setSize(PdfPages::PlainPoints + 1, false);
    const std::pair<const char*, QString> facts[] = {
        {"Program", e.program},       {"Build", e.build},
        {"Executable", e.executable}, {"Machine", e.machine},
        {"System", e.system},         {"Date and time (UTC)", e.dateTime},
        {"Corpus", e.corpus},         {"Result", validationSummary(run)}};
    for (const auto& [name, value] : facts) {
        pages.row({QString::fromLatin1(name), value}, {0.0, 0.12});
    }
    pages.gap();
}

void paintCases(PdfPages& pages, const ValidationRun& run)
{
    pages.setSize(PdfPages::PlainPoints, false);
    pages.heading({"Result", "Case", "Kind", "Expected", "Obtained", "Tolerance", "Source"},
                  CaseColumns);
    for (const CaseRecord& r : run.cases()) {
        const ValidationCase& c = r.validationCase;
        pages.row({r.result.passed ? QStringLiteral("pass") : QStringLiteral("FAIL"), qs(c.id),
                   qs(c.kind), qs(c.expected), obtainedText(r), qs(c.tolerance.text()),
                   sourceText(r)},
                  CaseColumns, !r.result.passed);
    }
    pages.endTable();
}

void paintFiles(PdfPages& pages, const ValidationRun& run)
{
    const std::vector<double> columns{0.0, 0.2, 0.3, 0.65};
    pages.setSize(PdfPages::PlainPoints, false);
    pages.heading({"Corpus file", "State", "SHA-256 built into the program", "SHA-256 found"},
                  columns);
    for (const CorpusFileCheck& f : run.files()) {
        pages.row({qs(f.path), QString::fromLatin1(stateName(f.state)), qs(f.expected),
                   f.actual.empty() ? QStringLiteral("none") : qs(f.actual)},
                  columns,
                  f.state == CorpusFileState::Changed || f.state == CorpusFileState::Missing);
    }
    pages.endTable();
    pages.setSize(PdfPages::PlainPoints + 2, true);
    pages.line(QStringLiteral("Summary: ") + validationSummary(run));
}

} // namespace

ValidationEnvironment currentEnvironment(const QString& corpusFolder)
{
    ValidationEnvironment e;
    e.program = QStringLiteral("Quantiview ") + QString::fromLatin1(ProgramVersion);
    e.build = compilerName() + QStringLiteral(", Qt ") + QStringLiteral(QT_VERSION_STR) +
              QStringLiteral(" (running ") + QString::fromLatin1(qVersion()) +
              QStringLiteral("), ") + QStringLiteral(QV_BUILD_TYPE) + QStringLiteral(" build");
    const QString program = QCoreApplication::applicationFilePath();
    e.executable =
        program + QStringLiteral(" (SHA-256 ") + fileSha256(program) + QStringLiteral(")");
    e.machine =
        QSysInfo::machineHostName() + QStringLiteral(", ") + QSysInfo::currentCpuArchitecture();
    e.system = QSysInfo::prettyProductName() + QStringLiteral(", kernel ") +
               QSysInfo::kernelType() + QStringLiteral(" ") + QSysInfo::kernelVersion();
    e.dateTime = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    e.corpus = corpusFolder;
    return e;
}

QString validationSummary(const ValidationRun& run)
{
    const int passed = run.passedCount();
    const int total = run.caseCount();
    QString text = (run.allPassed() ? QStringLiteral("PASSED: ") : QStringLiteral("FAILED: ")) +
                   QStringLiteral("%1 of %2 cases passed").arg(passed).arg(total);
    if (passed < total) {
        text += QStringLiteral(", %1 failed").arg(total - passed);
    }
    QStringList faults;
    int intact = 0;
    for (const CorpusFileCheck& f : run.files()) {
        if (f.state == CorpusFileState::Intact) {
            ++intact;
        } else {
            faults << qs(f.path) + QStringLiteral(" ") + QString::fromLatin1(stateName(f.state));
        }
    }
    text += QStringLiteral("; %1 corpus files intact").arg(intact);
    if (!faults.isEmpty()) {
        text += QStringLiteral("; ") + faults.join(QStringLiteral(", "));
    }
    return text + QStringLiteral(".");
}

QJsonObject validationJson(const ValidationRun& run, const ValidationEnvironment& e)
{
    QJsonArray cases;
    for (const CaseRecord& r : run.cases()) {
        const ValidationCase& c = r.validationCase;
        cases.append(QJsonObject{{"id", qs(c.id)},
                                 {"kind", qs(c.kind)},
                                 {"inputs", qs(c.inputText())},
                                 {"source", qs(c.source)},
                                 {"expected", qs(c.expected)},
                                 {"obtained", qs(r.result.obtained)},
                                 {"tolerance", qs(c.tolerance.text())},
                                 {"passed", r.result.passed},
                                 {"note", qs(r.result.note)},
                                 {"case_file", qs(c.caseFile)},
                                 {"line", c.line}});
    }
    QJsonArray files;
    for (const CorpusFileCheck& f : run.files()) {
        files.append(QJsonObject{{"path", qs(f.path)},
                                 {"state", QString::fromLatin1(stateName(f.state))},
                                 {"built_in_sha256", qs(f.expected)},
                                 {"sha256", qs(f.actual)}});
    }
    return QJsonObject{{"program", e.program},
                       {"build", e.build},
                       {"executable", e.executable},
                       {"machine", e.machine},
                       {"system", e.system},
                       {"date_time", e.dateTime},
                       {"corpus", e.corpus},
                       {"cases", cases},
                       {"corpus_files", files},
                       {"summary", QJsonObject{{"text", validationSummary(run)},
                                               {"cases", run.caseCount()},
                                               {"passed", run.passedCount()},
                                               {"failed", run.caseCount() - run.passedCount()},
                                               {"files_changed_or_missing", changedFiles(run)},
                                               {"all_passed", run.allPassed()}}}};
}

QString writeValidationPdf(const ValidationRun& run, const ValidationEnvironment& environment,
                           const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(QStringLiteral("Quantiview installation validation report"));
        writer.setCreator(environment.program);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
        QPainter painter(&writer);
        if (!painter.isActive()) {
            file.cancelWriting();
            return QStringLiteral("the PDF could not be started");
        }
        PdfPages pages(writer, painter);
        paintHeading(pages, run, environment);
        paintCases(pages, run);
        paintFiles(pages, run);
        pages.finish();
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

int runValidation(const QString& pdfPath, bool json, QTextStream& out, QTextStream& err)
{
    ValidationSession session;
    session.run().runAll();
    const ValidationEnvironment environment = currentEnvironment(session.corpusFolder());
    const QString failure = writeValidationPdf(session.run(), environment, pdfPath);
    if (json) {
        out << QJsonDocument(validationJson(session.run(), environment))
                   .toJson(QJsonDocument::Indented);
        out.flush();
    }
    for (const CaseRecord& r : session.run().cases()) {
        if (!r.result.passed) {
            err << "quantiview: case " << qs(r.validationCase.id) << " failed: expected "
                << qs(r.validationCase.expected) << ", obtained " << obtainedText(r)
                << (r.result.note.empty() ? QString()
                                          : QStringLiteral(" (") + qs(r.result.note) + ")")
                << "\n";
        }
    }
    err << "quantiview: " << validationSummary(session.run()) << "\n";
    if (!failure.isEmpty()) {
        err << "quantiview: " << pdfPath << " was not written: " << failure << "\n";
    }
    err.flush();
    return session.run().allPassed() && failure.isEmpty() ? 0 : 1;
}

} // namespace qv
