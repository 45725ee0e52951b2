#pragma once
// The working folder: where working files, configuration and the shipped templates and help
// live. The executable's folder when it is writable, else the per-user data folder. Core
// functions take it as an argument; nothing depends on the current directory.
#include <QString>

namespace dravenor {

// Where the shipped resources (tables, templates, help, examples, standard shapes) are: the
// executable's resources/ folder in a build or an unpacked tree, else share/dravenor beside its
// bin/ folder when installed.
QString shippedFolder(const QString& executableDir);
// A shipped file: beside the executable when a copy lies there, else in the shipped folder.
QString shippedFile(const QString& executableDir, const QString& name);

// Picks the folder (creating the per-user one when needed) and copies the shipped resources
// (help pages, DXF templates, tables) into it when missing. The executable's folder is the
// working folder only when it is writable and holds the resources (a build or unpacked tree); an
// installed program works in the per-user data folder and never writes beside its executable.
// Returns the folder with no trailing separator.
QString prepareWorkingFolder(const QString& executableDir);

// Folder of the shipped help pages inside the working folder.
QString helpFolder(const QString& workingFolder);

} // namespace dravenor
