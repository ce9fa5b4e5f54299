// Writing a test disc on POSIX (see CheckDiscs.h).
#include <sys/stat.h>

#include <fstream>

#include "CheckDiscs.h"
#include "Cp1253.h"

namespace velm::testdisc {

bool WriteDisc(const std::string& root, const DiscFiles& files, std::string* error) {
  if (mkdir(root.c_str(), 0755) != 0) return *error = "cannot make " + root, false;
  for (const DiscFile& f : files) {
    std::string path = root + "/" + check::Cp1253ToUtf8(f.path);
    for (char& c : path)
      if (c == '\\') c = '/';
    if (f.folder) {
      if (mkdir(path.c_str(), 0755) != 0) return *error = "cannot make " + path, false;
      continue;
    }
    std::ofstream out(path, std::ios::binary);
    out << f.bytes;
    out.close();
    if (!out) return *error = "cannot write " + path, false;
    if (f.readOnly && chmod(path.c_str(), 0444) != 0) return *error = "cannot chmod " + path, false;
  }
  return true;
}

}  // namespace velm::testdisc
