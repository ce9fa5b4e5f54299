// The disc check against the real program: each test disc (the good one, and one for each fault
// of the shared table) is written to a folder and checked there by the code velmcheck.exe runs,
// then VelmPres.exe is started on it as the disc's autorun entry starts it. What the window
// shows must be what the check predicted: the catalogue revealed or not, which buttons show a
// picture, the removal entry, and a description the check calls plain text or cut at a NUL.
// Then the installation from each disc with an installation fault, through the test host
// velminstallentry.exe into the default folders: the messages the customer sees and the number
// of files copied must be the check's.
#include <algorithm>
#include <string>
#include <vector>

#include "CatalogueText.h"
#include "CheckDiscs.h"
#include "Cp1253.h"
#include "DiscCheck.h"
#include "DiscFolder.h"
#include "E2e.h"
#include "install_support.h"

namespace e2e {
namespace {

using velm::testdisc::DiscFiles;

// What the check predicts for the disc in `folder`.
velm::check::Report Predict(const std::string& folder) {
  velm::check::DiscFolder disc(folder);
  velm::check::DiscIndex index;
  EXPECT_TRUE(index.load(disc)) << folder;
  return velm::check::CheckDisc(index);
}

// The text without its line ends and without blanks at either end.
std::string Letters(const std::string& text) {
  std::string kept;
  for (char c : text)
    if (c != '\r' && c != '\n') kept += c;
  kept.erase(0, kept.find_first_not_of(' '));
  kept.erase(kept.find_last_not_of(' ') + 1);
  return kept;
}

// A test disc written to a short folder of the Wine prefix's drive C, named "good" or by its
// fault's number in the table: one fault's disc holds a path that only just fits the 8-bit
// file calls.
std::string WriteTestDisc(const std::string& name, const DiscFiles& files) {
  const std::string folder = "C:\\vchk\\" + name;
  RemoveTree(folder);
  std::string error;
  EXPECT_TRUE(velm::testdisc::WriteDisc(folder, files, &error)) << error;
  return folder;
}

// Whether the view's text (code page 1253) shows the UTF-8 `words`; a character the code page
// lacks may come back as "?" or as a letter like it.
bool Shows(const std::string& text, const std::string& words) {
  std::string pattern;  // NUL: any one character
  for (std::size_t i = 0, n = 1; i < words.size(); i += n, n = 1) {
    while (i + n < words.size() && (words[i + n] & 0xC0) == 0x80) ++n;
    std::string c;
    pattern += velm::check::Utf8ToCp1253(words.substr(i, n), &c) ? c : std::string(1, '\0');
  }
  return std::search(text.begin(), text.end(), pattern.begin(), pattern.end(),
                     [](char t, char p) { return p == '\0' || p == t; }) != text.end();
}

std::string TraceName(const std::string& name) {
  return name == "good" ? name : velm::testdisc::FolderName(std::stoul(name) - 1);
}

// Whether table entry `i` breaks the catalogue (else the installation).
bool IsCatalogueFault(size_t i) {
  const velm::testdisc::Fault& f = velm::testdisc::Faults()[i];
  return f.file.compare(0, 8, "content\\") == 0 && f.file != "content\\fil.tbo" &&
         f.codes[0] != "content-not-listed";
}

class CheckAgreement : public ::testing::Test {
 protected:
  // The window of the good disc, taken once: the place of the removal entry on a disc that
  // offers none.
  static const Capture& GoodWindow() {
    static const Capture capture = [] {
      const std::string folder = std::string(VELM_E2E_BUILD_DIR) + "\\e2e-work\\check-good-disc";
      RemoveTree(folder);
      std::string error;
      if (!velm::testdisc::WriteDisc(folder, velm::testdisc::GoodDisc(), &error)) return Capture();
      Running app = StartVelmPresIdle(folder, "\"" + folder + "\\\"");
      return app.window ? Capture::Settled(app.window) : Capture();
    }();
    return capture;
  }

