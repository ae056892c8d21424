#pragma once
// The rows of a data editor's grid as a table model over one data set: row i is
// point i + 1, its columns the number (with the editor's "x " marker), the
// value, the uncertainty and the line of the file the point was read from.
// Every text is derived from the set when it is asked for, so text and state
// never drift apart and 100000 rows open at once.

#include "core/document/PointEditor.h"

#include <QAbstractTableModel>

namespace qv {

class PointGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // `set` must outlive the model; the model keeps its row count from the last
    // rebuild() and never reads past the set's lists.
    PointGridModel(DataSet& set, EditorKind kind, QObject* parent = nullptr);

    // Takes the set's present points as the rows (a model reset). Raises what
    // gridRowCount() raises, leaving the rows as they were.
    void rebuild();
    // No rows (a build that failed).
    void clear();

    // Flips the editor's bit of the point on `row` (0-based) and repaints the
    // row's number. False when nothing changed (a row outside the set).
    bool toggleRow(int row);

    // Whether the uncertainty column has texts: the set was read with one.
    bool showsSigmas() const { return m_set.hasSigmas; }
    const DataSet& dataSet() const { return m_set; }
    EditorKind kind() const { return m_kind; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    DataSet& m_set;
    EditorKind m_kind;
    int m_rows = 0;
};

} // namespace qv
