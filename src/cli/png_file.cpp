#include "cli/png_file.h"

#include <QSaveFile>

namespace dravenor::cli {

std::string savePng(const QImage& image, const std::string& path)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return "cannot write " + path + ": " + file.errorString().toStdString();
    if (!image.save(&file, "PNG") || !file.commit())
        return "cannot write " + path + ": " + file.errorString().toStdString();
    return {};
}

} // namespace dravenor::cli
