#include "batch/LotPool.h"

#include "batch/BatchArguments.h"
#include "batch/OutputNames.h"

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

// The lots' outputs between the workers and the thread that takes them.
class LotQueue
{
public:
    LotQueue(qsizetype total, qsizetype ahead) : m_outputs(static_cast<std::size_t>(total)), m_ahead(ahead) {}

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

    void finish(qsizetype index, LotOutput&& output)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_outputs[static_cast<std::size_t>(index)] = std::move(output);
        }
        m_changed.notify_all();
    }

    // The output of lot `index`, once done; the lots must be taken in order.
    LotOutput take(qsizetype index)
    {
        std::unique_lock lock(m_mutex);
        auto& slot = m_outputs[static_cast<std::size_t>(index)];
        m_changed.wait(lock, [&slot] { return slot.has_value(); });
        LotOutput output = std::move(*slot);
        slot.reset();
        m_taken = index + 1;
        lock.unlock();
        m_changed.notify_all();
        return output;
    }

private:
    qsizetype total() const { return static_cast<qsizetype>(m_outputs.size()); }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::optional<LotOutput>> m_outputs;
    qsizetype m_ahead;
    qsizetype m_next = 0;
    qsizetype m_taken = 0;
};

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

void runLotPool(const BatchArguments& arguments, int workers,
                const std::function<void(qsizetype, LotOutput&&)>& take)
{
    const qsizetype total = arguments.files.size();
    LotQueue queue(total, 2 * static_cast<qsizetype>(workers));
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&arguments, &queue] {
            // The runner's text measurer keeps the last font's metrics: one each.
            const LotRunner runner(arguments);
            while (const auto index = queue.start()) {
                LotOutput output;
                QTextStream out(&output.out);
                QTextStream err(&output.err);
                output.result = runner.run(arguments.files[*index], out, err);
                out.flush();
                err.flush();
                queue.finish(*index, std::move(output));
            }
        });
    }
    for (qsizetype i = 0; i < total; ++i) {
        take(i, queue.take(i));
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
}

} // namespace qv
