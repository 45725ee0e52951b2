#pragma once
// Draws the cells of a grid view as Qt's item delegate does, with each column shortening text too
// long for it at the end the core names: file paths lose their folders first and keep the file's
// name (see fitted_path.h), numbers and other text their end, so 645.59265358979 still reads
// "645.59...".
#include <QStyledItemDelegate>

namespace dravenor {

class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace dravenor
