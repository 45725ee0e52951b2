#pragma once
// Controls the shape and layout editors share: the step lists and the row of move and rotate
// buttons (0 left, 1 right, 2 up, 3 down, 4 anticlockwise, 5 clockwise; each button's object
// name is its tooltip).
#include <QString>
#include <QStringList>
#include <functional>

class QComboBox;
class QHBoxLayout;
class QWidget;

namespace dravenor {

// An editable list takes any typed value; the typed text is never added to the items.
QComboBox* stepList(const QStringList& items, const QString& initial, bool editable);
// "Move By...": 1, 10, 100, 1000, starting at 100.
QComboBox* newMoveStepList();
// "Rotate By...": 1, 45, 90, starting at 90.
QComboBox* newRotateStepList();
// "Select Grid Size": Auto, No, 5 .. 1000, starting at Auto.
QComboBox* newGridSizeList();

// The six buttons in a row; a click calls onAdjust with the button's index.
QHBoxLayout* adjustButtonRow(QWidget* owner, const std::function<void(int)>& onAdjust);

// The tooltip of button index 0..5 ("Move Left" .. "Rotate Clockwise").
const char* adjustButtonTip(int index);

} // namespace dravenor
