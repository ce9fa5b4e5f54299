// write-check-discs OUTDIR: writes the disc check's test discs into OUTDIR (which must not
// exist): "good", and one folder for each fault of the table (see CheckDiscs.h), for running
// velmcheck and the program on them by hand or from a script.
#include <cstdio>
#include <string>

#include "CheckDiscs.h"

int main(int argc, char** argv) {
  using namespace velm::testdisc;
  if (argc != 2) {
    std::fprintf(stderr, "usage: write-check-discs OUTDIR\n");
    return 2;
  }
  const std::string out = argv[1];
#ifdef _WIN32
  const char* sep = "\\";
#else
  const char* sep = "/";
#endif
  std::string error;
  if (!WriteDisc(out, {}, &error) || !WriteDisc(out + sep + "good", GoodDisc(), &error)) {
    std::fprintf(stderr, "write-check-discs: %s\n", error.c_str());
    return 1;
  }
  for (std::size_t i = 0; i < Faults().size(); ++i) {
    DiscFiles disc = GoodDisc();
    Faults()[i].apply(disc);
    if (!WriteDisc(out + sep + FolderName(i), disc, &error)) {
      std::fprintf(stderr, "write-check-discs: %s\n", error.c_str());
      return 1;
    }
    std::printf("%s\n", FolderName(i).c_str());
  }
  return 0;
}
