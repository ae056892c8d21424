#include "batch/LotPool.h"

#include "batch/BatchArguments.h"
#include "batch/OutputNames.h"

#include <QBuffer>
#include <QSet>
#include <QTextStream>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <sched.h>
#include <thread>
#include <vector>

namespace qv {

namespace {

// Whether two lots would write one output file.
bool outputsShared(const BatchArguments& arguments)
{
    QSet<QString> seen;
    for (const QString& file : arguments.files) {
        const OutputNames names = OutputNames::forLot(arguments, file);
        for (const QString* path : {&names.exportPath, &names.ocCurvePath, &names.saveProject}) {
            if (path->isEmpty()) {
                continue;
            }
            if (seen.contains(*path)) {
                return true;
            }
            seen.insert(*path);
        }
    }
    return false;
}

// The lots' outputs between the workers, and the order they are handed over in.
class LotQueue
{
public:
    using Take = std::function<void(qsizetype, LotOutput&&)>;

    LotQueue(qsizetype total, qsizetype ahead, const Take& take)
        : m_outputs(static_cast<std::size_t>(total)), m_ahead(ahead), m_take(take)
    {
    }

    // The next lot to run, waiting while too many lie done and untaken; none when all are started.
    std::optional<qsizetype> start()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_next >= total() || m_next < m_taken + m_ahead; });
        if (m_next >= total()) {
            return std::nullopt;
        }
        return m_next++;
    }

    // Keeps the output of lot `index`; when it is the next to hand over and no
    // other worker is handing over, hands it over with every one ended after it.
    void finish(qsizetype index, LotOutput&& output)
    {
        std::unique_lock lock(m_mutex);
        m_outputs[static_cast<std::size_t>(index)] = std::move(output);
        if (m_handing) {
            return; // the worker handing over comes to it
        }
        m_handing = true;
        while (m_taken < total() && m_outputs[static_cast<std::size_t>(m_taken)]) {
            auto& slot = m_outputs[static_cast<std::size_t>(m_taken)];
            LotOutput next = std::move(*slot);
            slot.reset();
            const qsizetype taken = m_taken;
            lock.unlock();
            m_take(taken, std::move(next));
            lock.lock();
            m_taken = taken + 1;
            m_changed.notify_all();
        }
        m_handing = false;
    }

private:
    qsizetype total() const { return static_cast<qsizetype>(m_outputs.size()); }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::optional<LotOutput>> m_outputs;
    qsizetype m_ahead;
    const Take& m_take;
    qsizetype m_next = 0;
    qsizetype m_taken = 0;
    bool m_handing = false;
};

// Runs lots from `queue` with `runner` until none is left.
void work(const LotRunner& runner, LotQueue& queue)
{
    const QStringList& files = runner.arguments().files;
    while (const auto index = queue.start()) {
        LotOutput output;
        QBuffer report(&output.out);
        report.open(QIODevice::WriteOnly);
        QTextStream out(&report);
        QTextStream err(&output.err);
        output.result = runner.run(files[*index], out, err);
        out.flush();
        err.flush();
        report.close();
        queue.finish(*index, std::move(output));
    }
}

} // namespace

int usableProcessors()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        return std::max(1, CPU_COUNT(&set));
    }
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

int lotWorkers(const BatchArguments& arguments)
{
    if (outputsShared(arguments)) {
        return 1;
    }
    return static_cast<int>(
        std::clamp<qsizetype>(arguments.files.size(), 1, usableProcessors()));
}

void runLotPool(const LotRunner& runner, int workers,
                const std::function<void(qsizetype, LotOutput&&)>& take)
{
    LotQueue queue(runner.arguments().files.size(), 2 * static_cast<qsizetype>(workers), take);
    std::vector<std::thread> threads;
    for (int w = 1; w < workers; ++w) {
        threads.emplace_back([&runner, &queue] {
            // The runner's text measurer keeps the last font's metrics: one each.
            const LotRunner own(runner);
            work(own, queue);
        });
    }
    work(runner, queue);
    for (std::thread& thread : threads) {
        thread.join();
    }
}

} // namespace qv
