// The handler guard (see Handler.h).
#include "Handler.h"

#include "FailureLog.h"

namespace tk {

void RunHandler(const std::function<void()>& handler) noexcept {
  try {
    handler();
  } catch (...) {
    // A handler's failure ends the handler and nothing else; it leaves only its trace.
    LogDroppedFailure("handler");
  }
}

}  // namespace tk
