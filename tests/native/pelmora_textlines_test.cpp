// The runtime's text-line rules: where lines end, what Ctrl-Z does, and the reader's end state.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "TextLineReader.h"
#include "NamedCases.h"

namespace velm {
namespace {

using Lines = std::vector<std::string>;

struct LinesCase {
  const char* name;
  std::string bytes;
  Lines lines;
};

VELM_PRINT_CASE_BY_NAME(LinesCase)

class TextLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(TextLinesTest, SplitsAsTheRuntimeDoes) {
  const LinesCase& c = GetParam();
  EXPECT_EQ(ReadTextLines(c.bytes), c.lines);

  // Line by line gives the same lines, and the reader then stays at its end.
  TextLineReader reader(c.bytes);
  Lines read;
  while (!reader.atEnd()) {
    read.push_back(reader.readLine());
  }
  EXPECT_EQ(read, c.lines);
  EXPECT_EQ(reader.readLine(), "");
  EXPECT_TRUE(reader.atEnd());
}

const std::string kGreek = "\xD4\xEF\xEB\xE2\xE1\xED";  // a Greek word in code page 1253

INSTANTIATE_TEST_SUITE_P(
    Rules, TextLinesTest,
    ::testing::Values(
        LinesCase{"Empty", "", {}}, LinesCase{"OnlyCtrlZ", "\x1A", {}},
        LinesCase{"CtrlZAtStart",
                  "\x1A"
                  "abc\r\ndef",
                  {}},
        LinesCase{"NoLineEnd", "abc", {"abc"}}, LinesCase{"CrLf", "abc\r\n", {"abc"}},
        LinesCase{"LoneCr", "abc\rdef", {"abc", "def"}}, LinesCase{"CrAtEnd", "abc\r", {"abc"}},
        LinesCase{"TwoCrLfLines", "a\r\nb\r\n", {"a", "b"}},
        LinesCase{"LoneLfStaysInLine", "a\nb\r\nc", {"a\nb", "c"}},
        LinesCase{"LfAtStartAndEnd", "\na\n", {"\na\n"}}, LinesCase{"LfCr", "a\n\rb", {"a\n", "b"}},
        LinesCase{"OnlyOneLfSkipped", "a\r\n\nb", {"a", "\nb"}},
        LinesCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}}, LinesCase{"EmptyLine", "\r\n", {""}},
        LinesCase{"TwoEmptyLines", "\r\n\r\n", {"", ""}},
        LinesCase{"CtrlZMidLine",
                  "ab\x1A"
                  "cd\r\nef",
                  {"ab"}},
        LinesCase{"CtrlZAfterLineEnd",
                  "ab\r\n\x1A"
                  "cd",
                  {"ab"}},
        LinesCase{"CtrlZBetweenCrAndLf", "ab\r\x1A\n", {"ab"}},
        LinesCase{"NulIsAnOrdinaryByte", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
        LinesCase{"HighBytesUnchanged", kGreek + "\r\n" + kGreek, {kGreek, kGreek}}),
    velmtest::CaseName());

TEST(TextLineReaderTest, VeryLongLinesAreKeptWhole) {
  const std::string longLine(1 << 20, 'x');
  const std::string longer(3 * (1 << 20) + 7, '\n');  // lone LFs only: still one line
  EXPECT_EQ(ReadTextLines(longLine + "\r\n" + longer + "\r" + "y"), (Lines{longLine, longer, "y"}));
}

TEST(TextLineReaderTest, AtEndOnlyWhenNoLineIsLeft) {
  TextLineReader empty("");
  EXPECT_TRUE(empty.atEnd());

  TextLineReader ctrlZ("\x1A");
  EXPECT_TRUE(ctrlZ.atEnd());

  // An empty first line is still a line to read.
  TextLineReader emptyLine("\r\n");
  EXPECT_FALSE(emptyLine.atEnd());
  EXPECT_EQ(emptyLine.readLine(), "");
  EXPECT_TRUE(emptyLine.atEnd());

  // The Ctrl-Z after the first line end ends the file there.
  TextLineReader oneLine(
      "C:\\Tolvan\r\n\x1A"
      "rest\r\n");
  EXPECT_FALSE(oneLine.atEnd());
  EXPECT_EQ(oneLine.readLine(), "C:\\Tolvan");
  EXPECT_TRUE(oneLine.atEnd());
  EXPECT_EQ(oneLine.readLine(), "");
  EXPECT_TRUE(oneLine.atEnd());
}

}  // namespace
}  // namespace velm
