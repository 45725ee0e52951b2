#include "ui/grid_cell_delegate.h"

#include "job/column_attributes.h"

namespace dravenor {

void GridCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QString title = index.model()->headerData(index.column(), Qt::Horizontal).toString();
    option->textElideMode = shortenedAtStart(title.toStdString()) ? Qt::ElideLeft : Qt::ElideRight;
}

} // namespace dravenor
