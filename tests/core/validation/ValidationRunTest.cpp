// The validation corpus machinery without a window: checksums, tolerances, the
// case file reader, and a run over a small corpus whose files are changed,
// removed or added behind its back.
#include "core/validation/ValidationRun.h"
#include "core/validation/CorpusReader.h"
#include "core/validation/Sha256.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

TEST(Sha256, GivesThePublishedDigestsOfTheStandardMessages)
{
    // FIPS 180-2, appendix B: one-block, two-block and long messages.
    const std::pair<std::string, const char*> rows[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& [message, digest] : rows) {
        SCOPED_TRACE(message.size());
        EXPECT_EQ(sha256Hex(message), digest);
    }
}

TEST(Tolerance, AcceptsWithinItsAmountAndRejectsBeyondIt)
{
    const struct
    {
        const char* expected;
        const char* obtained;
        const char* tolerance;
        bool agree;
    } rows[] = {
        {"2.355", "2.35464013182906", "printed", true}, // a table's three decimals
        {"2.355", "2.3544", "printed", false},
        {"1.8752", "1.8751896328531303", "printed", true},
        {"1e-3", "0.00104", "printed", true},
        {"1e-3", "0.0016", "printed", false},
        {"0.1", "0.10000000000000002", "rel 1e-6", true},
        {"0.1", "0.1000002", "rel 1e-6", false},
        {"3", "3.0000000000001", "abs 1e-12", true},
        {"3", "3.00001", "abs 1e-12", false},
        {"5", "5", "exact", true},
        {"5", "5.0000001", "exact", false},
        {"\" Ts = 7.09\"", " Ts = 7.09", "exact", true},
        {"\" Ts = 7.09\"", "Ts = 7.09", "exact", false}, // the leading blank counts
        {"\"3\"", "3", "abs 1", false},                  // a text has no tolerance
        {"3", "error 6", "abs 1", false},
        {"3", "inf", "abs 1e300", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.expected) + " / " + row.obtained + " / " + row.tolerance);
        const auto tolerance = parseTolerance(row.tolerance);
        ASSERT_TRUE(tolerance);
        EXPECT_EQ(agrees(row.expected, row.obtained, *tolerance), row.agree);
    }
    for (const char* bad : {"abs", "abs -1", "rel x", "close", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parseTolerance(bad));
    }
    EXPECT_EQ(parseTolerance("rel 1e-07")->text(), "rel 1e-07");
}

TEST(CorpusReader, ReadsEveryCaseLineAndKeepsMalformedOnesAsFailingCases)
{
    const std::string text = "# a note\r\n"
                             "\r\n"
                             "a | lot | file=lots/x.txt; set=PlotOpts.CR=2; set=PlotOpts.LogY=1 | "
                             "\" Ts = 7.09\" | exact | worked example\r\n"
                             "b | exact_k | n=5 | 3.407 | close | table\n"
                             "c | exact_k | n=5 | 3.407\n"
                             "d | exact_k | n5 | 3.407 | printed | table\n";
    const std::vector<ValidationCase> cases = readCases(text, "x.cases");
    ASSERT_EQ(cases.size(), 4u);
    const ValidationCase& a = cases[0];
    EXPECT_EQ(a.id, "a");
    EXPECT_EQ(a.kind, "lot");
    EXPECT_EQ(a.input("file"), "lots/x.txt");
    EXPECT_EQ(a.inputsNamed("set"), (std::vector<std::string>{"PlotOpts.CR=2", "PlotOpts.LogY=1"}));
    EXPECT_EQ(a.expected, "\" Ts = 7.09\"");
    EXPECT_EQ(a.source, "worked example");
    EXPECT_EQ(a.line, 3);
    EXPECT_TRUE(a.problem.empty());
    EXPECT_EQ(cases[1].problem, "unknown tolerance \"close\" on line 4 of x.cases");
    EXPECT_EQ(cases[2].problem, "malformed case line 5 of x.cases: 4 fields instead of 6");
    EXPECT_EQ(cases[3].problem, "malformed inputs on line 6 of x.cases");
}

// A corpus of two case files and one lot, with the list of files the program
// would have been built with.
class SmallCorpus : public ::testing::Test
{
protected:
    SmallCorpus()
    {
        write("k.cases",
              "# Published one-sided tolerance factors, confirmed with R 4.2.2 qt(ncp).\n"
              "k-n10 | exact_k | n=10; cr=0.05; ltpd=0.10 | 2.355 | printed | table\n"
              "k-n20 | exact_k | n=20; cr=0.05; ltpd=0.05 | 2.396 | printed | table\n");
        write("w.cases", "w-nist | written_k | n=43; kbeta=2.3263479; k2=1.2815516 | 1.8752 | "
                         "printed | NIST e-Handbook 7.2.6.3\n"
                         "w-lot | written_k | n=5; kbeta=1.28155; k2=1.28155; file=lots/a.txt | "
                         "2.585859 | printed | worked example\n");
        write("lots/a.txt", "1\n2\n3\n4\n5\n");
        for (const auto& [path, sum] : m_sums) {
            m_listed.push_back({path, sum});
        }
    }

    void write(const std::string& path, const std::string& content)
    {
        std::filesystem::create_directories(
            std::filesystem::path(m_files.path(path)).parent_path());
        m_files.write(path, content);
        m_sums.emplace_back(path, sha256Hex(content));
    }

