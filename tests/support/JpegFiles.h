// JPEG files made with libjpeg's own compressor, for the tests of the decoder and of the
// pictures. Portable, header-only (the tests that use it link the JPEG library).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "BitmapFiles.h"

namespace velmtest {

struct JpegShape {
  int width = 1;
  int height = 1;
  int components = 3;  // 1 for grey, which takes each colour's low byte
  bool progressive = false;
};

// A picture of `pixel`'s colours, compressed at high quality.
inline std::string JpegBytes(const JpegShape& how, const PixelColour& pixel) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(how.width);
  cinfo.image_height = static_cast<JDIMENSION>(how.height);
  cinfo.input_components = how.components;
  cinfo.in_color_space = how.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  if (how.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(how.width) * how.components);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < how.width; ++x) {
      const std::uint32_t c = pixel(x, static_cast<int>(cinfo.next_scanline));
      for (int i = 0; i < how.components; ++i)
        row[static_cast<size_t>(x) * how.components + i] =
            static_cast<JSAMPLE>(c >> (8 * (how.components - 1 - i)));
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return bytes;
}

}  // namespace velmtest
