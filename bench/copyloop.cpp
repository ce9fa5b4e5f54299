// copyloop: the yardstick for the installation. It makes the same folders and copies the same
// files as an installation of a disc does, with nothing but CreateDirectoryA and CopyFileA in a
// loop, from the disc as working folder, and prints the time it took.
//   copyloop <disc folder> <target folder> <list>
// The list (written with the synthetic disc) holds "D<TAB>target" and "F<TAB>source<TAB>target"
// lines, targets relative to the target folder, sources relative to the disc.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Step {
  bool folder;
  std::string source, target;
};

std::vector<Step> ReadList(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<Step> steps;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() < 2) continue;
    std::istringstream fields(line.substr(2));
    Step step{line[0] == 'D', "", ""};
    if (step.folder) {
      step.target = line.substr(2);
    } else {
      std::getline(fields, step.source, '\t');
      std::getline(fields, step.target);
    }
    steps.push_back(step);
  }
  return steps;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: copyloop <disc folder> <target folder> <list>\n");
    return 2;
  }
  const std::string target = argv[2];
  const std::vector<Step> steps = ReadList(argv[3]);
  if (steps.empty() || !SetCurrentDirectoryA(argv[1])) {
    std::fprintf(stderr, "copyloop: nothing to do\n");
    return 2;
  }
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  int failures = 0, files = 0;
  for (const Step& step : steps) {
    const std::string to = step.target.empty() ? target : target + "\\" + step.target;
    const BOOL ok = step.folder ? CreateDirectoryA(to.c_str(), nullptr)
                                : CopyFileA(step.source.c_str(), to.c_str(), TRUE);
    files += !step.folder;
    failures += !ok;
  }
  QueryPerformanceCounter(&end);
  const double ms = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                    static_cast<double>(frequency.QuadPart);
  std::printf("%.1f ms, %zu steps, %d files, %d failed\n", ms, steps.size(), files, failures);
  return failures ? 1 : 0;
}