  // Writes the disc, predicts, runs the program and compares.
  void Agree(const std::string& name, const DiscFiles& files) {
    SCOPED_TRACE(TraceName(name));
    const std::string folder = WriteTestDisc(name, files);
    const velm::check::Report predicted = Predict(folder);
    ASSERT_GT(GoodWindow().width(), 0);

    Running app = StartVelmPresIdle(folder, "\"" + folder + "\\\"");
    ASSERT_NE(app.window, nullptr);
    const Capture shown = Capture::Settled(app.window);
    HWND view = View(app.window);
    ASSERT_NE(view, nullptr);
    const bool revealed = IsWindowVisible(view) && SameRect(ChildRectInParent(view), kViewFinal);
    EXPECT_EQ(revealed, predicted.catalogue.revealed);
    for (int k = 1; k <= 9; ++k) {
      // Title 1 is selected once revealed: its button shows the highlighted picture.
      const long own = CountColour(shown, MenuOwnBox(k), velm::testdisc::ButtonColour(k, k == 1));
      EXPECT_EQ(own > 100, predicted.catalogue.buttonShown[k - 1]) << "button " << k;
    }
    const bool entry = DifferingPixels(GoodWindow(), shown, kUninstallLabelBox, 16) > 50;
    EXPECT_EQ(entry, predicted.install.programPresent && !predicted.install.programReadOnly);

    // A description the check has something to say about, as the view shows it.
    for (const velm::check::Finding& f : predicted.findings) {
      if (f.code == "description-no-greek-code-page" || f.code == "description-unicode-escapes") {
        // The words the check quotes as the view reads them here (rich edit 2.0).
        const int k = f.file[12] - '0';
        ASSERT_TRUE(Click(app.window, MenuClickPoint(k).x, MenuClickPoint(k).y));
        const std::size_t open =
            f.effect.find('"', f.effect.find(f.code[12] == 'n' ? "read \"" : "word, \"")) + 1;
        const std::string quoted = f.effect.substr(open, f.effect.find('"', open) - open);
        // Without the ellipsis after four words.
        EXPECT_TRUE(Shows(Text(view), quoted.substr(0, quoted.find(" \xE2\x80\xA6"))))
            << Text(view) << " / " << quoted;
        continue;
      }
      if (f.code != "description-not-rtf" && f.code != "description-nul") continue;
      const int k = f.file[12] - '0';  // "content\velm<k>.rtf"
      std::string bytes;
      ASSERT_TRUE(ReadFileBytes(folder + "\\" + f.file, bytes));
      ASSERT_TRUE(Click(app.window, MenuClickPoint(k).x, MenuClickPoint(k).y));
      const std::string text = Text(view);
      if (f.code == "description-not-rtf") {
        // Shown as plain text: every byte of the file, control words and all.
        EXPECT_EQ(Letters(text),
                  Letters(velm::JoinDescriptionLines(velm::SplitDescriptionLines(bytes))));
      } else {
        // Cut at the NUL: all that shows is text from before it.
        const std::string shown = Letters(text);
        EXPECT_FALSE(shown.empty());
        EXPECT_NE(bytes.substr(0, bytes.find('\0')).find(shown), std::string::npos) << text;
      }
    }
  }

  void AgreeOnFaults(bool catalogue) {
    const auto& faults = velm::testdisc::Faults();
    for (size_t i = 0; i < faults.size(); ++i) {
      if (IsCatalogueFault(i) != catalogue) continue;
      DiscFiles disc = velm::testdisc::GoodDisc();
      faults[i].apply(disc);
      Agree(std::to_string(i + 1), disc);
    }
  }
};

TEST_F(CheckAgreement, TheGoodDisc) {
  Agree("good", velm::testdisc::GoodDisc());
}

TEST_F(CheckAgreement, DiscsWithACatalogueFault) {
  AgreeOnFaults(true);
}

TEST_F(CheckAgreement, DiscsWithAnInstallationFault) {
  AgreeOnFaults(false);
}

// ---- The installation ---------------------------------------------------------------------------

class CheckInstallAgreement : public ::testing::Test {
 protected:
  uninstall::MovedDesktop desktop_{"Desktop-check-agreement"};
  install::SettingsFile settings_;

  // Installs from the disc into each default folder the check tells apart (both when their
  // outcomes differ, else the first), and compares with the prediction.
  void AgreeOnInstallation(const std::string& name, const DiscFiles& files) {
    SCOPED_TRACE(TraceName(name));
    const std::string disc = WriteTestDisc(name, files);
    const velm::check::Report predicted = Predict(disc);
    ASSERT_EQ(predicted.install.outcomes.size(), 2u);
    const auto& outcomes = predicted.install.outcomes;
    const bool differ =
        outcomes[0].success != outcomes[1].success || outcomes[0].files != outcomes[1].files;

    Running app = install::StartInstallEntry(disc);
    ASSERT_NE(app.window, nullptr);
    for (size_t i = 0; i < (differ ? 2u : 1u); ++i) {
      const velm::check::InstallOutcome& o = outcomes[i];
      SCOPED_TRACE(o.folder);
      RemoveTree(o.folder);
      HWND dialog = install::OpenFolderDialog(app);
      ASSERT_NE(dialog, nullptr);
      std::vector<std::string> expected;
      expected.push_back(o.success ? install::kDoneMessage : install::kProblemMessage);
      if (!o.programCopied) expected.push_back(install::kEntryProblemMessage);
      EXPECT_EQ(install::InstallInto(app, dialog, o.folder), expected);
      int files = 0;
      for (const auto& entry : uninstall::Snapshot(o.folder)) files += entry.first.back() != '\\';
      EXPECT_EQ(files, o.files) << ::testing::PrintToString(
          uninstall::Names(uninstall::Snapshot(o.folder)));
      RemoveTree(o.folder);
    }
    EXPECT_TRUE(app.process->running());
  }
};

TEST_F(CheckInstallAgreement, InstallingFromDiscsWithAnInstallationFault) {
  AgreeOnInstallation("good", velm::testdisc::GoodDisc());
  const auto& faults = velm::testdisc::Faults();
  for (size_t i = 0; i < faults.size(); ++i) {
    // A writable program makes the disc offer removal where the install entry lies: that disc
    // is not one the install entry can be reached on (its installation is the good disc's).
    // Wine's 8-bit file calls take paths longer than the 259 characters Windows takes, so the
    // program under Wine copies what on Windows fails: the check says what Windows does.
    // A disc's autorun entry and the names pressing changes leave the installation from its
    // folder the good disc's (make-disc.sh's test presses those discs).
    const std::string& code = faults[i].codes[0];
    if (IsCatalogueFault(i) || code == "program-writable" || code == "path-too-long" ||
        code.rfind("autorun-", 0) == 0 || code.rfind("press-", 0) == 0)
      continue;
    DiscFiles disc = velm::testdisc::GoodDisc();
    faults[i].apply(disc);
    AgreeOnInstallation(std::to_string(i + 1), disc);
  }
}

}  // namespace
}  // namespace e2e
