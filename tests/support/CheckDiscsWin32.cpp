// Writing a test disc through the shared file routines of the tests under Wine (see
// CheckDiscs.h). The names are code page 1253, the ANSI code page of the tests' Wine session.
#include "CheckDiscs.h"
#include "TestFiles.h"

namespace velm::testdisc {

bool WriteDisc(const std::string& root, const DiscFiles& files, std::string* error) {
  if (velmtest::Exists(root) || !velmtest::MakeFolders(root))
    return *error = "cannot make " + root, false;
  for (const DiscFile& f : files) {
    const std::string path = root + "\\" + f.path;
    if (f.folder ? !velmtest::MakeFolders(path) : !velmtest::WriteFileBytes(path, f.bytes))
      return *error = "cannot write " + path, false;
    if (f.readOnly && !velmtest::SetReadOnly(path, true))
      return *error = "cannot make " + path + " read-only", false;
  }
  return true;
}

}  // namespace velm::testdisc
