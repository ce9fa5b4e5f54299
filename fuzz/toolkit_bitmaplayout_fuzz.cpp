// Fuzzes the bitmap file checks: whatever the bytes, a file that is taken has all its parts
// inside the data, in order, of a size its header agrees with, and every byte of them is read
// here so that the address sanitizer sees any part that lies outside; then its pixels are
// decoded, which must stay inside the data and the rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "BitmapLayout.h"
#include "BitmapPixels.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tk::BitmapLayout layout;
  std::string error;
  if (!tk::ReadBitmapLayout(data, size, layout, &error)) {
    Check(!error.empty());
    return 0;
  }
  Check(error.empty());
  Check(layout.width > 0 && layout.height > 0);
  Check(static_cast<std::int64_t>(layout.width) * layout.height <= tk::kMaxBitmapPixels);
  Check(layout.infoOffset == 14 && layout.infoSize >= 12);
  Check(layout.infoOffset + layout.infoSize <= layout.bitsOffset);
  Check(layout.bitsOffset <= size && layout.bitsSize <= size - layout.bitsOffset);
  Check(layout.bitsSize > 0);
  const bool runLength = layout.compression == tk::BitmapCompression::Rle8 ||
                         layout.compression == tk::BitmapCompression::Rle4;
  if (!runLength) {
    const std::size_t stride =
        (static_cast<std::size_t>(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
    Check(layout.bitsSize == stride * static_cast<std::size_t>(layout.height));
  }
  unsigned sum = 0;
  for (std::size_t i = 0; i < layout.infoSize; ++i) sum += data[layout.infoOffset + i];
  for (std::size_t i = 0; i < layout.bitsSize; ++i) sum += data[layout.bitsOffset + i];
  // Only pictures of up to a million pixels: the fuzzer's time goes to the data, not to clearing
  // large rows.
  if (static_cast<std::int64_t>(layout.width) * layout.height <= 1 << 20) {
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(layout.width) * layout.height * 4);
    if (tk::DecodeBitmapPixels(data, layout, rows.data(), &error)) {
      for (std::size_t i = 3; i < rows.size(); i += 4) Check(rows[i] == 0);
    } else {
      Check(!error.empty());
    }
  }
  return static_cast<int>(sum & 0);
}
