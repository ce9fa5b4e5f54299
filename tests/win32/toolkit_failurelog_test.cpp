// The trace of the failures the windowing layer drops: silent for the user, seen by a logger.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "FailureLog.h"
#include "Handler.h"

namespace {

TEST(FailureLogTest, AHandlersDroppedFailureReachesTheLoggerWithItsPlaceAndText) {
  std::vector<std::string> seen;
  tk::SetFailureLogger([&](const char* where, const std::string& what) {
    seen.push_back(std::string(where) + ": " + what);
  });
  tk::RunHandler([] { throw std::runtime_error("the click handler failed"); });
  tk::RunHandler([] { throw 7; });
  tk::RunHandler([] {});
  tk::SetFailureLogger(nullptr);
  tk::RunHandler([] { throw std::runtime_error("not seen"); });

  const std::vector<std::string> expected = {"handler: the click handler failed",
                                             "handler: unknown failure"};
  EXPECT_EQ(seen, expected);
}

}  // namespace
