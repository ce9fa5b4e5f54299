// Shortcut files read back through the shell's own link object, as the shell would show them.
#pragma once

#include <string>

namespace velmtest {

struct ShortcutProperties {
  bool loaded = false;  // the file was found and read as a shortcut
  std::string target, arguments, workingFolder;
};

// `path` in the ANSI code page, or as UTF-16.
ShortcutProperties ReadShortcut(const std::string& path);
ShortcutProperties ReadShortcut(const std::wstring& path);

}  // namespace velmtest
