#pragma once
// The program without a window: --design-plan, --report, --export and
// --oc-curve over one or several FILEs, --help and --version, and every usage
// error. Loads each FILE through a chart document of its own as the window's
// command line does, applies --set, draws once and writes the report and the
// pictures.

#include <QStringList>

class QTextStream;

namespace qv {

// True when the arguments hold any option: the program then runs without a
// window (the offscreen platform must be chosen before the application object
// exists), and an option it does not know is a usage error. Only a plain FILE,
// or nothing, opens the window.
bool isBatchInvocation(const QStringList& arguments);

// Runs batch mode; returns the process exit status (0 drawn, 1 a lot failed or
// stopped or an output was not written, 2 usage error, 3 with --fail-on-reject
// a lot's main set rejected and none failed). The report (JSON Lines with
// several FILEs), the help and the version go to `out`; usage errors, and
// without --report every message of the loads and the drawings ("title:
// text", after "FILE: " with several FILEs), go to `err`, and so does the
// progress of more than 20 FILEs when `errIsTerminal`. Needs a QGuiApplication.
int runBatch(const QStringList& arguments, QTextStream& out, QTextStream& err,
             bool errIsTerminal = false);
// The same on stdout and stderr.
int runBatch(const QStringList& arguments);

} // namespace qv