    ValidationRun runAll()
    {
        CaseContext context;
        context.corpusFolder = m_files.path("");
        ValidationRun run(context, coreCaseKinds(), m_listed);
        run.runAll();
        return run;
    }

    const CaseRecord& record(const ValidationRun& run, const std::string& id)
    {
        for (const CaseRecord& r : run.cases()) {
            if (r.validationCase.id == id) {
                return r;
            }
        }
        throw std::runtime_error("no case " + id);
    }

    test::TempFiles m_files;
    std::vector<std::pair<std::string, std::string>> m_sums;
    std::vector<CorpusFile> m_listed;
};

TEST_F(SmallCorpus, PassesWhenEveryFileIsAsBuiltAndEveryValueAgrees)
{
    const ValidationRun run = runAll();
    ASSERT_EQ(run.caseCount(), 4);
    for (const CaseRecord& r : run.cases()) {
        SCOPED_TRACE(r.validationCase.id);
        EXPECT_TRUE(r.result.passed) << r.result.obtained << " " << r.result.note;
    }
    EXPECT_TRUE(run.allPassed());
    EXPECT_EQ(record(run, "k-n10").result.obtained.substr(0, 6), "2.3546");
}

TEST_F(SmallCorpus, AChangedLotFailsTheCasesThatReadItNamingTheFile)
{
    m_files.write("lots/a.txt", "1\n2\n3\n4\n6\n");
    const ValidationRun run = runAll();
    const CaseRecord& changed = record(run, "w-lot");
    EXPECT_FALSE(changed.result.passed);
    EXPECT_EQ(changed.result.note,
              "corpus file lots/a.txt is changed (its checksum does not match the one built in)");
    EXPECT_TRUE(record(run, "w-nist").result.passed);
    EXPECT_FALSE(run.allPassed());
    const CorpusFileCheck& lot = run.files()[2];
    EXPECT_EQ(lot.path, "lots/a.txt");
    EXPECT_EQ(lot.state, CorpusFileState::Changed);
    EXPECT_EQ(lot.expected, sha256Hex("1\n2\n3\n4\n5\n"));
    EXPECT_EQ(lot.actual, sha256Hex("1\n2\n3\n4\n6\n"));
    EXPECT_EQ(run.files()[0].state, CorpusFileState::Intact);
}

TEST_F(SmallCorpus, AChangedCaseFileFailsEachOfItsCasesEvenWhenTheirValuesAgree)
{
    m_files.write("k.cases",
                  "k-n10 | exact_k | n=10; cr=0.05; ltpd=0.10 | 2.35 | abs 1 | edited\n");
    const ValidationRun run = runAll();
    const CaseRecord& edited = record(run, "k-n10");
    EXPECT_FALSE(edited.result.passed);
    EXPECT_NE(edited.result.note.find("corpus file k.cases is changed"), std::string::npos);
    EXPECT_FALSE(run.allPassed());
}

TEST_F(SmallCorpus, AMissingCaseFileStandsInTheRunAsAFailureNamingIt)
{
    std::filesystem::remove(m_files.path("w.cases"));
    const ValidationRun run = runAll();
    ASSERT_EQ(run.caseCount(), 3);
    const CaseRecord& missing = record(run, "w.cases");
    EXPECT_FALSE(missing.result.passed);
    EXPECT_EQ(missing.result.note, "corpus file w.cases is missing: its cases were not run");
    EXPECT_FALSE(run.allPassed());
}

TEST_F(SmallCorpus, AnAddedFileIsListedButNeitherReadNorFailing)
{
    m_files.write("extra.cases", "x | exact_k | n=10; cr=0.05; ltpd=0.10 | 0 | exact | added\n");
    const ValidationRun run = runAll();
    EXPECT_EQ(run.caseCount(), 4);
    EXPECT_EQ(run.files().back().path, "extra.cases");
    EXPECT_EQ(run.files().back().state, CorpusFileState::Unlisted);
    EXPECT_TRUE(run.allPassed());
}

TEST_F(SmallCorpus, CasesThatCannotRunFailWithTheReason)
{
    const std::string text = "k-n10 | exact_k | n=10; cr=0.05; ltpd=0.1 | 2.355 | printed | once\n"
                             "k-n10 | exact_k | n=10; cr=0.05; ltpd=0.1 | 2.355 | printed | twice\n"
                             "u | nonesuch | n=1 | 1 | exact | s\n"
                             "e | exact_k | n=1; cr=0.05; ltpd=0.1 | 1 | exact | too few points\n"
                             "m | exact_k | n=10; ltpd=0.1 | 1 | exact | no risk\n";
    m_files.write("k.cases", text);
    m_listed[0].sha256 = m_sums.emplace_back("k.cases", sha256Hex(text)).second;
    const ValidationRun run = runAll();
    EXPECT_EQ(record(run, "u").result.note, "unknown case kind \"nonesuch\"");
    EXPECT_EQ(record(run, "e").result.note, "error 5");
    EXPECT_EQ(record(run, "m").result.note, "input cr is missing");
    EXPECT_EQ(run.cases()[1].result.note, "case id k-n10 is used twice");
    EXPECT_EQ(run.passedCount(), 3); // the first k-n10 and the two of w.cases
    EXPECT_FALSE(run.allPassed());
}

} // namespace
} // namespace qv
