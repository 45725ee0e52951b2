#include "ui/grid_table_model.h"

#include <algorithm>

#include "job/column_attributes.h"

namespace dravenor {

namespace {

Qt::Alignment columnAlignment(const std::string& title)
{
    return (rightAligned(title) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

} // namespace

GridTableModel::GridTableModel(TextGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid)
{
}

int GridTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(grid_.rows() - 1, 0);
}

int GridTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(grid_.cols() - 1, 0);
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || gridRow(index) >= grid_.rows() || gridCol(index) >= grid_.cols()) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const std::string& text = grid_.text(gridRow(index), gridCol(index));
        if (role == Qt::ToolTipRole && text.empty()) return {};
        return QString::fromStdString(text);
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columnAlignment(grid_.title(gridCol(index))));
    default:
        return {};
    }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        const int col = section + 1;
        if (col >= grid_.cols()) return {};
        if (role == Qt::DisplayRole) {
            const auto unit = units_.find(grid_.title(col));
            return QString::fromStdString(grid_.title(col) + (unit == units_.end() ? "" : " (" + unit->second + ")"));
        }
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(columnAlignment(grid_.title(col)));
        if (role == Qt::ToolTipRole) {
            const std::string hint = columnHint(grid_.title(col));
            return hint.empty() ? QVariant() : QVariant(QString::fromStdString(hint));
        }
        return {};
    }
    const int row = section + 1;
    if (row >= grid_.rows()) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(grid_.text(row, 0));
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    // Cells are typed through the editing rules, never through Qt's editors.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void GridTableModel::reload()
{
    beginResetModel();
    endResetModel();
}

} // namespace dravenor
