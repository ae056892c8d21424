#include "batch/BatchProgress.h"

#include <QTextStream>

namespace qv {

BatchProgress::BatchProgress(QTextStream& err, qsizetype total, bool shown)
    : m_err(err), m_total(total), m_shown(shown)
{
}

void BatchProgress::breakLine()
{
    if (m_open) {
        m_err << "\n";
        m_open = false;
    }
}

void BatchProgress::done(qsizetype count)
{
    if (!m_shown) {
        return;
    }
    m_err << "\rquantiview: " << count << " of " << m_total << " lots";
    m_open = true;
    if (count == m_total) {
        breakLine();
    }
    m_err.flush();
}

} // namespace qv
