#pragma once
// F1 in a window opens the help section that describes it.
#include <string>

class QWidget;

namespace dravenor {

class DialogService;

void addHelpKey(QWidget& window, DialogService& dialogs, const std::string& page);

} // namespace dravenor
