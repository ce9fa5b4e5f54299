// The removal script's text and the rules for the folder it removes (see UninstallScript.h).
#include "UninstallScript.h"

#include <vector>

namespace velm {

const ScriptLineTemplate kUninstallScript[kScriptLineCount] = {
    {"rmdir /s /q \"%s\"", ScriptTarget::Content}, {"rmdir /s /q \"%s\"", ScriptTarget::Data},
    {"Erase \"%s\"", ScriptTarget::Program},       {"rmdir \"%s\"", ScriptTarget::Folder},
    {"cd \"%s\"", ScriptTarget::Desktop},          {"rmdir /s /q \"%s\"", ScriptTarget::Content},
    {"rmdir /s /q \"%s\"", ScriptTarget::Data},    {"Erase \"%s\"", ScriptTarget::Program},
    {"rmdir \"%s\"", ScriptTarget::Folder},        {"deltree /y \"%s\"", ScriptTarget::Content},
    {"deltree /y \"%s\"", ScriptTarget::Data},     {"del \"%s\"", ScriptTarget::Program},
    {"rmdir \"%s\"", ScriptTarget::Folder},        {"Erase \"%s\"", ScriptTarget::Script},
};

bool NeedsDesktop(ScriptTarget target) {
  return target == ScriptTarget::Desktop || target == ScriptTarget::Script;
}

std::string ScriptTargetPath(ScriptTarget target, const std::string& folder,
                             const std::string& desktop) {
  switch (target) {
    case ScriptTarget::Content:
      return folder + "\\" + kInstalledContentFolder;
    case ScriptTarget::Data:
      return folder + "\\" + kDataFolder;
    case ScriptTarget::Program:
      return folder + "\\" + kProgramFile;
    case ScriptTarget::Folder:
      return folder;
    case ScriptTarget::Desktop:
      return desktop;
    case ScriptTarget::Script:
      return desktop + "\\" + kScriptName;
  }
  return std::string();
}

std::string EscapeForScript(const std::string& path) {
  std::string escaped;
  escaped.reserve(path.size());
  for (char c : path) {
    escaped += c;
    if (c == '%') escaped += '%';
  }
  return escaped;
}

std::string FormatScriptLine(const ScriptLineTemplate& line, const std::string& path) {
  // Plain replacement, not printf: the path's own % signs are text.
  std::string text = line.text;
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, EscapeForScript(path));
  return text;
}

bool IsScriptSafePath(const std::string& path) {
  if (path.empty()) return false;
  for (char c : path) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '"') return false;
  }
  return true;
}

namespace {

bool IsSeparator(char c) {
  return c == '\\';
}

bool IsDriveLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::vector<std::string> SplitComponents(const std::string& path) {
  std::vector<std::string> parts(1);
  for (char c : path) {
    if (IsSeparator(c))
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

bool EqualsIgnoringCase(const std::string& text, const char* ascii);

// A device's reserved name (CON, NUL, COM1...), which names the device in any folder and with
// any extension: "C:\x\nul.txt" is the null device, not a file.
bool IsDeviceName(const std::string& name) {
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (EqualsIgnoringCase(base, device)) return true;
  if (base.size() == 4 && base[3] >= '0' && base[3] <= '9')
    return EqualsIgnoringCase(base.substr(0, 3), "COM") ||
           EqualsIgnoringCase(base.substr(0, 3), "LPT");
  return false;
}

// A name Windows keeps as it is: not empty, not made only of dots and blanks (".", "..", and the
// names Windows trims to nothing), not a device's name, and without the characters names may
// not hold.
bool IsPlainName(const std::string& name) {
  if (name.find_first_not_of(". ") == std::string::npos) return false;
  if (IsDeviceName(name)) return false;
  // The forward slash is a separator to Windows, but the command interpreter may take it for a
  // switch: it is not let into a script at all.
  return name.find_first_of(":*?\"<>|/") == std::string::npos;
}

bool AllPlainNames(const std::vector<std::string>& names, size_t from) {
  for (size_t i = from; i < names.size(); ++i)
    if (!IsPlainName(names[i])) return false;
  return true;
}

bool IsStartOfDevicePath(const std::string& path) {
  return path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
         (path[2] == '?' || path[2] == '.') && IsSeparator(path[3]);
}

// "X:\name\..." with at least one name below the root.
bool IsSafeDrivePath(const std::string& path) {
  if (path.size() < 4 || !IsDriveLetter(path[0]) || path[1] != ':' || !IsSeparator(path[2]))
    return false;
  const std::vector<std::string> names = SplitComponents(path.substr(3));
  return AllPlainNames(names, 0);
}

// "server\share\name\..." (the leading two backslashes already taken off) with at least one name
// below the share.
bool IsSafeSharePath(const std::string& rest) {
  const std::vector<std::string> names = SplitComponents(rest);
  return names.size() >= 3 && AllPlainNames(names, 0);
}

bool EqualsIgnoringCase(const std::string& text, const char* ascii) {
  size_t i = 0;
  for (; ascii[i] != '\0'; ++i) {
    if (i >= text.size()) return false;
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != ascii[i]) return false;
  }
  return i == text.size();
}

}  // namespace

bool IsSafeRemovalFolder(const std::string& folder) {
  if (!IsScriptSafePath(folder) || IsSeparator(folder.back())) return false;
  if (IsStartOfDevicePath(folder)) {
    // "\\?\C:\..." and "\\.\C:\..." name a drive path; "\\?\UNC\server\share\..." a share path.
    const std::string rest = folder.substr(4);
    const size_t cut = rest.find('\\');
    if (cut != std::string::npos && EqualsIgnoringCase(rest.substr(0, cut), "UNC"))
      return IsSafeSharePath(rest.substr(cut + 1));
    return IsSafeDrivePath(rest);
  }
  if (folder.size() >= 2 && IsSeparator(folder[0]) && IsSeparator(folder[1]))
    return IsSafeSharePath(folder.substr(2));
  // Anything else that is not "X:\...": relative to the current folder or drive, which the
  // script changes while it runs.
  return IsSafeDrivePath(folder);
}

bool RemovalFolderOf(const std::string& sourceFolder, std::string* folder) {
  if (sourceFolder.empty() || sourceFolder.back() != '\\') return false;
  const std::string candidate = sourceFolder.substr(0, sourceFolder.size() - 1);
  if (!IsSafeRemovalFolder(candidate)) return false;
  *folder = candidate;
  return true;
}

}  // namespace velm
