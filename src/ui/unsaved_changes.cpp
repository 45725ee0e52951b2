#include "ui/unsaved_changes.h"

namespace dravenor {

bool settleUnsavedChanges(bool modified, DialogService& dialogs, const std::function<bool()>& save)
{
    if (!modified) return true;
    const auto answer = dialogs.message(kSaveChangesQuestion, kAttentionTitle, DialogService::Icon::Question,
                                        DialogService::Buttons::YesNoCancel);
    if (answer == DialogService::Answer::Cancel) return false;
    return answer == DialogService::Answer::No || (save && save());
}

} // namespace dravenor
