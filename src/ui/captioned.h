#pragma once
// A control with its caption above it, the caption's mnemonic moving the focus to the control.
#include <QString>

class QWidget;

namespace dravenor {

QWidget* captioned(const QString& caption, QWidget* control);

} // namespace dravenor
