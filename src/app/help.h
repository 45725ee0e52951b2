#pragma once
// The help commands shared by every window: the help pages and the brief tour, local HTML files
// in the working folder, opened in the user's browser.
#include <QString>

namespace dravenor {

inline constexpr const char* kHelpIndexPage = "index.html";
inline constexpr const char* kTourPage = "tour.html";

// Full path of a help page; the index page when the page name is empty.
QString helpPagePath(const QString& workingFolder, const QString& page = {});
// Opens the page with the associated application; returns false (and does nothing else) when the
// page is missing or nothing could open it.
bool openHelpPage(const QString& workingFolder, const QString& page = {});

} // namespace dravenor
