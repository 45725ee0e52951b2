#pragma once
// The working folder: where working files, configuration and the shipped templates and help
// live. The executable's folder when it is writable, else the per-user data folder. Core
// functions take it as an argument; nothing depends on the current directory.
#include <QString>

namespace dravenor {

// Picks the folder (creating the per-user one when needed) and copies the shipped resources
// (help pages, DXF templates) from the executable's resources/ folder into it when missing.
// Returns the folder with no trailing separator.
QString prepareWorkingFolder(const QString& executableDir);

// Folder of the shipped help pages inside the working folder.
QString helpFolder(const QString& workingFolder);

} // namespace dravenor
