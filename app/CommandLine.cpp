// Command-line cutting (see CommandLine.h).
#include "CommandLine.h"

namespace velm {
namespace {

bool IsSeparator(char c) {
  return static_cast<unsigned char>(c) <= 0x20 && c != '\0';
}

// Skips what comes before an argument: separators, and pairs of double quotes standing at its
// start, which the runtime drops before it looks at the argument (so `"" x` names x).
const char* SkipToArgument(const char* p) {
  for (;;) {
    while (IsSeparator(*p)) ++p;
    if (p[0] == '"' && p[1] == '"')
      p += 2;
    else
      return p;
  }
}

// Reads the token at `p` into `out` (when given) and returns the position after it.
const char* ReadToken(const char* p, std::string* out) {
  while (*p != '\0' && !IsSeparator(*p)) {
    if (*p == '"') {
      ++p;
      while (*p != '\0' && *p != '"') {
        if (out) out->push_back(*p);
        ++p;
      }
      if (*p == '"') ++p;
    } else {
      if (out) out->push_back(*p);
      ++p;
    }
  }
  return p;
}

}  // namespace

std::string CommandLineArgument(const char* commandLine, int index) {
  std::string argument;
  if (commandLine == nullptr || index < 0) return argument;
  const char* p = commandLine;
  for (int i = 0;; ++i) {
    p = SkipToArgument(p);
    if (*p == '\0') return std::string();
    if (i == index) break;
    p = ReadToken(p, nullptr);
  }
  ReadToken(p, &argument);
  if (argument.size() > kMaxArgumentLength) argument.resize(kMaxArgumentLength);
  return argument;
}

}  // namespace velm
