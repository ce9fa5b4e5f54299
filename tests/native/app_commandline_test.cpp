// Argument 1 cut from the raw command line: separators, quotes, backslashes, the skipped first
// token and the length cap.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "CommandLine.h"
#include "NamedCases.h"

namespace velm {
namespace {

struct ArgumentCase {
  const char* name;
  std::string commandLine;
  std::string argument1;
};

VELM_PRINT_CASE_BY_NAME(ArgumentCase)

class CommandLineTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(CommandLineTest, CutsArgumentOne) {
  const ArgumentCase& c = GetParam();
  EXPECT_EQ(CommandLineArgument(c.commandLine.c_str(), 1), c.argument1);
}

// Every byte from 0x01 to 0x20 separates arguments.
std::string AllSeparators() {
  std::string s;
  for (int c = 1; c <= 0x20; ++c) s.push_back(static_cast<char>(c));
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CommandLineTest,
    ::testing::Values(
        ArgumentCase{"Empty", "", ""}, ArgumentCase{"OnlyProgram", "VelmPres.exe", ""},
        ArgumentCase{"ProgramAndBlanks", "VelmPres.exe   \t ", ""},
        ArgumentCase{"Plain", "VelmPres.exe D:\\", "D:\\"},
        ArgumentCase{"QuotedProgramPath", "\"C:\\My Disc\\VelmPres.exe\" D:\\", "D:\\"},
        ArgumentCase{"QuotedProgramPathWithoutBlank", "\"C:\\a b\\VelmPres.exe\"D:\\", ""},
        ArgumentCase{"OnlyArgumentOneIsRead", "p first second", "first"},
        ArgumentCase{"LeadingSeparators", "  \t p  x", "x"},
        ArgumentCase{"EverySeparatorUpToBlank", "p" + AllSeparators() + "x" + AllSeparators(), "x"},
        ArgumentCase{"TabBetween", "p\tx\ty", "x"}, ArgumentCase{"NewlineBetween", "p\r\nx", "x"},
        ArgumentCase{"ByteAfterBlankIsNoSeparator",
                     "p a\x21"
                     "b",
                     "a!b"},
        ArgumentCase{"HighBytesBelongToTheArgument", "p \xC4:\\\xE1\xE2\\", "\xC4:\\\xE1\xE2\\"},
        ArgumentCase{"QuotedKeepsBlanks", "p \"C:\\Program Files\\Tolvan\\\"",
                     "C:\\Program Files\\Tolvan\\"},
        ArgumentCase{"QuotedKeepsTrailingBackslash", "p \"C:\\Tolvan\\\" next", "C:\\Tolvan\\"},
        ArgumentCase{"BackslashBeforeQuoteIsPlain", "p \"a\\\"b\"", "a\\b"},
        ArgumentCase{"DoubledBackslashesKept", "p \\\\server\\share\\", "\\\\server\\share\\"},
        ArgumentCase{"QuoteInsideArgument", "p ab\"c d\"ef g", "abc def"},
        ArgumentCase{"TwoStretches", "p \"a b\"\" c\"", "a b c"},
        ArgumentCase{"UnclosedQuoteRunsToEnd", "p \"C:\\a b\\ c", "C:\\a b\\ c"},
        ArgumentCase{"EmptyQuotesInsideArgument", "p a\"\"b", "ab"},
        ArgumentCase{"EmptyQuotesAtStartContributeNothing", "p \"\"abc", "abc"},
        ArgumentCase{"EmptyQuotesAloneAreSkipped", "p \"\" D:\\", "D:\\"},
        ArgumentCase{"SeveralEmptyQuotePairsSkipped", "p \"\" \"\"\"\" D:\\", "D:\\"},
        ArgumentCase{"OnlyEmptyQuotes", "p \"\"", ""},
        ArgumentCase{"ThreeQuotesOpenAStretch", "p \"\"\"a b", "a b"},
        ArgumentCase{"EmptyQuotesBeforeProgram", "\"\" p x", "x"},
        ArgumentCase{"EmptyQuotePairsAreNoToken", "\"\"\"\" p x", "x"}));

TEST(CommandLine, ArgumentIsCutAt4096Bytes) {
  const std::string longest(kMaxArgumentLength, 'a');
  EXPECT_EQ(CommandLineArgument(("p " + longest).c_str(), 1), longest);
  EXPECT_EQ(CommandLineArgument(("p " + longest + "bcd x").c_str(), 1), longest);
  // The cap counts the argument's bytes, not the quotes around it.
  const std::string quoted = "p \"" + std::string(kMaxArgumentLength - 1, 'q') + " z\"";
  EXPECT_EQ(CommandLineArgument(quoted.c_str(), 1), std::string(kMaxArgumentLength - 1, 'q') + " ");
}

TEST(CommandLine, LongProgramPathIsSkippedWhole) {
  const std::string program(5000, 'p');
  EXPECT_EQ(CommandLineArgument((program + " D:\\").c_str(), 1), "D:\\");
}

TEST(CommandLine, OtherIndexes) {
  const char* line = "\"C:\\x y\\VelmPres.exe\" one \"t w o\" three";
  EXPECT_EQ(CommandLineArgument(line, 0), "C:\\x y\\VelmPres.exe");
  EXPECT_EQ(CommandLineArgument(line, 2), "t w o");
  EXPECT_EQ(CommandLineArgument(line, 3), "three");
  EXPECT_EQ(CommandLineArgument(line, 4), "");
  EXPECT_EQ(CommandLineArgument(line, -1), "");
  EXPECT_EQ(CommandLineArgument(nullptr, 1), "");
}

}  // namespace
}  // namespace velm
