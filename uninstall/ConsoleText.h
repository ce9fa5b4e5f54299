// Text for the command interpreter: it reads batch files in the console (OEM) code page, while
// the program's paths come in the system's ANSI code page. On a Greek system these are 737 and
// 1253, and the same Greek letters have other bytes in each.
#pragma once

#include <string>

namespace velm {

// `ansi` (the system's ANSI code page) in the console code page, in `console`. False, with
// `console` untouched, when a character has no exact counterpart there: no look-alike is put
// in its place, since a look-alike would name another file.
bool AnsiToConsoleText(const std::string& ansi, std::string* console);

// The one rule for a folder that the removal may delete, and so that the installation may
// install into: `folder` (the system's ANSI code page, no trailing backslash) passes
// IsSafeRemovalFolder, and in the console code page, where the script names it, it has every
// character and can stand inside the script's double quotes. When it passes and `forScript` is
// given, that gets the console code page text.
bool IsRemovableFolder(const std::string& folder, std::string* forScript = nullptr);

}  // namespace velm
