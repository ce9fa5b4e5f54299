// Desktop shortcuts for real under Wine: made by CreateDesktopShortcut, read back through the
// shell's own link object, found on the desktop under their exact (Greek) names, and deleted.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "PelmoraLib.h"
#include "SysDouble.h"
#include "ShellLinks.h"
#include "TestFiles.h"

namespace velm {
namespace {

using velmtest::IsFile;
using velmtest::ReadShortcut;
using velmtest::ScratchFolder;
using velmtest::ShortcutProperties;
using velmtest::WriteFileBytes;

std::wstring ShellDesktopW() {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path);
  return path;
}

bool FileExistsW(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

TEST(DesktopFolderTest, IsTheShellsDesktopDirectory) {
  char shell[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, shell), S_OK);
  const std::string desktop = GetDesktopFolder();
  EXPECT_EQ(desktop, shell);
  ASSERT_FALSE(desktop.empty());
  EXPECT_NE(desktop.back(), '\\');
  EXPECT_EQ(GetDesktopFolder(), desktop);
}

// Makes the shortcut `name` (`wideName` as the file system spells it) to `target`, reads it back
// through the shell's link object, and deletes it.
void ExpectSavedReadBackAndDeleted(const std::string& target, const std::string& arguments,
                                   const std::string& folder, const char* name,
                                   const wchar_t* wideName) {
  const std::wstring onDesktop = ShellDesktopW() + L"\\" + wideName;
  ASSERT_FALSE(FileExistsW(onDesktop));
  CreateDesktopShortcut(target, arguments, folder, name);

  ASSERT_TRUE(FileExistsW(onDesktop));
  const ShortcutProperties link = ReadShortcut(onDesktop);
  ASSERT_TRUE(link.loaded);
  EXPECT_STRCASEEQ(link.target.c_str(), target.c_str());
  EXPECT_EQ(link.arguments, arguments);
  EXPECT_EQ(link.workingFolder, folder);
  DeleteDesktopShortcut(name);
  EXPECT_FALSE(FileExistsW(onDesktop));
}

TEST(DesktopShortcutTest, GreekNameIsSavedReadBackAndDeleted) {
  ComApartment com;
  ScratchFolder folder("greek");
  const std::string target = folder.path() + "\\Tolvan.exe";
  ASSERT_TRUE(WriteFileBytes(target, ""));
  // The code page 1253 name reaches the file system as the same Greek word.
  ExpectSavedReadBackAndDeleted(target, "", folder.path(), "Δοκιμή.lnk", L"Δοκιμή.lnk");
}

TEST(DesktopShortcutTest, ArgumentsAndGreekFoldersArePassedAsGiven) {
  ComApartment com;
  ScratchFolder folder("Εκδόσεις Βελμαρόδη");
  const std::string target = folder.path() + "\\Λεξικό.exe";
  ASSERT_TRUE(WriteFileBytes(target, ""));
  ExpectSavedReadBackAndDeleted(target, "/x \"ένα\"", folder.path(), "Pelmora Arguments.lnk",
                                L"Pelmora Arguments.lnk");
}

TEST(DesktopShortcutTest, ShortcutToAMissingTargetIsStillSaved) {
  ComApartment com;
  const std::wstring onDesktop = ShellDesktopW() + L"\\Pelmora Missing Target.lnk";

  CreateDesktopShortcut("C:\\pelmora-nowhere\\Tolvan.exe", "", "C:\\pelmora-nowhere",
                        "Pelmora Missing Target.lnk");

  EXPECT_TRUE(FileExistsW(onDesktop));
  DeleteDesktopShortcut("Pelmora Missing Target.lnk");
  EXPECT_FALSE(FileExistsW(onDesktop));
}

TEST(DesktopShortcutTest, DeletingANameThatIsNotThereDoesNothing) {
  const std::string desktop = GetDesktopFolder();
  const std::string neighbour = desktop + "\\pelmora-neighbour.txt";
  ASSERT_TRUE(WriteFileBytes(neighbour, ""));

  EXPECT_NO_THROW(DeleteDesktopShortcut("pelmora-not-there.lnk"));
  EXPECT_NO_THROW(DeleteDesktopShortcut("Δεν υπάρχει.lnk"));

  EXPECT_TRUE(IsFile(neighbour));
  DeleteFileA(neighbour.c_str());
}

TEST(DesktopShortcutTest, WithoutComTheLinkObjectCannotBeMade) {
  // No apartment on this thread: the link object cannot be created, and the error says why.
  try {
    CreateDesktopShortcut("C:\\windows\\notepad.exe", "", "C:\\windows", "Pelmora No COM.lnk");
    ADD_FAILURE() << "no ShortcutError raised";
  } catch (const ShortcutError& error) {
    EXPECT_EQ(error.hresult(), static_cast<long>(CO_E_NOTINITIALIZED));
  }
  EXPECT_FALSE(FileExistsW(ShellDesktopW() + L"\\Pelmora No COM.lnk"));
}

TEST(ComApartmentTest, NestedApartmentsAreBalanced) {
  {
    ComApartment outer;
    EXPECT_TRUE(outer.initialised());
    {
      ComApartment inner;  // S_FALSE: already initialised, still to be undone
      EXPECT_TRUE(inner.initialised());
    }
    IUnknown* object = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              S_OK);
    object->Release();
  }
  // Both gone: COM is no longer initialised on this thread.
  EXPECT_THROW(
      CreateDesktopShortcut("C:\\windows\\notepad.exe", "", "C:\\windows", "Pelmora After COM.lnk"),
      ShortcutError);
}

TEST(DesktopShortcutTest, FollowsTheDesktopTheShellReports) {
  ComApartment com;
  ScratchFolder desktop("Επιφάνεια");
  velmtest::SysDouble moved;  // the desktop as the shell reports it, moved
  moved.desktop = desktop.path();
  ScopedSys scoped(moved);

  EXPECT_EQ(GetDesktopFolder(), desktop.path());
  CreateDesktopShortcut("C:\\windows\\notepad.exe", "", "C:\\windows", "Pelmora Moved.lnk");
  EXPECT_TRUE(IsFile(desktop.path() + "\\Pelmora Moved.lnk"));
  EXPECT_FALSE(FileExistsW(ShellDesktopW() + L"\\Pelmora Moved.lnk"));

  DeleteDesktopShortcut("Pelmora Moved.lnk");
  EXPECT_FALSE(IsFile(desktop.path() + "\\Pelmora Moved.lnk"));
}

}  // namespace
}  // namespace velm
