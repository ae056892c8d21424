#pragma once
// The program without a window: --report and --export. Loads FILE through the
// same reader as the window, applies --set, draws once and writes the report.

#include <QStringList>

class QTextStream;

namespace qv {

// True when the arguments ask for batch mode (the offscreen platform must then be
// chosen before the application object exists).
bool isBatchInvocation(const QStringList& arguments);

// Runs batch mode; returns the process exit status (0 drawn, 1 failed or
// stopped, 2 usage error). The report goes to `out`, usage errors to `err`.
// Needs a QGuiApplication.
int runBatch(const QStringList& arguments, QTextStream& out, QTextStream& err);
int runBatch(const QStringList& arguments);

} // namespace qv
