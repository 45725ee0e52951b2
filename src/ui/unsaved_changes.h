#pragma once
// The question every window asks before unsaved work would be lost (New, Open, closing):
// "Save changes in current file?" with Yes, No and Cancel (Esc).
#include <functional>

#include "ui/dialog_service.h"

namespace dravenor {

inline constexpr const char* kSaveChangesQuestion = "Save changes in current file?";
inline constexpr const char* kAttentionTitle = "Attention !";

// Whether the caller may go on and drop the work: without changes nothing is asked; No goes on
// unsaved; Yes runs save and goes on only when it saved; Cancel (Esc, closing the box) stops.
// A save that was cancelled, refused or failed keeps the work: the caller stops.
bool settleUnsavedChanges(bool modified, DialogService& dialogs, const std::function<bool()>& save);

} // namespace dravenor
