#include "gui/dialogs/PointGridModel.h"

#include "render/QtText.h"

namespace qv {

namespace {

enum Column
{
    NumberColumn,
    DataColumn,
    SigmaColumn,
    LineColumn,
    ColumnCount
};

} // namespace

PointGridModel::PointGridModel(DataSet& set, EditorKind kind, QObject* parent)
    : QAbstractTableModel(parent), m_set(set), m_kind(kind)
{
}

void PointGridModel::rebuild()
{
    const int rows = gridRowCount(m_set);
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void PointGridModel::clear()
{
    beginResetModel();
    m_rows = 0;
    endResetModel();
}

bool PointGridModel::toggleRow(int row)
{
    if (row < 0 || row >= m_rows || !togglePoint(m_set, m_kind, row + 1)) {
        return false;
    }
    const QModelIndex number = index(row, NumberColumn);
    Q_EMIT dataChanged(number, number, {Qt::DisplayRole, Qt::AccessibleDescriptionRole});
    return true;
}

int PointGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int PointGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PointGridModel::data(const QModelIndex& index, int role) const
{
    const int row = index.row();
    // The set may have been loaded again since the last rebuild.
    if (!index.isValid() || row >= m_set.pointCount ||
        static_cast<std::size_t>(row) >= m_set.states.size() ||
        static_cast<std::size_t>(row) >= m_set.values.size()) {
        return {};
    }
    const auto at = static_cast<std::size_t>(row);
    const bool marked = isMarked(m_kind, m_set.states[at]);
    if (role == Qt::AccessibleDescriptionRole && index.column() == NumberColumn && marked) {
        return m_kind == EditorKind::EnableDisable ? QStringLiteral("disabled")
                                                   : QStringLiteral("hilited");
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
    case NumberColumn:
        return toQString(pointNumberText(row + 1, marked));
    case DataColumn:
        return toQString(editorValueText(m_set.values[at]));
    case SigmaColumn:
        if (m_set.hasSigmas && at < m_set.sigmas.size()) {
            return toQString(editorValueText(m_set.sigmas[at]));
        }
        return {};
    case LineColumn:
        return toQString(sourceLineText(m_set, row));
    default:
        return {};
    }
}

QVariant PointGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case NumberColumn:
        return QString::fromUtf8(NumberHeading);
    case DataColumn:
        return QString::fromUtf8(DataHeading);
    case SigmaColumn:
        return QString::fromUtf8(SigmaHeading);
    case LineColumn:
        return QString::fromUtf8(LineHeading);
    default:
        return {};
    }
}

Qt::ItemFlags PointGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace qv
