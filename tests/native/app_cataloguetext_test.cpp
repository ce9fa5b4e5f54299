// Catalogue descriptions as lines: where a line ends, what a NUL does, and how the lines are
// joined again for the rich-text view.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "CatalogueText.h"
#include "NamedCases.h"

namespace velm {
namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
  const char* name;
  std::string bytes;
  Lines lines;
};

VELM_PRINT_CASE_BY_NAME(SplitCase)

class DescriptionSplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(DescriptionSplitTest, SplitsIntoLines) {
  const SplitCase& c = GetParam();
  EXPECT_EQ(SplitDescriptionLines(c.bytes), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DescriptionSplitTest,
    ::testing::Values(
        SplitCase{"Empty", "", {}}, SplitCase{"NoFinalLineEnd", "abc", {"abc"}},
        SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}}, SplitCase{"LoneCr", "a\rb\r", {"a", "b"}},
        SplitCase{"LoneLf", "a\nb\n", {"a", "b"}},
        SplitCase{"LfCrMakesAnEmptyLine", "a\n\rb", {"a", "", "b"}},
        SplitCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
        SplitCase{"CrLfLf", "a\r\n\nb", {"a", "", "b"}},
        SplitCase{"MixedEnds", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        SplitCase{"OnlyLineEnds", "\r\n\n\r", {"", "", ""}},
        SplitCase{"LineEndFirst", "\nabc", {"", "abc"}},
        SplitCase{"NulEndsTheText", std::string("ab\r\ncd\0ef\r\ngh", 13), {"ab", "cd"}},
        SplitCase{"NulAtStart", std::string("\0abc", 4), {}},
        SplitCase{"NulRightAfterLineEnd", std::string("ab\r\n\0cd", 7), {"ab"}},
        SplitCase{"NulBetweenCrAndLf", std::string("ab\r\0\ncd", 7), {"ab"}},
        SplitCase{"CtrlZIsOrdinary",
                  "a\x1A"
                  "b",
                  {"a\x1A"
                   "b"}},
        SplitCase{"HighBytesKept", "{\\rtf1 \xC2\xE5\xEB}\r\n", {"{\\rtf1 \xC2\xE5\xEB}"}}));

TEST(DescriptionJoin, EveryLineEndsInCrLf) {
  EXPECT_EQ(JoinDescriptionLines({}), "");
  EXPECT_EQ(JoinDescriptionLines({""}), "\r\n");
  EXPECT_EQ(JoinDescriptionLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(DescriptionJoin, SplitThenJoinNormalisesLineEnds) {
  EXPECT_EQ(JoinDescriptionLines(SplitDescriptionLines("{\\rtf1\n\\b x\\b0\r}")),
            "{\\rtf1\r\n\\b x\\b0\r\n}\r\n");
  EXPECT_EQ(JoinDescriptionLines(SplitDescriptionLines("a\n\rb")), "a\r\n\r\nb\r\n");
}

TEST(DescriptionSplit, LargeDescriptionKeepsEveryLine) {
  std::string bytes;
  for (int i = 0; i < 20000; ++i) bytes += "line " + std::to_string(i) + "\r\n";
  const Lines lines = SplitDescriptionLines(bytes);
  ASSERT_EQ(lines.size(), 20000u);
  EXPECT_EQ(lines.front(), "line 0");
  EXPECT_EQ(lines.back(), "line 19999");
  EXPECT_EQ(JoinDescriptionLines(lines), bytes);
}

}  // namespace
}  // namespace velm
