// The skeleton of a main window's entry that opens a dialog: a fresh dialog shown modally, the
// focus back on the main window, what the entry does once the dialog has closed, then the
// clean-up (the dialog freed, the entry's own clean-up) and one report of a failure.
#pragma once

#include <functional>
#include <memory>

#include "Form.h"

namespace tk {

// Shows `message` in the application's message box. A box that cannot be shown leaves nothing
// else to tell the user with: that failure goes no further.
void ReportProblem(const char* message) noexcept;

// Runs one entry of `mainWindow`: `makeDialog` makes a fresh dialog with no owner, which is shown
// modally; the main window gets the focus back; `closed` gets the dialog's modal result and
// answers whether `cleanUp` is to run. The clean-up always comes: the dialog is freed, then
// `cleanUp` runs (unless `closed` said not to). A failure anywhere before or in the clean-up is
// caught and reported once, with `problemMessage`, after the clean-up. Nothing is raised to the
// caller.
void RunDialogEntry(Form& mainWindow, const char* problemMessage,
                    const std::function<std::unique_ptr<Form>()>& makeDialog,
                    const std::function<bool(int modalResult)>& closed,
                    const std::function<void()>& cleanUp);

}  // namespace tk
