// Fuzzes the whole disc check over a generated disc: the good test disc changed by the input,
// read as up to 16 edits of four bytes and a payload (replace a file's bytes, cut it short, add
// a file or a folder under a name from the input, remove an entry, flip a file's read-only bit,
// make a file unreadable). Whatever the disc, the check ends, both reports are made, and the
// report agrees with itself: the exit code with the problems, the reveal with the loading stops,
// each outcome's success with its failed steps, every finding's line with a manifest line.
#include <algorithm>
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velm;
  static const testdisc::DiscFiles kBase = testdisc::GoodDisc();
  testdisc::DiscFiles files = kBase;
  std::vector<std::string> broken;
  std::size_t pos = 0;
  auto byte = [&]() -> std::size_t { return pos < size ? data[pos++] : 0; };
  auto bytes = [&](std::size_t n) {
    n = std::min(n, size - pos);
    std::string s(reinterpret_cast<const char*>(data + pos), n);
    pos += n;
    return s;
  };
  for (int edits = 0; pos < size && edits < 16 && !files.empty(); ++edits) {
    const std::size_t op = byte() % 7;
    testdisc::DiscFile& target = files[byte() % files.size()];
    const std::size_t length = byte() | (byte() % 16) << 8;
    switch (op) {
      case 0:
        target.bytes = bytes(length);
        break;
      case 1:
        target.bytes.resize(std::min(target.bytes.size(), length * 64));
        break;
      case 2:
        files.push_back({"content\\" + bytes(length % 64), bytes(length), false, false});
        break;
      case 3:
        files.push_back({"content\\" + bytes(length % 64), "", true, false});
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
  }
  check::MemoryDisc memory;
  for (testdisc::DiscFile& f : files) {
    if (f.folder)
      memory.addFolder(f.path);
    else
      memory.addFile(f.path, std::move(f.bytes), f.readOnly);
  }
  for (const std::string& path : broken) memory.breakFile(path);
  check::DiscIndex index;
  Check(index.load(memory));
  const check::Report report = check::CheckDisc(index);
  const std::string json = check::ReportJson(report);
  Check(!check::ReportText(report).empty() && json.front() == '{' && json.back() == '\n');

  Check(report.exitCode() == (report.problems() > 0 ? 1 : 0));
  bool stops = false;
  for (const check::Finding& f : report.findings) {
    Check(!f.code.empty() && !f.what.empty() && !f.effect.empty() && !f.mend.empty());
    stops |= f.code == "bitmap-refused" || f.code == "description-unreadable";
    Check(f.line >= 0 && static_cast<std::size_t>(f.line) <= report.install.lines.size());
  }
  Check(stops == !report.catalogue.revealed);
  for (bool shown : report.catalogue.buttonShown) Check(!shown || report.catalogue.revealed);
  Check(report.install.outcomes.size() == 2);
  for (const check::InstallOutcome& o : report.install.outcomes) {
    Check(o.success == (o.failedSteps == 0));
    Check(o.files <= 4 + static_cast<int>(report.install.lines.size()));
  }
  for (const check::ManifestLine& l : report.install.lines)
    Check(l.failures.size() == (l.kind == check::ManifestLine::Kind::Empty ? 0u : 2u));
  return 0;
}
