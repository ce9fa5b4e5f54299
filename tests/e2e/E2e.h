// What the end-to-end tests share: where the programs and the sample disc are, a fresh working
// folder for each test, and starting VelmPres.exe there.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Driver.h"
#include "E2ePaths.h"

namespace e2e {

constexpr char kMainCaption[] = "Εκδόσεις Βελμαρόδη";

inline std::string VelmPresExe() {
  return std::string(VELM_E2E_BUILD_DIR) + "\\bin\\VelmPres.exe";
}
inline std::string SampleDisc() {
  return std::string(VELM_E2E_BUILD_DIR) + "\\disc";
}

// A folder of its own for the running test, emptied first.
inline std::string TestFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string folder = std::string(VELM_E2E_BUILD_DIR) + "\\e2e-work\\" +
                             info->test_suite_name() + "." + info->name();
  RemoveTree(folder);
  MakeFolders(folder);
  return folder;
}

// VelmPres.exe started in `workingFolder` with the raw argument text, its main window found.
struct Running {
  std::unique_ptr<Process> process;
  HWND window = nullptr;
};

inline Running StartVelmPres(const std::string& workingFolder, const std::string& arguments = "") {
  Running r;
  r.process = std::make_unique<Process>(VelmPresExe(), arguments, workingFolder);
  r.window = r.process->waitForWindow(kMainCaption);
  return r;
}

}  // namespace e2e
