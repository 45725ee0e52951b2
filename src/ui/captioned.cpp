#include "ui/captioned.h"

#include <QLabel>
#include <QVBoxLayout>

namespace dravenor {

QWidget* captioned(const QString& caption, QWidget* control)
{
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption);
    label->setBuddy(control);
    layout->addWidget(label);
    layout->addWidget(control);
    return box;
}

} // namespace dravenor
