#include "app/help_key.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "ui/dialog_service.h"

namespace dravenor {

void addHelpKey(QWidget& window, DialogService& dialogs, const std::string& page)
{
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    QObject::connect(help, &QShortcut::activated, &window, [&dialogs, page] { dialogs.openHelp(page); });
}

} // namespace dravenor
