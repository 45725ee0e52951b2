#pragma once
// PDF files in tests: pages counted as the Qt PDF writer stores them (one "/Type /Page" object
// each), and pages and text read back with the poppler tools where they are installed.
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <string>

#include "support/temp_folder.h"

namespace dravenor::testing {

inline size_t pdfPageCount(const std::string& path)
{
    const std::string bytes = TempFolder::read(path);
    size_t pages = 0;
    for (size_t at = bytes.find("/Type /Page\n"); at != std::string::npos; at = bytes.find("/Type /Page\n", at + 1)) ++pages;
    return bytes.starts_with("%PDF") ? pages : 0;
}

// What a shell command writes on its standard output ("" when it cannot run).
inline std::string commandOutput(const std::string& command)
{
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
        ::pclose(pipe);
    }
    return text;
}

inline bool havePoppler() { return !commandOutput("command -v pdftoppm && command -v pdftotext").empty(); }

// " -f P -l P": page P (from 1) alone, for the poppler tools.
inline std::string onlyPage(int page) { return " -f " + std::to_string(page) + " -l " + std::to_string(page); }

// Page `page` of the PDF as pdftoppm draws it at the resolution, through a PNG file beside the
// PDF; a null image when it cannot be drawn.
inline QImage pdfPageImage(const std::string& pdf, int page, int dotsPerInch)
{
    const std::string png = pdf + "-page" + std::to_string(page);
    commandOutput("pdftoppm -r " + std::to_string(dotsPerInch) + onlyPage(page) + " -png -singlefile '" + pdf + "' '" +
                  png + "'");
    return QImage(QString::fromStdString(png + ".png"));
}

// The text of the PDF with its layout kept, as pdftotext -layout gives it.
inline std::string pdfText(const std::string& pdf) { return commandOutput("pdftotext -layout '" + pdf + "' -"); }

// The height of the lowest word box on a page, in points, as pdftotext -bbox measures it (about
// the font size); 0 when the page has no words.
inline double smallestWordHeight(const std::string& pdf, int page)
{
    const std::string boxes = commandOutput("pdftotext -bbox" + onlyPage(page) + " '" + pdf + "' -");
    static const std::regex word(R"re(<word xMin="[^"]*" yMin="([^"]*)" xMax="[^"]*" yMax="([^"]*)")re");
    double smallest = 0;
    for (auto it = std::sregex_iterator(boxes.begin(), boxes.end(), word); it != std::sregex_iterator(); ++it) {
        const double height = std::stod((*it)[2]) - std::stod((*it)[1]);
        smallest = smallest == 0 ? height : std::min(smallest, height);
    }
    return smallest;
}

} // namespace dravenor::testing
