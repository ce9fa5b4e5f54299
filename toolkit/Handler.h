// The guard around every user event's handler.
#pragma once

#include <functional>

namespace tk {

// Runs the handler of a user event: a control's click or change, a form's showing. Every event
// passes here, by mouse, by keyboard or from code. A failure the handler does not catch itself
// ends it silently, as every handler's failure does; nothing goes further.
void RunHandler(const std::function<void()>& handler) noexcept;

}  // namespace tk
