#include "ui/grid_cell_delegate.h"

#include <QApplication>
#include <QStyle>

#include "job/column_attributes.h"
#include "ui/fitted_path.h"

namespace dravenor {

void GridCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QString title = index.model()->headerData(index.column(), Qt::Horizontal).toString();
    const bool path = shortenedAtStart(title.toStdString());
    option->textElideMode = path ? Qt::ElideLeft : Qt::ElideRight;
    if (!path || option->text.isEmpty()) return;
    // The style keeps a margin on either side of the text.
    const QStyle* style = option->widget ? option->widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, option, option->widget) + 1;
    const QFontMetrics metrics(option->font);
    const auto width = [&metrics](const std::string& text) {
        return static_cast<double>(metrics.horizontalAdvance(QString::fromStdString(text)));
    };
    option->text = QString::fromStdString(fittedPath(option->text.toStdString(), option->rect.width() - 2 * margin, width));
}

} // namespace dravenor
