#pragma once
// Counting what was drawn on a picture: pixels that are not white, or only those a test picks.
#include <QColor>
#include <QImage>
#include <QRect>

#include <functional>

namespace dravenor::testing {

inline int inkedPixels(const QImage& image, const std::function<bool(const QColor&)>& picked = {})
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel(image.pixel(x, y));
            count += pixel != QColor(Qt::white) && (!picked || picked(pixel));
        }
    return count;
}

// The smallest rectangle holding every pixel that is not white (and that the test picks).
inline QRect inkedBox(const QImage& image, const std::function<bool(const QColor&)>& picked = {})
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel(image.pixel(x, y));
            if (pixel != QColor(Qt::white) && (!picked || picked(pixel))) box |= QRect(x, y, 1, 1);
        }
    return box;
}

} // namespace dravenor::testing
