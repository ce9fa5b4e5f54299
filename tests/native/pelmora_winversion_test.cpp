// The Windows release classification: every rule and its edges, and the enumeration's layout.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "WindowsVersion.h"
#include "NamedCases.h"

namespace velm {
namespace {

static_assert(sizeof(TWindowsVersion) == 1, "the release is stored in one byte");

TEST(WindowsVersionTest, OrdinalsAreFixed) {
  const TWindowsVersion order[] = {WindowsUnknown, Windows95,   Windows98, Windows98SE, WindowsNT,
                                   WindowsMe,      Windows2000, WindowsXP, WindowsVista};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(static_cast<int>(order[i]), i);
  }
}

struct VersionCase {
  const char* name;
  std::uint32_t platform;
  std::uint32_t major;
  std::uint32_t minor;
  const char* servicePack;
  TWindowsVersion expected;
};

VELM_PRINT_CASE_BY_NAME(VersionCase)

class ClassifyTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(ClassifyTest, Classifies) {
  const VersionCase& c = GetParam();
  EXPECT_EQ(static_cast<int>(ClassifyWindowsVersion(c.platform, c.major, c.minor, c.servicePack)),
            static_cast<int>(c.expected));
}

// The service-pack text as the record holds it: a capital A after an empty first character,
// with a terminator in between.
const char kAAfterTerminator[] = {'\0', 'A', '\0'};

INSTANTIATE_TEST_SUITE_P(
    Releases, ClassifyTest,
    ::testing::Values(VersionCase{"Win95", 1, 4, 0, "", Windows95},
                      VersionCase{"Win95OSR2", 1, 4, 0, " B", Windows95},
                      VersionCase{"Win98SE", 1, 4, 10, " A ", Windows98SE},
                      VersionCase{"Win98SEShortText", 1, 4, 10, " A", Windows98SE},
                      VersionCase{"Win98EmptyText", 1, 4, 10, "", Windows98},
                      VersionCase{"Win98NullText", 1, 4, 10, nullptr, Windows98},
                      VersionCase{"Win98OneCharText", 1, 4, 10, "A", Windows98},
                      VersionCase{"Win98TextEndsBeforeA", 1, 4, 10, kAAfterTerminator, Windows98},
                      VersionCase{"Win98B", 1, 4, 10, " B", Windows98},
                      VersionCase{"Win98SmallA", 1, 4, 10, " a", Windows98},
                      VersionCase{"WinMe", 1, 4, 90, " ", WindowsMe},
                      VersionCase{"Win9xMinor3", 1, 4, 3, "", WindowsUnknown},
                      VersionCase{"Win9xMajor5", 1, 5, 0, "", WindowsUnknown},
                      VersionCase{"Win9xMajor6", 1, 6, 0, "", WindowsUnknown},
                      VersionCase{"NT351", 2, 3, 51, "Service Pack 5", WindowsNT},
                      VersionCase{"NT40", 2, 4, 0, "Service Pack 6", WindowsNT},
                      VersionCase{"NTMajor0", 2, 0, 0, "", WindowsNT},
                      VersionCase{"NT4Minor90", 2, 4, 90, "", WindowsNT},
                      VersionCase{"Win2000", 2, 5, 0, "Service Pack 4", Windows2000},
                      VersionCase{"WinXP", 2, 5, 1, "Service Pack 3", WindowsXP},
                      VersionCase{"Win2003", 2, 5, 2, "Service Pack 2", WindowsUnknown},
                      VersionCase{"Vista", 2, 6, 0, "Service Pack 2", WindowsVista},
                      VersionCase{"Win7", 2, 6, 1, "Service Pack 1", WindowsVista},
                      VersionCase{"Win8", 2, 6, 2, "", WindowsVista},
                      VersionCase{"Win81", 2, 6, 3, "", WindowsVista},
                      VersionCase{"Win10", 2, 10, 0, "", WindowsUnknown},
                      VersionCase{"NTMajor7", 2, 7, 0, "", WindowsUnknown},
                      VersionCase{"NTHugeMajor", 2, 0xFFFFFFFFu, 0, "", WindowsUnknown},
                      VersionCase{"Win32sAs95", 0, 4, 0, "", WindowsUnknown},
                      VersionCase{"Win32sAsNT4", 0, 4, 10, " A ", WindowsUnknown},
                      VersionCase{"CEAsXP", 3, 5, 1, "", WindowsUnknown},
                      VersionCase{"CEAsVista", 3, 6, 0, "", WindowsUnknown}),
    velmtest::CaseName());

}  // namespace
}  // namespace velm
