#pragma once
// The density table window: materials and their densities in a grid with the typing rules of
// every grid. "Done" stores the table sorted by material in density.dat of the working folder;
// "Cancel" leaves the file as it was.
#include <QString>

#include "app/table_window.h"

namespace dravenor {

inline constexpr const char* kDensityWindowTitle = "Density Table";

class DensityWindow : public TableWindow {
    Q_OBJECT
public:
    DensityWindow(DialogService& dialogs, const QString& workingFolder, QWidget* parent = nullptr);
};

} // namespace dravenor
