#pragma once
// The about box: title and version, what the program is for, the working folder; OK closes it
// and F1 opens the help.
#include <QString>

#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace dravenor {

// Shows the about box modally.
void showAboutBox(QWidget* parent, const QString& workingFolder);

// Builds the dialog without showing it; F1 calls openHelp.
std::unique_ptr<QDialog> buildAboutBox(QWidget* parent, const QString& workingFolder,
                                       std::function<void()> openHelp);

} // namespace dravenor
