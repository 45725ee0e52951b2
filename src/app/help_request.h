#pragma once
// What every Help command and F1 key does: open the help page, or tell the user why it cannot.
#include <QString>

class QWidget;

namespace dravenor {

// Opens the page (index page when empty; "page.html#section" for a section) from the working
// folder's help. A missing page gives "<path> not found"; a page no program could show gives a
// notice naming it. Never fails otherwise.
void requestHelp(QWidget* parent, const QString& workingFolder, const QString& page = {});

} // namespace dravenor
