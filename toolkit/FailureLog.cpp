// The trace of dropped failures (see FailureLog.h).
#include "FailureLog.h"

#include <windows.h>

#include <exception>

namespace tk {

namespace {

FailureLogger& Logger() {
#ifdef NDEBUG
  static FailureLogger logger;
#else
  static FailureLogger logger = [](const char* where, const std::string& what) {
    OutputDebugStringA(
        ("VelmPres: failure dropped in " + std::string(where) + ": " + what + "\n").c_str());
  };
#endif
  return logger;
}

}  // namespace

void SetFailureLogger(FailureLogger logger) {
  Logger() = std::move(logger);
}

void LogDroppedFailure(const char* where) noexcept {
  try {
    if (!Logger()) return;
    std::string what = "unknown failure";
    try {
      throw;
    } catch (const std::exception& e) {
      what = e.what();
    } catch (...) {
    }
    Logger()(where, what);
  } catch (...) {
    // The trace itself failed: nothing more to do with it.
  }
}

}  // namespace tk
