#pragma once
// The program without a window: --report and --export, --help and --version,
// and every usage error. Loads FILE through the chart document as the window's
// command line does, applies --set, draws once and writes the report.

#include <QStringList>

class QTextStream;

namespace qv {

// The largest --screen side, in pixels: a chart picture beyond it would take
// gigabytes to paint.
inline constexpr int MaxScreenPixels = 16384;

// True when the arguments hold any option: the program then runs without a
// window (the offscreen platform must be chosen before the application object
// exists), and an option it does not know is a usage error. Only a plain FILE,
// or nothing, opens the window.
bool isBatchInvocation(const QStringList& arguments);

// Runs batch mode; returns the process exit status (0 drawn, 1 failed or
// stopped, 2 usage error). The report, the help and the version go to `out`;
// usage errors, and without --report every message of the load and the
// drawing ("title: text"), go to `err`. Needs a QGuiApplication.
int runBatch(const QStringList& arguments, QTextStream& out, QTextStream& err);
int runBatch(const QStringList& arguments);

} // namespace qv
