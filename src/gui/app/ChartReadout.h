#pragma once
// The status bar's readout of what the mouse pointer rests on in the plot
// area: the value and the probability under it and, near a point, that point
// ("2.534 at 62.4 % · point 17 of 30, 2.531, line 19"). Leaving the plot area
// clears it. It only watches the plot area's events and never takes one, so
// dragging the boxes and double clicks work as before.

#include "core/document/PointerReadout.h"

#include <QObject>
#include <QPointF>

#include <optional>

class QLabel;
class QStatusBar;
class QWidget;

namespace qv {

class ChartDocument;

class ChartReadout : public QObject
{
    Q_OBJECT
public:
    // Watches `plotArea` (whose pixels the chart's plot area fills) and puts its
    // label, "lblPointerReadout", at the right of `statusBar`. The document
    // must outlive the readout.
    ChartReadout(QWidget& plotArea, QStatusBar& statusBar, const ChartDocument& document,
                 QObject* parent = nullptr);

    // After every drawing or clearing of the chart: the readout reads the new
    // chart, at once where the pointer rests on it.
    void chartChanged();
    QLabel* label() const { return m_label; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showAt(QPointF at);
    void clear();

    QWidget& m_plotArea;
    const ChartDocument& m_document;
    QLabel* m_label = nullptr;
    // Made on the first move after a drawing: it walks the points' states once.
    std::optional<PointerReadout> m_readout;
    std::optional<QPointF> m_pointer; // where the pointer rests on the plot area
};

} // namespace qv
