// The trace of failures that the windowing layer drops: a handler's failure, one inside a
// window procedure, one inside the directory list's key handling. The product shows nothing for
// them; a test or a debug build sets a logger and sees each one, where it was dropped and what
// it was.
#pragma once

#include <functional>
#include <string>

namespace tk {

// Called with the place ("handler", "form window procedure", "directory list keys") and the
// failure's text (its what(), or "unknown failure").
using FailureLogger = std::function<void(const char* where, const std::string& what)>;

// Puts `logger` in force; an empty one turns the trace off (the product's default, except in
// debug builds, which write each failure to the debugger's output).
void SetFailureLogger(FailureLogger logger);

// Reports the failure being handled: call it only inside a catch block. Never raises.
void LogDroppedFailure(const char* where) noexcept;

}  // namespace tk
