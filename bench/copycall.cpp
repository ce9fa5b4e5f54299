// copycall: the installation's copy loop alone, measured against copyloop. It runs the
// installation of a disc as the folder dialog does (the call on its own thread, this thread
// looking at its messages in between) into a new target folder, and prints the time from the first
// copy to the last: the folder rule, the bytes measured against the free space and the folder chain
// run before, untimed, and it stops where the shortcut would be next.
//   copycall <disc folder> <target folder>
// prints "<milliseconds> ms, <bytes> bytes"; bench/run_install_bench.sh checks the copies on disk.
#include <windows.h>

#include <cstdio>
#include <string>

#include "BenchWatch.h"
#include "InstallThread.h"
#include "Installation.h"

namespace {

// Runs `installation` on its thread up to `until`, answering this thread's messages meanwhile.
void RunUntil(velm::Installation& installation, velm::InstallThread::Until until) {
  velm::InstallThread steps(installation, until);
  while (!steps.wait(50, QS_ALLINPUT)) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: copycall <disc folder> <target folder>\n");
    return 2;
  }
  velm::InstallRequest request;
  request.sourceFolder = argv[1];
  if (request.sourceFolder.back() != '\\') request.sourceFolder += '\\';
  request.folder = argv[2];
  velm::Installation installation(request);
  RunUntil(installation, &velm::Installation::folderReady);
  if (!installation.folderReady()) {
    std::fprintf(stderr, "copycall: the target folder was not made\n");
    return 1;
  }
  const double start = bench::Now();
  RunUntil(installation, &velm::Installation::copiesOver);
  const double elapsed = bench::Now() - start;
  std::printf("%.1f ms, %llu bytes\n", elapsed, installation.bytesDone());
  return 0;
}
