// The pointing hand over clickable controls: the system's where the system has one, otherwise
// the program's own (Windows 95 and NT 4 have none), which the platform must accept as a cursor.
#include <windows.h>

#include <gtest/gtest.h>

#include "Application.h"
#include "resource.h"

namespace {

static_assert(tk::kOwnHandCursor == IDC_HAND_CURSOR,
              "the toolkit loads the hand the program carries");

TEST(HandCursor, IsTheSystemsHandOrOursWithItsHotSpotAtTheFingertip) {
  HCURSOR system = LoadCursor(nullptr, IDC_HAND);
  ASSERT_NE(system, nullptr) << "Wine has the system hand";
  EXPECT_EQ(tk::HandCursor(), system);

  HCURSOR own = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
  ASSERT_NE(own, nullptr) << "the program's own hand does not load as a cursor";
  EXPECT_NE(own, system);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(own, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 0u);
  BITMAP mask{};
  ASSERT_TRUE(GetObjectA(info.hbmMask, sizeof mask, &mask));
  // A monochrome cursor holds its AND and XOR masks one above the other.
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmHeight, info.hbmColor ? 32 : 64);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

}  // namespace
