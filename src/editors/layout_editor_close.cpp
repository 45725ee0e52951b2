// Closing the layout editor: on its own it offers to save; with a layout handed over in
// "edit.lay" it writes the edited layout back there, or deletes the file so the main window
// takes nothing back.
#include <QCloseEvent>

#include "editors/layout_editor.h"
#include "job/files.h"

namespace dravenor {

bool LayoutEditor::finishExchange()
{
    const auto answer = dialogs_.message(kUpdateLayoutQuestion, kLayoutEditorTitle, DialogService::Icon::Question,
                                         DialogService::Buttons::YesNoCancel);
    if (answer == DialogService::Answer::Cancel) return false;
    if (answer == DialogService::Answer::No) {
        deleteFile(exchangeFile());
        return true;
    }
    if (!agreeToWriteFaults()) return false;
    fillEmptyQuantities(grid_);
    if (const std::string error = saveLayoutGrid(grid_, exchangeFile()); !error.empty()) {
        showError(error);
        return false;
    }
    modified_ = false;
    return true;
}

void LayoutEditor::closeEvent(QCloseEvent* event)
{
    const bool goOn = fileExists(exchangeFile()) ? !modified_ || finishExchange() : askToSaveChanges();
    if (!goOn) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

} // namespace dravenor
