#include "ui/grid_corner_caption.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableView>

namespace dravenor {

GridCornerCaption::GridCornerCaption(QTableView& view, QString caption)
    : QObject(&view), view_(view), caption_(std::move(caption))
{
    // The corner is the table view's only button child.
    for (QAbstractButton* corner : view.findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
        corner->installEventFilter(this);
}

bool GridCornerCaption::eventFilter(QObject* watched, QEvent* event)
{
    auto* corner = qobject_cast<QAbstractButton*>(watched);
    if (!corner || event->type() != QEvent::Paint) return QObject::eventFilter(watched, event);
    QStyleOptionHeader option;
    option.initFrom(view_.horizontalHeader());
    option.rect = corner->rect();
    option.text = caption_;
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.state |= QStyle::State_Enabled;
    QStylePainter painter(corner);
    painter.setFont(view_.horizontalHeader()->font());
    painter.drawControl(QStyle::CE_Header, option);
    return true;
}

} // namespace dravenor
