#pragma once
// Where the batch tool reads its tables and templates: the working folder the window uses, so a
// price, cut or density table edited in the window's Tools is the one the batch tool reads too.
#include <string>

namespace dravenor::cli {

// The window's working folder (prepared as the window prepares it, once per run: the build tree,
// else the per-user data folder with copies of the shipped files).
std::string batchWorkingFolder();

// The file given, else the working folder's copy of `name`, else the shipped one.
std::string workingFilePath(const std::string& given, const std::string& name);

} // namespace dravenor::cli
