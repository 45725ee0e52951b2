#pragma once
// The price table window (Tools > Price Table): what each material, grade and thickness costs,
// the machine rate, pierces, set-up and credits, in a grid edited as the cut table is. "Done"
// stores prices.dat of the working folder; a row that is not complete keeps the window open and
// is named.
#include <QString>

#include "app/table_window.h"

namespace dravenor {

inline constexpr const char* kPriceTableWindowTitle = "Price Table";

class PriceTableWindow : public TableWindow {
    Q_OBJECT
public:
    PriceTableWindow(DialogService& dialogs, const QString& workingFolder, QWidget* parent = nullptr);
};

} // namespace dravenor
