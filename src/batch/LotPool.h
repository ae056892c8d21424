#pragma once
// Many lots at once: a bounded pool of worker threads, each loading and drawing
// its lots in chart documents of its own, their reports and messages handed
// over in the order the lots were given.

#include "batch/LotRunner.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace qv {

struct BatchArguments;

// What one lot printed, and how it ended.
struct LotOutput
{
    QByteArray out; // its report, UTF-8
    QString err; // its messages and failures
    LotResult result;
};

// The processors this process may run on (as taskset or a container allows).
int usableProcessors();

// How many workers the lots of `arguments` take at most: 1 where two lots
// would write the same output file (then the later one must win, as one after
// the other), else the usable processors, no more than the lots.
int lotWorkers(const BatchArguments& arguments);

// Runs every lot of the runner's arguments on `workers` threads, the calling
// one with `runner` and each other with a runner of its own made from it, and
// calls `take` with each lot's index and output, in the order given, one call
// at a time: the worker that ends the lot next in order hands it over, with
// any ended after it. At most twice `workers` lots are run ahead of the one
// awaited, so memory grows with the workers, not with the lots.
void runLotPool(const LotRunner& runner, int workers,
                const std::function<void(qsizetype, LotOutput&&)>& take);

} // namespace qv
