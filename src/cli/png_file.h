#pragma once
// Saving pictures of the batch tool as PNG files.
#include <QImage>
#include <string>

namespace dravenor::cli {

// Saves through a temporary file so a failed write leaves any earlier picture intact.
// Returns "" or "cannot write PATH: reason".
std::string savePng(const QImage& image, const std::string& path);

} // namespace dravenor::cli
