#include "gui/app/ChartReadout.h"

#include "render/QtText.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QWidget>

namespace qv {

ChartReadout::ChartReadout(QWidget& plotArea, QStatusBar& statusBar, const ChartDocument& document,
                           QObject* parent)
    : QObject(parent), m_plotArea(plotArea), m_document(document)
{
    m_label = new QLabel(&statusBar);
    m_label->setObjectName(QStringLiteral("lblPointerReadout"));
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAccessibleName(QStringLiteral("Under the pointer"));
    m_label->setToolTip(QStringLiteral(
        "The value and the cumulative probability under the mouse pointer, and the point "
        "near it: its rank, its value and the line of the file it came from"));
    statusBar.addPermanentWidget(m_label);
    m_plotArea.setMouseTracking(true);
    m_plotArea.installEventFilter(this);
}

void ChartReadout::chartChanged()
{
    m_readout.reset();
    if (m_pointer) {
        showAt(*m_pointer);
    } else {
        clear();
    }
}

bool ChartReadout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_plotArea) {
        if (event->type() == QEvent::MouseMove) {
            m_pointer = static_cast<QMouseEvent*>(event)->position();
            showAt(*m_pointer);
        } else if (event->type() == QEvent::Leave) {
            m_pointer.reset();
            clear();
        }
    }
    return false;
}

void ChartReadout::showAt(QPointF at)
{
    if (!m_readout) {
        m_readout.emplace(m_document);
    }
    const QSizeF size = m_plotArea.size();
    const QString text =
        toQString(m_readout->textAt({0, 0, size.width(), size.height()}, at.x(), at.y()));
    if (text != m_label->text()) {
        m_label->setText(text);
        m_label->setAccessibleDescription(text);
    }
}

void ChartReadout::clear()
{
    m_label->clear();
    m_label->setAccessibleDescription(QString());
}

} // namespace qv
