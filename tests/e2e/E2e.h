// What the end-to-end tests share: where the programs and the sample disc are, a fresh working
// folder for each test, and starting VelmPres.exe there.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <regex>
#include <sstream>
#include <string>

#include "DiscFacts.h"
#include "Driver.h"
#include "E2ePaths.h"

namespace e2e {

constexpr const char* kMainCaption = velm::kAppTitle;

inline std::string VelmPresExe() {
  return std::string(VELM_E2E_BUILD_DIR) + "\\bin\\VelmPres.exe";
}
inline std::string SampleDisc() {
  return std::string(VELM_E2E_BUILD_DIR) + "\\disc";
}

// A folder of its own for the running test, emptied first.
inline std::string TestFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  // Parameterised tests have slashes in their names.
  std::replace(name.begin(), name.end(), '/', '-');
  const std::string folder = std::string(VELM_E2E_BUILD_DIR) + "\\e2e-work\\" + name;
  RemoveTree(folder);
  MakeFolders(folder);
  return folder;
}

// VelmPres.exe started in `workingFolder` with the raw argument text, its main window found.
struct Running {
  std::unique_ptr<Process> process;
  HWND window = nullptr;
};

// `exe` is VelmPres.exe, or a copy of it under another name.
inline Running StartVelmPres(const std::string& workingFolder, const std::string& arguments = "",
                             const std::string& exe = VelmPresExe()) {
  Running r;
  r.process = std::make_unique<Process>(exe, arguments, workingFolder);
  r.window = r.process->waitForWindow(kMainCaption);
  return r;
}

// The same, and waits until its start-up has run to the end (the catalogue loaded and revealed,
// or stopped where a damaged file stopped it) and the window has drawn it.
inline Running StartVelmPresIdle(const std::string& workingFolder,
                                 const std::string& arguments = "",
                                 const std::string& exe = VelmPresExe()) {
  Running r = StartVelmPres(workingFolder, arguments, exe);
  if (r.window) {
    WaitForStartUp(*r.process);
    RoundTrip(r.window);
  }
  return r;
}

// One of the program's dialogs as it shows over the main window: of this client size, with a
// caption but no system menu, sizing border or minimise and maximise boxes, centred over the
// main window, which is disabled meanwhile.
inline void ExpectDialogOver(HWND dialog, HWND main, int clientWidth, int clientHeight) {
  const SIZE client = ClientSize(dialog);
  EXPECT_EQ(client.cx, clientWidth);
  EXPECT_EQ(client.cy, clientHeight);
  const LONG style = Style(dialog);
  EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
  EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  const RECT frame = WindowRectOnScreen(dialog);
  const RECT mainFrame = WindowRectOnScreen(main);
  EXPECT_NEAR(frame.left + frame.right, mainFrame.left + mainFrame.right, 2);
  EXPECT_NEAR(frame.top + frame.bottom, mainFrame.top + mainFrame.bottom, 2);
  EXPECT_FALSE(IsWindowEnabled(main)) << "the main window is not disabled while it is open";
}

// Waits for the program to end, which it must, with the exit code 0.
inline void ExpectEndsWithZero(Process& process, DWORD timeoutMs = 10000) {
  DWORD code = 1234;
  ASSERT_TRUE(process.waitForExit(timeoutMs, &code)) << "it did not end";
  EXPECT_EQ(code, 0u);
}

// ---- The catalogue as it sits in the main window (client coordinates) ------------------------

constexpr int kMenuLeft = 4;
constexpr int kMenuWidth = 201;
inline int MenuTop(int k) {
  return 104 + 36 * (k - 1);
}
inline int MenuHeight(int k) {
  return k == 9 ? 49 : 37;
}
inline RECT MenuBox(int k) {
  return RECT{kMenuLeft, MenuTop(k), kMenuLeft + kMenuWidth, MenuTop(k) + MenuHeight(k)};
}
// Button k's own part: each button is drawn over the last row of the one above it.
inline RECT MenuOwnBox(int k) {
  RECT r = MenuBox(k);
  if (k < 9) r.bottom -= 1;
  return r;
}
// Where a click lands on button k: the middle of its own part.
inline POINT MenuClickPoint(int k) {
  const RECT r = MenuOwnBox(k);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
// The column of all nine buttons.
constexpr RECT kMenuColumn{4, 104, 205, 441};
// The title picture's box once revealed, and the view's final place.
constexpr RECT kPictureBox{495, 84, 744, 405};
constexpr RECT kViewFinal{208, 84, 490, 405};
// The view where the window first puts it, before the catalogue is revealed.
constexpr RECT kViewInitial{244, 120, 460, 405};
// The removal entry: the icon and the label beside it.
constexpr RECT kInstallIconBox{224, 418, 242, 436};
constexpr RECT kUninstallLabelBox{248, 420, 442, 433};

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

// How many pixels of `area` have exactly this colour (0xRRGGBB).
inline long CountColour(const Capture& c, const RECT& area, std::uint32_t colour) {
  long n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (c.at(x, y) == colour) ++n;
  return n;
}

// The rich-text view: the main window's one rich-edit child.
inline HWND View(HWND window) {
  const std::vector<HWND> views = Children(window, "RichEdit20A");
  return views.empty() ? nullptr : views.front();
}

// ---- Files of the sample disc ------------------------------------------------------------------

inline std::string DiscContent(const std::string& name) {
  return SampleDisc() + "\\content\\" + name;
}
inline std::string MenuFile(int k, bool highlighted) {
  return "menu" + std::to_string(k) + (highlighted ? "c" : "") + ".bmp";
}
inline std::string DescriptionFile(int k) {
  return "velm" + std::to_string(k) + ".rtf";
}
inline std::string PictureFile(int k) {
  return "velm" + std::to_string(k) + ".bmp";
}
// The install/remove icon as it is stored with the program.
inline std::string InstallIconAsset() {
  return std::string(VELM_E2E_SOURCE_DIR) + "\\assets\\install_icon.bmp";
}

// Copies the sample disc's catalogue into `folder`\content.
inline bool CopyCatalogue(const std::string& folder) {
  return CopyTree(SampleDisc() + "\\content", folder + "\\content");
}

// VelmPres.exe started, its start-up over, in the test's own folder holding a copy of the sample
// disc's catalogue.
inline Running StartOnCatalogueCopy() {
  const std::string folder = TestFolder();
  EXPECT_TRUE(CopyCatalogue(folder)) << "the catalogue was not copied";
  return StartVelmPresIdle(folder);
}

// A phrase of an RTF description as its reader sees it: the text of its longest paragraph
// (control words dropped), cut to at most `length` bytes. The paragraph's text stays whole in
// the view's text, wherever the view wraps it.
inline std::string PhraseOfRtf(const std::string& rtf, size_t length = 40) {
  static const std::regex controlWord(R"(\\[a-zA-Z]+-?[0-9]* ?)");
  std::istringstream lines(rtf);
  std::string line;
  std::string best;
  while (std::getline(lines, line)) {
    if (line.rfind("\\pard", 0) != 0) continue;
    std::string text = std::regex_replace(line, controlWord, "");
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    if (text.find_first_of("\\{}") != std::string::npos) continue;
    if (text.size() > best.size()) best = text;
  }
  return best.substr(0, length);
}

// Title k's description file on the sample disc, and a phrase of it.
inline std::string DiscDescription(int k) {
  return FileBytes(DiscContent(DescriptionFile(k)));
}
inline std::string PhraseOfDescription(int k) {
  return PhraseOfRtf(DiscDescription(k));
}

}  // namespace e2e
