#include "app/text_printout.h"

#include <QFontDatabase>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace dravenor {

void printTextPages(QPagedPaintDevice& device, int pointSize, const std::function<TextPages(int linesPerPage)>& pagesFor)
{
    QPainter painter(&device);
    if (!painter.isActive()) return;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(pointSize);
    painter.setFont(font);
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const int linesPerPage = std::max(painter.viewport().height() / lineHeight, 1);

    bool firstPage = true;
    for (const std::vector<std::string>& page : pagesFor(linesPerPage)) {
        if (!firstPage) device.newPage();
        firstPage = false;
        int baseline = painter.fontMetrics().ascent();
        for (const std::string& line : page) {
            painter.drawText(0, baseline, QString::fromStdString(line));
            baseline += lineHeight;
        }
    }
}

} // namespace dravenor
