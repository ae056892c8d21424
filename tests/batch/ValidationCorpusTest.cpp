// The validation corpus run through the program as --validate runs it: every
// case must pass here first, so the corpus never drifts from the code; a
// changed corpus fails naming its file; the command line's report and status.
#include "batch/BatchRun.h"
#include "batch/ValidationReport.h"
#include "support/TempFiles.h"

#include <QFile>
#include <QJsonArray>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace qv {
namespace {

TEST(ValidationCorpus, EveryCasePassesThroughTheProgramsOwnCode)
{
    ValidationSession session(QStringLiteral(QV_VALIDATION_DIR));
    ValidationRun& run = session.run();
    run.runAll();
    for (const CaseRecord& r : run.cases()) {
        const ValidationCase& c = r.validationCase;
        EXPECT_TRUE(r.result.passed) << "case " << c.id << " (" << c.caseFile << " line " << c.line
                                     << "): expected " << c.expected << " " << c.tolerance.text()
                                     << ", obtained " << r.result.obtained << " " << r.result.note;
    }
    for (const CorpusFileCheck& f : run.files()) {
        EXPECT_EQ(f.state, CorpusFileState::Intact) << f.path;
    }
    EXPECT_GE(run.caseCount(), 60);
    EXPECT_TRUE(run.allPassed());
}

TEST(ValidationCorpus, EveryKindAndEveryCorpusFileIsUsed)
{
    ValidationSession session(QStringLiteral(QV_VALIDATION_DIR));
    std::set<std::string> kinds;
    std::set<std::string> read{"README.txt"};
    for (const CaseRecord& r : session.run().cases()) {
        kinds.insert(r.validationCase.kind);
        read.insert(r.validationCase.caseFile);
        read.insert(r.validationCase.input("file"));
    }
    for (const CaseKind& kind : validationCaseKinds()) {
        EXPECT_TRUE(kinds.contains(std::string(kind.name))) << kind.name;
    }
    for (const CorpusFileCheck& f : session.run().files()) {
        EXPECT_TRUE(read.contains(f.path)) << f.path << " is read by no case";
    }
}

TEST(ValidationCorpus, AChangedLotFailsItsCasesAndTheReportNamesIt)
{
    test::TempFiles files;
    const std::filesystem::path copy = files.path("corpus");
    std::filesystem::copy(QV_VALIDATION_DIR, copy, std::filesystem::copy_options::recursive);
    std::ofstream(copy / "lots/one_to_five.txt", std::ios::app) << "6\n";

    ValidationSession session(QString::fromStdString(copy.string()));
    ValidationRun& run = session.run();
    run.runAll();
    int failed = 0;
    for (const CaseRecord& r : run.cases()) {
        const bool readsIt = r.validationCase.input("file") == "lots/one_to_five.txt";
        EXPECT_EQ(r.result.passed, !readsIt) << r.validationCase.id;
        if (readsIt) {
            ++failed;
            EXPECT_NE(r.result.note.find("corpus file lots/one_to_five.txt is changed"),
                      std::string::npos);
        }
    }
    EXPECT_GT(failed, 10);
    const QString summary = validationSummary(run);
    EXPECT_TRUE(summary.startsWith("FAILED: ")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("lots/one_to_five.txt changed")) << summary.toStdString();

    const QJsonObject json = validationJson(run, currentEnvironment(session.corpusFolder()));
    EXPECT_FALSE(json["summary"].toObject()["all_passed"].toBool());
    EXPECT_EQ(json["summary"].toObject()["files_changed_or_missing"].toInt(), 1);
}

TEST(ValidateOption, WritesThePdfPrintsTheJsonAndExitsWithZeroWhenEveryCasePasses)
{
    test::TempFiles files;
    const QString pdf = QString::fromStdString(files.path("v.pdf"));
    const test::BatchRun run = test::runReport({"--validate", pdf, "--report"});
    EXPECT_EQ(run.status, 0) << run.errors.toStdString();
    const QJsonObject& r = run.report;
    EXPECT_EQ(r["program"].toString(), "Quantiview 3.0");
    for (const char* field : {"build", "executable", "machine", "system", "date_time", "corpus"}) {
        EXPECT_FALSE(r[field].toString().isEmpty()) << field;
    }
    const QJsonObject first = r["cases"].toArray().at(0).toObject();
    for (const char* field : {"id", "kind", "source", "expected", "obtained", "tolerance"}) {
        EXPECT_FALSE(first[field].toString().isEmpty()) << field;
    }
    EXPECT_TRUE(r["summary"].toObject()["all_passed"].toBool());
    EXPECT_TRUE(run.errors.startsWith("quantiview: PASSED: ")) << run.errors.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
}

TEST(ValidateOption, RefusesFilesAndAnEmptyReportName)
{
    const test::Refused rows[] = {
        {{"--validate", "v.pdf", "lot.csv"}, "--validate takes no FILE"},
        {{"--validate", ""}, "--validate is given an empty file name"},
    };
    test::expectRefused(2, rows);
}

} // namespace
} // namespace qv
