// The skeleton that the main window's install and removal entries share: a fresh dialog shown
// modally, the focus back on the main window, what the entry does once the dialog has closed,
// then the clean-up (the dialog freed, `SourceFolder` the working directory again) and one report
// of a failure.
#pragma once

#include <functional>
#include <memory>

#include "Form.h"

namespace velm {

// Shows `message` in the application's message box. A box that cannot be shown leaves nothing
// else to tell the user with: that failure goes no further.
void ReportFlowProblem(const char* message) noexcept;

// Runs one entry of `mainWindow`: `makeDialog` makes a fresh dialog with no owner (never one made
// at start-up), which is shown modally; the main window gets the focus back; `closed` gets the
// dialog and its modal result, and answers whether `SourceFolder` is to be made the working
// directory again. The clean-up always runs: the dialog is freed, then the working directory is
// set back (unless `closed` said not to). A failure anywhere before or in the clean-up is caught
// and reported once, with `problemMessage`, after the clean-up. Nothing is raised to the caller.
void RunEntryFlow(tk::Form& mainWindow, const char* problemMessage,
                  const std::function<std::unique_ptr<tk::Form>()>& makeDialog,
                  const std::function<bool(tk::Form& dialog, int modalResult)>& closed);

}  // namespace velm
