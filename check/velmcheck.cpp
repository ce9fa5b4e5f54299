// velmcheck: says what the program will show and do with a prepared disc folder, before the
// disc is pressed.
//   velmcheck [--json | --read-order] DISC
// Prints the report (or, with --json, the same findings as JSON) and ends with 0 when nothing
// is wrong, 1 when problems were found, 2 when the folder cannot be read. With --read-order it
// prints instead the order the program reads the disc's files in (ReadOrder.h) and ends with 0.
#include <cstdio>
#include <cstring>
#include <string>

#include "DiscCheck.h"
#include "DiscFolder.h"
#include "ReadOrder.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

// The report is UTF-8. A Windows console is given it as UTF-16, whatever its code page;
// anything else (a file, a pipe) gets the bytes.
void Print(std::FILE* stream, const std::string& utf8) {
#ifdef _WIN32
  HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], n);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
#endif
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
  std::fflush(stream);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes as the native command: line ends stay LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  bool json = false, readOrder = false;
  const char* folder = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--json") == 0)
      json = true;
    else if (std::strcmp(argv[i], "--read-order") == 0)
      readOrder = true;
    else if (!folder)
      folder = argv[i];
    else
      folder = nullptr, i = argc;
  }
  if (!folder || argc > 3 || (json && readOrder)) {
    Print(stderr, "usage: velmcheck [--json | --read-order] DISC\n");
    return 2;
  }
  velm::check::DiscFolder disc(folder);
  velm::check::DiscIndex index;
  if (!index.load(disc)) {
    Print(stderr, std::string("velmcheck: the folder ") + folder + " cannot be read\n");
    return 2;
  }
  if (readOrder) {
    Print(stdout, velm::check::ReadOrderText(velm::check::ReadOrder(index)));
    return 0;
  }
  const velm::check::Report report = velm::check::CheckDisc(index);
  Print(stdout, json ? velm::check::ReportJson(report) : velm::check::ReportText(report));
  return report.exitCode();
}
