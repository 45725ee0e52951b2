#include <filesystem>

#include "geometry/dxf_export.h"
#include "library/breakup.h"

namespace dravenor {

std::string breakupFileName(const std::string& folder, const std::string& stem, const BreakupPiece& piece)
{
    const std::string name = stem + "-" + std::to_string(piece.number) + "x" + std::to_string(piece.count) + ".dxf";
    return folder.empty() ? name : (std::filesystem::path(folder) / name).string();
}

std::string writeBreakupPieces(const BreakupResult& result, const std::string& folder, const std::string& stem,
                               const std::string& templateFolder, std::vector<std::string>& written)
{
    written.clear();
    if (stem.empty()) return "File Name is not specified";
    for (const BreakupPiece& piece : result.pieces) {
        const std::string path = breakupFileName(folder, stem, piece);
        if (std::string error = saveShapeAsDxf(piece.outline, path, templateFolder); !error.empty()) return error;
        written.push_back(path);
    }
    return {};
}

std::string breakupCompletionMessage(const std::vector<std::string>& files)
{
    std::string text = "Following Files are created !\n";
    for (const std::string& f : files) text += f + "\n";
    return text;
}

} // namespace dravenor
