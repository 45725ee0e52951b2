// Closing the layout editor: on its own it offers to save; with a layout handed over in
// "edit.lay" it writes the edited layout back there, or deletes the file so the main window
// takes nothing back.
#include <QCloseEvent>

#include "editors/layout_editor.h"
#include "job/files.h"
#include "layouts/faulty_layouts.h"

namespace dravenor {

bool LayoutEditor::finishExchange()
{
    // A layout that fails the check goes back only when the user read its faults and chose so;
    // Enter then keeps the editor open.
    std::string question = kUpdateLayoutQuestion;
    auto byEnter = DialogService::Answer::Yes;
    if (!placed_.sound()) {
        const std::vector<FaultyLayout> faulty = faultyLayoutsOf(placed_.faults);
        question += "\n\nThe layout fails the overlap check and will be marked so in the job:\n"
            + listedLines(faulty.empty() ? std::vector<std::string>{} : faulty.front().faults);
        byEnter = DialogService::Answer::Cancel;
    }
    const auto answer = dialogs_.message(question, kLayoutEditorTitle, DialogService::Icon::Question,
                                         DialogService::Buttons::YesNoCancel, byEnter);
    if (answer == DialogService::Answer::Cancel) return false;
    if (answer == DialogService::Answer::No) {
        deleteFile(exchangeFile());
        return true;
    }
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
    // A handed-over layout that fails the check is asked about even when it was saved already.
    const bool goOn =
        fileExists(exchangeFile()) ? (!modified_ && placed_.sound()) || finishExchange() : askToSaveChanges();
    if (!goOn) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

} // namespace dravenor
