#include "app/grid_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "job/job.h"

namespace dravenor {

namespace {

constexpr int kIconPixels = 32;
const QColor kInk(40, 40, 40);
const QColor kPlate(200, 200, 205);
const QColor kPart(30, 60, 160);

void drawTable(QPainter& painter)
{
    const QRectF table(3, 8, 26, 16);
    painter.setBrush(Qt::white);
    painter.drawRect(table);
    painter.fillRect(QRectF(3.5, 8.5, 25, 7), QColor(120, 160, 220));
    painter.drawLine(QPointF(3, 16), QPointF(29, 16));
    for (double x : {10.0, 17.0, 23.0}) painter.drawLine(QPointF(x, 8), QPointF(x, 24));
}

void drawPlate(QPainter& painter)
{
    painter.setBrush(kPlate);
    painter.drawRect(QRectF(3, 7, 26, 18));
}

void drawPart(QPainter& painter)
{
    painter.setPen(QPen(kInk, 1));
    painter.setBrush(kPart);
    QPainterPath part;
    part.moveTo(6, 10);
    part.lineTo(14, 10);
    part.lineTo(14, 17);
    part.lineTo(22, 17);
    part.lineTo(22, 22);
    part.lineTo(6, 22);
    part.closeSubpath();
    painter.drawPath(part);
}

} // namespace

QIcon gridIcon(int gridIndex)
{
    QPixmap pixmap(kIconPixels, kIconPixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1.2));
    if (gridIndex == BasicGrid) {
        drawTable(painter);
    } else {
        drawPlate(painter);
        if (gridIndex == PartGrid) drawPart(painter);
    }
    return QIcon(pixmap);
}

} // namespace dravenor
