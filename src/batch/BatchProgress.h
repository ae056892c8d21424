#pragma once
// The progress of a run over many lots.

#include <QtGlobal>

class QTextStream;

namespace qv {

// "quantiview: 17 of 1000 lots" on one line of a terminal, rewritten after each lot.
class BatchProgress
{
public:
    // Writes to `err` only when `shown`; `total` is the number of lots.
    BatchProgress(QTextStream& err, qsizetype total, bool shown);
    // Leaves the progress line before other text goes to the terminal.
    void breakLine();
    // Shows that `count` lots are done; the line ends after the last.
    void done(qsizetype count);

private:
    QTextStream& m_err;
    qsizetype m_total;
    bool m_shown;
    bool m_open = false;
};

} // namespace qv
