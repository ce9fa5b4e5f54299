// Fuzzes the whole disc check over a generated disc: the good test disc changed by the input,
// read as a list of edits (replace a file's bytes, cut it short, add a file or a folder under a
// name from the input, remove an entry, flip a file's read-only bit, make a file unreadable).
// Whatever the disc, the check ends, both reports are made, and the report agrees with itself:
// the exit code with the problems, the reveal with the loading stops, each outcome's success
// with its failed steps, every manifest finding's line with a line of the manifest.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "CheckDiscs.h"
#include "DiscCheck.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

const velm::testdisc::DiscFiles& Base() {
  static const velm::testdisc::DiscFiles disc = velm::testdisc::GoodDisc();
  return disc;
}

struct Input {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos = 0;
  bool done() const { return pos >= size; }
  std::uint8_t byte() { return done() ? 0 : data[pos++]; }
  std::string bytes(std::size_t n) {
    n = std::min(n, size - pos);
    std::string s(reinterpret_cast<const char*>(data + pos), n);
    pos += n;
    return s;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using velm::testdisc::DiscFile;
  velm::testdisc::DiscFiles files = Base();
  std::vector<std::string> broken;
  Input in{data, size};
  for (int edits = 0; !in.done() && edits < 16; ++edits) {
    const std::uint8_t op = in.byte() % 7;
    DiscFile& target = files[in.byte() % files.size()];
    const std::size_t length = in.byte() | static_cast<std::size_t>(in.byte() % 16) << 8;
    switch (op) {
      case 0:
        target.bytes = in.bytes(length);
        break;
      case 1:
        target.bytes.resize(std::min(target.bytes.size(), length * 64));
        break;
      case 2:
        files.push_back({"content\\" + in.bytes(length % 64), in.bytes(length), false, false});
        break;
      case 3:
        files.push_back({"content\\" + in.bytes(length % 64), "", true, false});
        break;
      case 4:
        files.erase(files.begin() + (&target - files.data()));
        break;
      case 5:
        target.readOnly = !target.readOnly;
        break;
      default:
        broken.push_back(target.path);
        break;
    }
    if (files.empty()) break;
  }

  velm::check::MemoryDisc memory;
  for (DiscFile& f : files) {
    if (f.folder)
      memory.addFolder(f.path);
    else
      memory.addFile(f.path, std::move(f.bytes), f.readOnly);
  }
  for (const std::string& path : broken) memory.breakFile(path);
  velm::check::DiscIndex index;
  Check(index.load(memory));
  const velm::check::Report report = velm::check::CheckDisc(index);
  const std::string text = velm::check::ReportText(report);
  const std::string json = velm::check::ReportJson(report);
  Check(!text.empty() && json.front() == '{' && json.back() == '\n');

  Check(report.exitCode() == (report.problems() > 0 ? 1 : 0));
  bool stops = false;
  for (const velm::check::Finding& f : report.findings) {
    Check(!f.code.empty() && !f.what.empty() && !f.effect.empty() && !f.mend.empty());
    stops |= f.code == "bitmap-refused" || f.code == "description-unreadable";
    if (f.line)
      Check(f.line >= 1 && static_cast<std::size_t>(f.line) <= report.install.lines.size());
  }
  Check(stops == !report.catalogue.revealed);
  for (int k = 0; k < 9; ++k) Check(!report.catalogue.buttonShown[k] || report.catalogue.revealed);
  Check(report.install.outcomes.size() == 2);
  for (const velm::check::InstallOutcome& o : report.install.outcomes) {
    Check(o.success == (o.failedSteps == 0));
    Check(o.files <= 4 + static_cast<int>(report.install.lines.size()));
  }
  for (const velm::check::ManifestLine& l : report.install.lines)
    Check(l.failures.size() == (l.kind == velm::check::ManifestLine::Kind::Empty ? 0u : 2u));
  return 0;
}
