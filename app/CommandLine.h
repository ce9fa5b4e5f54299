// Cuts the program's argument 1 out of the raw command line, by the rules of the runtime the
// dictionary's programs were written with (not those of the C runtime): backslashes are plain.
#pragma once

#include <cstddef>
#include <string>

namespace velm {

// Longest argument kept; longer ones are cut to their first bytes.
constexpr std::size_t kMaxArgumentLength = 4096;

// Arguments are separated by runs of bytes up to 0x20; a double quote opens a stretch, closed by
// the next double quote or the end of the line, in which blanks belong to the argument; the quotes
// are dropped, and pairs of them at the start of an argument are skipped with the separators
// before it. The first token is the program's own path. Empty when there is no argument 1.
std::string CommandLineArgument(const char* commandLine, int index);

}  // namespace velm
