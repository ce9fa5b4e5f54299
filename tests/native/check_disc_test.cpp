// The disc check on discs the tests make: the good disc checks clean, and each fault of the
// shared table gives its finding, with its file and manifest line, and the program's behaviour
// the table states. Then the lookup rules the check finds names by, and the velmcheck command
// itself on a real folder, with its exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "CheckDiscs.h"
#include "Cp1253.h"
#include "DiscCheck.h"
#include "ReadOrder.h"

namespace velm::check {
namespace {

using testdisc::DiscFiles;

void Fill(MemoryDisc& memory, const DiscFiles& files) {
  for (const auto& f : files) {
    if (f.folder)
      memory.addFolder(f.path);
    else
      memory.addFile(f.path, f.bytes, f.readOnly);
  }
}

Report Check(const DiscFiles& files) {
  MemoryDisc memory;
  Fill(memory, files);
  DiscIndex index;
  EXPECT_TRUE(index.load(memory));
  return CheckDisc(index);
}

std::set<std::string> Codes(const Report& r) {
  std::set<std::string> codes;
  for (const Finding& f : r.findings) codes.insert(f.code);
  return codes;
}

unsigned Buttons(const Report& r) {
  unsigned mask = 0;
  for (int k = 0; k < 9; ++k)
    if (r.catalogue.buttonShown[k]) mask |= 1u << k;
  return mask;
}

TEST(DiscCheck, TheGoodDiscChecksClean) {
  const Report r = Check(testdisc::GoodDisc());
  EXPECT_TRUE(r.findings.empty()) << ReportText(r);
  EXPECT_EQ(r.exitCode(), 0);
  EXPECT_TRUE(r.catalogue.revealed);
  EXPECT_EQ(Buttons(r), testdisc::kAllButtons);
  ASSERT_EQ(r.install.outcomes.size(), 2u);
  for (const InstallOutcome& o : r.install.outcomes) {
    EXPECT_TRUE(o.success);
    // The program, three data files and five content files.
    EXPECT_EQ(o.files, 9);
  }
  // The line numbers are the program's, the empty line counted and shown as empty.
  ASSERT_EQ(r.install.lines.size(), 9u);
  EXPECT_EQ(r.install.lines[2].kind, ManifestLine::Kind::Empty);
  EXPECT_EQ(r.install.lines[3].kind, ManifestLine::Kind::Folder);
  EXPECT_EQ(r.install.lines[4].kind, ManifestLine::Kind::File);
  EXPECT_NE(OutcomeLine(r).find("9 files"), std::string::npos) << OutcomeLine(r);
}

TEST(DiscCheck, EachFaultGivesItsFindingAndTheProgramsBehaviour) {
  for (const testdisc::Fault& fault : testdisc::Faults()) {
    SCOPED_TRACE(fault.name);
    DiscFiles disc = testdisc::GoodDisc();
    fault.apply(disc);
    const Report r = Check(disc);
    const Finding* first = nullptr;
    for (const Finding& f : r.findings)
      if (f.code == fault.codes[0] && !first) first = &f;
    ASSERT_NE(first, nullptr) << ReportText(r);
    EXPECT_EQ(first->file, Cp1253ToUtf8(fault.file));
    EXPECT_EQ(first->line, fault.line);
    EXPECT_FALSE(first->what.empty() || first->effect.empty() || first->mend.empty());
    EXPECT_EQ(Codes(r), std::set<std::string>(fault.codes.begin(), fault.codes.end()))
        << ReportText(r);
    EXPECT_EQ(r.catalogue.revealed, fault.revealed);
    EXPECT_EQ(Buttons(r), fault.buttons);
    ASSERT_EQ(r.install.outcomes.size(), 2u);
    EXPECT_EQ(r.install.outcomes[0].success, fault.success[0]);
    EXPECT_EQ(r.install.outcomes[1].success, fault.success[1]);
    EXPECT_EQ(r.install.outcomes[0].programCopied, fault.programCopied);
    EXPECT_EQ(r.exitCode(), fault.exitCode);
  }
}

// What the customer reads, quoted: "Κατάλογος" as rich edit 1.0 shows its escapes, and as code
// page 1252 reads its UTF-8 bytes.
TEST(DiscCheck, DescriptionFindingsQuoteWhatTheCustomerReads) {
  const std::pair<const char*, const char*> quoted[] = {
      {"Greek RTF written as Unicode escapes with a question mark as fallback",
       "the first such word, \"Κατάλογος\", reads \"?????????\" there"},
      {"Greek RTF saved from UTF-8 as code page 1252", "read \"ÎšÎ±Ï„Î¬Î»Î¿Î³Î¿Ï‚ of the year …\""},
      {"Greek RTF without code page or character set", "read \"Ôßôë\""}};
  for (const auto& [name, quote] : quoted) {
    for (const testdisc::Fault& fault : testdisc::Faults()) {
      if (std::string(fault.name) != name) continue;
      DiscFiles disc = testdisc::GoodDisc();
      fault.apply(disc);
      const Report r = Check(disc);
      ASSERT_FALSE(r.findings.empty()) << name;
      EXPECT_NE(r.findings[0].effect.find(quote), std::string::npos) << r.findings[0].effect;
    }
  }
}

TEST(DiscCheck, ARefusedBitmapKeepsEveryLaterFileFromLoading) {
  DiscFiles disc = testdisc::GoodDisc();
  testdisc::Find(disc, "content\\menu3c.bmp")->bytes.resize(40);
  const Report r = Check(disc);
  using State = CatalogueFile::State;
  for (int k = 1; k <= 9; ++k) {
    for (int role = 0; role < 4; ++role) {
      const State expected = k < 3 || (k == 3 && role == 0) ? State::Loaded
                             : k == 3 && role == 1          ? State::Refused
                                                            : State::NotLoaded;
      EXPECT_EQ(r.catalogue.slots[k - 1].files[role].state, expected) << k << " " << role;
    }
  }
  EXPECT_EQ(r.catalogue.stoppedAt, "content\\menu3c.bmp");
  EXPECT_NE(r.findings[0].effect.find("slots 4 to 9"), std::string::npos) << r.findings[0].effect;
}

// The program, the catalogue as far as the loading reads it (a refused picture is read, then
// nothing after it), then the manifest and the installation's copies in the plan's order, each
// file once; what nothing reads is left out.
TEST(DiscCheck, ReadOrderFollowsTheLoadingAndThePlan) {
  DiscFiles disc = testdisc::GoodDisc();
  testdisc::Find(disc, "content\\menu3c.bmp")->bytes.resize(40);
  MemoryDisc memory;
  Fill(memory, disc);
  DiscIndex index;
  ASSERT_TRUE(index.load(memory));
  std::vector<std::string> expected = {"VelmPres.exe"};
  for (int k = 1; k <= 3; ++k)
    for (CatalogueRole role : kCatalogueRoles)
      if (k < 3 || role <= CatalogueRole::Highlighted) expected.push_back(CataloguePath(k, role));
  expected.insert(expected.end(), {"content\\fil.tbo", "Tolvan.exe", "Data\\TolvanI.tbo",
                                   "Data\\TolvanHI.tbo", "Data\\Tolvan.tbo"});
  std::string folder;  // the manifest's folder line in force
  for (const std::string& line : testdisc::GoodManifestLines()) {
    if (!line.empty() && line.back() == '\\')
      folder = line;
    else if (!line.empty())
      expected.push_back("content\\" + folder + line);
  }
  std::vector<std::string> order;
  for (const ReadFile& f : ReadOrder(index)) order.push_back(f.entry->path);
  EXPECT_EQ(order, expected);
}

TEST(DiscCheck, FaultsOnlyAMemoryDiscCanMake) {
  {
    SCOPED_TRACE("manifest that cannot be read");
    MemoryDisc memory;
    Fill(memory, testdisc::GoodDisc());
    memory.breakFile("content\\fil.tbo");
    DiscIndex index;
    ASSERT_TRUE(index.load(memory));
    const Report r = CheckDisc(index);
    EXPECT_EQ(Codes(r), std::set<std::string>({"manifest-unreadable"}));
    EXPECT_FALSE(r.install.outcomes[0].success);
    // Everything before the manifest is still copied.
    EXPECT_EQ(r.install.outcomes[0].files, 4);
  }
  {
    SCOPED_TRACE("two names Windows takes for one");
    DiscFiles disc = testdisc::GoodDisc();
    testdisc::Put(disc, "content\\README.TXT", "other");
    const Report r = Check(disc);
    EXPECT_EQ(Codes(r), std::set<std::string>({"name-clash"}));
  }
}

// Joliet's limits at their edges: 64 characters (65 for a file name with a dot) and 240 bytes
// of path, 1 + 15 ("content") + 13 ("Images") + 121 (60 characters) + 87 (43) + 3 ("x"), pass.
TEST(DiscCheck, PressingKeepsNamesAndPathsUpToJolietsLimits) {
  DiscFiles disc = testdisc::GoodDisc();
  const std::string c = "content\\Images\\", g60 = std::string(60, 'g') + "\\";
  for (const std::string& name :
       {std::string(64, 'k'), std::string(61, 'k') + ".txt", std::string(65, 'c'),
        std::string(62, 'c') + ".txt", g60 + std::string(43, 'p') + "\\x",
        g60 + std::string(44, 'r') + "\\x"})
    testdisc::Put(disc, c + name, "");
  std::set<std::string> found;
  for (const Finding& f : Check(disc).findings)
    if (f.code.rfind("press-", 0) == 0)  // first letter, length, "n"ame or "p"ath
      found.insert(f.file[c.size()] + std::to_string(f.file.size() - c.size()) + f.code[6]);
  EXPECT_EQ(found, (std::set<std::string>{"c65n", "c66n", "g107p"}));
}

TEST(DiscCheck, NamesAreFoundAsWindowsFindsThem) {
  MemoryDisc memory;
  memory.addFolder("Content");
  memory.addFile("Content\\MENU1.BMP", "x");
  // "λήμματα" in small letters with a final sigma in the file name.
  memory.addFolder("Content\\\xEB\xDE\xEC\xEC\xE1\xF4\xE1");
  memory.addFile("Content\\\xEB\xDE\xEC\xEC\xE1\xF4\xE1\\\xEB\xDF\xF3\xF4\xE1\xF2.txt", "y");
  DiscIndex index;
  ASSERT_TRUE(index.load(memory));
  EXPECT_NE(index.findFile("content\\menu1.bmp"), nullptr);
  EXPECT_NE(index.findFile("content/Menu1.bmp. "), nullptr);
  EXPECT_EQ(index.findFile("content\\menu1.bm"), nullptr);
  EXPECT_EQ(index.findFile("content"), nullptr);  // a folder is not a file
  EXPECT_NE(index.findFolder("CONTENT\\"), nullptr);
  // "ΛΉΜΜΑΤΑ\ΛΊΣΤΑΣ.TXT": capitals with their accents, and sigma for the final sigma.
  EXPECT_NE(index.findFile("content\\\xCB\xB9\xCC\xCC\xC1\xD4\xC1\\\xCB\xBA\xD3\xD4\xC1\xD3.TXT"),
            nullptr);
  EXPECT_EQ(index.findFile("content\\\xCB\xB9\xCC\xCC\xC1\xD4\xC1\\\xCB\xBA\xD3\xD4\xC1.TXT"),
            nullptr);
  // Names of a UTF-8 file system: Greek turns into code page 1253, Cyrillic has no place in it.
  std::string name;
  ASSERT_TRUE(Utf8ToCp1253("\xCE\xA9\xCE\xB1", &name));  // "Ωα"
  EXPECT_EQ(name, "\xD9\xE1");
  EXPECT_EQ(Cp1253ToUtf8(name), "\xCE\xA9\xCE\xB1");
  EXPECT_FALSE(Utf8ToCp1253("\xD0\x96", &name));
}

// ---- The command on a real folder -------------------------------------------------------------

void WriteDisc(const std::string& root, const DiscFiles& files) {
  std::string error;
  ASSERT_TRUE(testdisc::WriteDisc(root, files, &error)) << error;
}

struct CommandRun {
  int exit;
  std::string out;
};

CommandRun Velmcheck(const std::string& arguments) {
  CommandRun run{-1, ""};
  FILE* pipe = popen((std::string(VELMCHECK_PATH) + " " + arguments + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class VelmcheckCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmcheck-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    base_ = pattern;
  }
  void TearDown() override {
    std::system(("chmod -R u+w " + base_ + " && rm -rf " + base_).c_str());
  }
  std::string base_;
};

TEST_F(VelmcheckCommand, EndsWithZeroOneOrTwo) {
  const std::string good = base_ + "/good";
  WriteDisc(good, testdisc::GoodDisc());
  const CommandRun clean = Velmcheck(good);
  EXPECT_EQ(clean.exit, 0) << clean.out;
  EXPECT_NE(clean.out.find("Findings: 0 problems"), std::string::npos) << clean.out;
  // The Greek folder was found on disc through its UTF-8 name.
  EXPECT_NE(clean.out.find("\xCE\x9B\xCE\xAE\xCE\xBC\xCE\xBC\xCE\xB1\xCF\x84\xCE\xB1\\"),
            std::string::npos);

  const std::string broken = base_ + "/broken";
  DiscFiles disc = testdisc::GoodDisc();
  testdisc::Find(disc, "Tolvan.exe")->readOnly = false;
  WriteDisc(broken, disc);
  const CommandRun problems = Velmcheck(broken);
  EXPECT_EQ(problems.exit, 1) << problems.out;
  EXPECT_NE(problems.out.find("problem Tolvan.exe [program-writable]"), std::string::npos)
      << problems.out;
  const CommandRun json = Velmcheck("--json " + broken);
  EXPECT_EQ(json.exit, 1);
  EXPECT_NE(json.out.find("\"code\": \"program-writable\", \"file\": \"Tolvan.exe\""),
            std::string::npos)
      << json.out;

  // The JSON is JSON, also with a name holding a control byte and Greek letters.
  const std::string lf = base_ + "/lone-lf";
  disc = testdisc::GoodDisc();
  for (const testdisc::Fault& fault : testdisc::Faults())
    if (fault.codes[0] == "manifest-lone-lf") fault.apply(disc);
  WriteDisc(lf, disc);
  const CommandRun parsed = Velmcheck("--json " + lf +
                                      " | python3 -c 'import json, sys; d = json.load(sys.stdin); "
                                      "print(d[\"findings\"][0][\"code\"])'");
  EXPECT_EQ(parsed.out, "manifest-lone-lf\n");

  EXPECT_EQ(Velmcheck(base_ + "/nothing-here").exit, 2);
  EXPECT_EQ(Velmcheck(good + "/Tolvan.exe").exit, 2);  // a file, not a folder
  EXPECT_EQ(Velmcheck("").exit, 2);
}

}  // namespace
}  // namespace velm::check
