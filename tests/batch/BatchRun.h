#pragma once
// Batch mode run in the test's process: the exit status, the report and what
// went to stdout and stderr, and the test's files named as a command line names them.
#include "batch/BatchMode.h"
#include "support/TempFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTextStream>

#include <gtest/gtest.h>

#include <span>

namespace qv::test {

struct BatchRun
{
    int status = -1;
    QJsonObject report;
    QString output;
    QString errors;
    // The report of the main set.
    QJsonObject set() const { return report["sets"].toArray().at(0).toObject(); }
};

inline BatchRun runReport(QStringList arguments, bool errIsTerminal = false)
{
    arguments.prepend("quantiview");
    BatchRun run;
    QTextStream out(&run.output);
    QTextStream err(&run.errors);
    run.status = runBatch(arguments, out, err, errIsTerminal);
    out.flush();
    err.flush();
    run.report = QJsonDocument::fromJson(run.output.toUtf8()).object();
    return run;
}

// A run that fails with an exit status and says why on stderr.
struct Refused
{
    QStringList arguments;
    const char* said;
};

inline void expectRefused(int status, std::span<const Refused> rows)
{
    for (const Refused& row : rows) {
        SCOPED_TRACE(row.said);
        const BatchRun run = runReport(row.arguments);
        EXPECT_EQ(run.status, status);
        EXPECT_TRUE(run.errors.contains(row.said)) << run.errors.toStdString();
        if (status == 2) {
            EXPECT_TRUE(run.output.isEmpty()); // a usage error prints no report
        }
    }
}

// The test's files, named as the command line names them.
struct Files : test::TempFiles
{
    QString lot(const std::string& name, const std::string& content) const
    {
        return QString::fromStdString(write(name, content));
    }
    QString at(const std::string& name) const { return QString::fromStdString(path(name)); }
};

} // namespace qv::test
