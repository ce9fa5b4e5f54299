// The facts of the publisher's disc and of the installed dictionary, each written once: the
// catalogue's files and boxes, the dictionary's files and folders, the default folders, and every
// message and caption the customer sees that the disc check quotes. The program, the disc check
// and the tests read them from here. Portable: no windows.h.
//
// The Greek texts are code page 1253 in the Windows builds and UTF-8 in the native one (the
// check's LiteralToUtf8 turns either into UTF-8).
#pragma once

#include <string>

namespace velm {

// ---- The catalogue: read from the working directory when the main window is first shown -------

// Titles 1 to kTitleCount, one menu button each.
inline constexpr int kTitleCount = 9;
inline constexpr char kCatalogueFolder[] = "content";

// The four files of a title, in the order the catalogue loads them.
enum class CatalogueRole { Normal, Highlighted, Description, Picture };
inline constexpr CatalogueRole kCatalogueRoles[4] = {
    CatalogueRole::Normal, CatalogueRole::Highlighted, CatalogueRole::Description,
    CatalogueRole::Picture};

// The name of title k's file in the catalogue folder: "menu1.bmp", "menu1c.bmp", "velm1.rtf",
// "velm1.bmp"; k in decimal without leading zeros.
inline std::string CatalogueFileName(int k, CatalogueRole role) {
  const std::string n = std::to_string(k);
  switch (role) {
    case CatalogueRole::Normal:
      return "menu" + n + ".bmp";
    case CatalogueRole::Highlighted:
      return "menu" + n + "c.bmp";
    case CatalogueRole::Description:
      return "velm" + n + ".rtf";
    default:
      return "velm" + n + ".bmp";
  }
}

// The same file relative to the working directory: "content\menu1.bmp".
inline std::string CataloguePath(int k, CatalogueRole role) {
  return std::string(kCatalogueFolder) + "\\" + CatalogueFileName(k, role);
}

// The boxes the pictures are drawn in, at their own size from the top-left corner: a menu button
// (the last one is taller) and the title picture.
inline constexpr int kMenuButtonWidth = 201;
inline constexpr int kMenuButtonHeight = 37;
inline constexpr int kLastMenuButtonHeight = 49;
inline constexpr int kTitlePictureWidth = 249;
inline constexpr int kTitlePictureHeight = 321;

// ---- The dictionary: on the disc, relative to its folder, and installed -----------------------

inline constexpr char kProgramFile[] = "Tolvan.exe";
inline constexpr char kDataFolder[] = "Data";
inline constexpr const char* kDataFiles[3] = {"Data\\TolvanI.tbo", "Data\\TolvanHI.tbo",
                                              "Data\\Tolvan.tbo"};
// The install manifest: the content folders and files an installation copies.
inline constexpr char kInstallManifestPath[] = "content\\fil.tbo";
// The installed content folder, as the installation makes it (its copies name it "content").
inline constexpr char kInstalledContentFolder[] = "Content";

// The dictionary's desktop shortcut and the title of its window.
inline constexpr char kDictionaryShortcutName[] = "Duzivod Uzedov.lnk";
inline constexpr char kDictionaryWindowTitle[] = "Duzivod Uzedov";
// The removal script, on the desktop.
inline constexpr char kScriptName[] = "uninst.bat";

// The dictionary's settings file: this name in the Windows directory, or else the file
// "C:\Tolvan", which is the same path as the folder proposed on Vista.
inline constexpr char kSettingsFileName[] = "Tolvan.ini";

// ---- The pressed disc's root -------------------------------------------------------------------

// The catalogue program, which the disc's autorun.inf starts in the root, beside the catalogue
// folder.
inline constexpr char kPresenterFile[] = "VelmPres.exe";
inline constexpr char kAutorunFile[] = "autorun.inf";

// ---- The default folders of the installation ---------------------------------------------------

inline constexpr char kProgramFilesFolder[] = "C:\\Program Files";
inline constexpr char kFolderUnderProgramFiles[] = "C:\\Program Files\\Tolvan";
inline constexpr char kFolderOnDriveC[] = "C:\\Tolvan";
// In the order the disc check reports them: the usual one, then the one for Vista and later or
// for a system without "C:\Program Files".
inline constexpr const char* kDefaultFolders[2] = {kFolderUnderProgramFiles, kFolderOnDriveC};
inline constexpr const char* kFallbackSettingsFile = kFolderOnDriveC;

// ---- What the customer sees
// ----------------------------------------------------------------------

// The application's title: the main window's caption and every message box's.
inline constexpr char kAppTitle[] = "Εκδόσεις Βελμαρόδη";
// The main window's two entries, and the windows they open: the folder dialog as the
// installation shows it, and the removal's confirmation.
inline constexpr char kInstallEntryCaption[] = "Εγκατάσταση στον σκληρό δίσκο";
inline constexpr char kUninstallEntryCaption[] = "Απεγκατάσταση από τον σκληρό δίσκο";
inline constexpr char kInstallDialogCaption[] = "Επιλογή φακέλου για εγκατάσταση λεξικού";
inline constexpr char kConfirmUninstallCaption[] = "Απεγκατάσταση Ιατρικού Λεξικού";

// The folder dialog's OK handler, for a folder that cannot be made (the dialog stays open).
inline constexpr char kFolderCreationMessage[] =
    "Παρουσιάστηκε πρόβλημα κατά τη δημιουργία του φακέλου. Παρακαλώ επιλέξτε άλλο φάκελο";
// The end of the copying: every step that counts succeeded, or one failed.
inline constexpr char kInstallDoneMessage[] =
    "Η εγκατάσταση ολοκληρώθηκε επιτυχώς. Για την εκκίνηση του Ιατρικού Λεξικού μπορείτε πλέον "
    "να χρησιμοποιείτε το εικονίδιο στην επιφάνεια εργασίας.";
inline constexpr char kInstallProblemMessage[] = "Η εγκατάσταση παρουσίασε προβλήματα";
// While the folder dialog copies: the label above its progress bar, followed by the file's name.
inline constexpr char kCopyingLabel[] = "Αντιγράφεται: ";
// A cancel while the folder dialog copies: what this installation made is taken back.
inline constexpr char kInstallCancelledMessage[] =
    "Η εγκατάσταση ακυρώθηκε. Ό,τι είχε ήδη αντιγραφεί αφαιρέθηκε.";
// The chosen folder's disk has less free space than the installation needs (the dialog stays
// open, nothing made): `needed` whole megabytes rounded up, `free` rounded down.
inline std::string NoSpaceMessage(unsigned long long needed, unsigned long long free) {
  return "Δεν υπάρχει αρκετός ελεύθερος χώρος στον δίσκο. Η εγκατάσταση χρειάζεται " +
         std::to_string(needed) + " MB και υπάρχουν διαθέσιμα " + std::to_string(free) +
         " MB. Παρακαλώ επιλέξτε άλλο φάκελο";
}
// The install entry: a failure of the entry, or no program file once the dialog has closed as
// confirmed.
inline constexpr char kInstallEntryProblemMessage[] =
    "Η διαδικασία εγκατάστασης παρουσίασε προβλήματα";
// The removal, for any failure.
inline constexpr char kUninstallProblemMessage[] =
    "Η διαδικασία απεγκατάστασης παρουσίασε προβλήματα";

}  // namespace velm
