#pragma once
// Read-only Qt table model over a TextGrid: data rows 1.. and columns 1.. become the table's
// cells, row 0 (the titles) the horizontal header and column 0 (the row numbers) the vertical
// header. The grid stays the only store; the model is reloaded after every change.
#include <QAbstractTableModel>
#include <map>
#include <string>

#include "job/text_grid.h"

namespace dravenor {

class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridTableModel(TextGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Units shown after the titles of their columns in the header ("Feed (mm/min)").
    void setColumnUnits(std::map<std::string, std::string> units) { units_ = std::move(units); }

    // Re-reads the whole grid (its size may have changed).
    void reload();

    // Table index <-> grid cell: table (r, c) is grid cell (r + 1, c + 1).
    static int gridRow(const QModelIndex& index) { return index.row() + 1; }
    static int gridCol(const QModelIndex& index) { return index.column() + 1; }

private:
    TextGrid& grid_;
    std::map<std::string, std::string> units_;
};

} // namespace dravenor
