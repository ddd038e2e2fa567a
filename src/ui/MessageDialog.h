#pragma once
// Modal message dialogs of the installed backend, with the classic titles per kind.
#include <string>
#include <vector>

#include "ui/PlatformIntegration.h"

namespace lindora {

// "Information", "Warning", "Error" or "Confirm".
std::string dialogTitle(DialogKind kind);

// Shows a modal dialog; while it is up every top-level window is disabled, so input cannot
// reach them. Returns the chosen button.
DialogButton showMessageDialog(const std::string& text, DialogKind kind,
                               std::vector<DialogButton> buttons = {DialogButton::OK},
                               DialogButton defaultButton = DialogButton::OK, const std::string& title = {});

}  // namespace lindora
