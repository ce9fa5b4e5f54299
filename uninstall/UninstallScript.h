// The removal script "uninst.bat" as text: its fourteen line templates, how a path is written
// into a line, and which folders a removal may be pointed at at all. Portable: no windows.h; the
// console code page conversion and the file calls are in UninstallFlow.cpp.
#pragma once

#include <string>

#include "DiscFacts.h"  // the script's name, kScriptName

namespace velm {

// What a script line names: a target inside the dictionary's folder D, D itself, the desktop,
// or the script on the desktop.
enum class ScriptTarget { Content, Data, Program, Folder, Desktop, Script };

struct ScriptLineTemplate {
  const char* text;  // the command with one %s where the path goes, inside double quotes
  ScriptTarget target;
};

constexpr int kScriptLineCount = 14;

// Three passes over the same four targets: the newer interpreter's switches, the same after
// moving to the desktop, then the older interpreter's commands; the last line deletes the script.
extern const ScriptLineTemplate kUninstallScript[kScriptLineCount];

// Whether forming the line needs the desktop path.
bool NeedsDesktop(ScriptTarget target);

// The path a line names, from the folder D and the desktop path (both without a trailing
// backslash, in the code page the script is written in).
std::string ScriptTargetPath(ScriptTarget target, const std::string& folder,
                             const std::string& desktop);

// The path as the command interpreter must read it: it expands %name% even inside double quotes,
// so every % is doubled.
std::string EscapeForScript(const std::string& path);

// One line of the script: the template with %s replaced by the escaped path. No line end.
std::string FormatScriptLine(const ScriptLineTemplate& line, const std::string& path);

// True when `path` can stand inside a script line's double quotes: not empty, no control byte
// (a CR or LF would end the line and start a command of its own), no double quote.
bool IsScriptSafePath(const std::string& path);

// True when the folder D may be removed: a fully qualified path ("X:\..." or "\\server\share\...")
// of at least one folder below the drive or share root, without a trailing backslash, without
// empty, "." or ".." components (nor names of only dots and blanks, which Windows trims to
// nothing), without a device's name (CON, NUL, COM1... with or without an extension), and without
// characters no Windows name may hold or the forward slash. A drive root,
// a share root, an empty or a relative path would point the script's tree deletions at some
// other folder.
bool IsSafeRemovalFolder(const std::string& folder);

// The folder D that a removal deletes, from the dictionary folder given on the command line:
// `sourceFolder` without its trailing backslash. False, with `folder` untouched, when
// `sourceFolder` does not end in a backslash (dropping its last character would name another
// folder) or D is not safe to remove.
bool RemovalFolderOf(const std::string& sourceFolder, std::string* folder);

}  // namespace velm
