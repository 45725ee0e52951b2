#include "cli/png_file.h"

#include <QBuffer>

#include "job/files.h"

namespace dravenor::cli {

std::string savePng(const QImage& image, const std::string& path)
{
    // Encoded in memory and written by the one file writer: a failed write leaves an old picture
    // intact, and a pipe or "-" gets the picture as it is.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return "cannot write " + path + ": the picture could not be encoded";
    return writeFileAtomically(path, buffer.data().toStdString());
}

} // namespace dravenor::cli
