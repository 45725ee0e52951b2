#pragma once
// The cut table window (Tools > Cut Table): the cutting data of each material and thickness in a
// grid, edited as the density table is. "Done" stores cutting.dat of the working folder sorted
// by material and thickness; a row that is not complete keeps the window open and is named.
#include <QString>

#include "app/table_window.h"

namespace dravenor {

inline constexpr const char* kCutTableWindowTitle = "Cut Table";

class CutTableWindow : public TableWindow {
    Q_OBJECT
public:
    CutTableWindow(DialogService& dialogs, const QString& workingFolder, QWidget* parent = nullptr);
};

} // namespace dravenor
