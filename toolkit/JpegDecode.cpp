// JPEG decoding through an error manager that returns control to the caller (setjmp/longjmp).
#include "JpegDecode.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include <jerror.h>  // the message codes

namespace {

// The library's message texts, made from its header as its own jerror.c makes them; that file
// itself stays out of the program (see FormatMessageText). The two that name the library's
// version and copyright, from a header it does not install, are left empty.
#define JVERSION ""
#define JCOPYRIGHT_SHORT ""
#define JMESSAGE(code, string) string,
const char* const kJpegMessages[] = {
#include <jerror.h>
};
#undef JVERSION
#undef JCOPYRIGHT_SHORT

}  // namespace

namespace tk {
namespace {

struct ReturningErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<ReturningErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, manager->message);
  std::longjmp(manager->jump, 1);
}

void OnMessage(j_common_ptr, int) {}  // warnings of a damaged but decodable file stay silent
void OnOutput(j_common_ptr) {}

// The message of the library's last error: its text as the library's table words it, without the
// numbers the library's own handler puts in with snprintf, which brought the runtime's whole
// formatted printing into the program, floating point included, for messages no one reads.
void FormatMessageText(j_common_ptr cinfo, char* buffer) {
  const jpeg_error_mgr* err = cinfo->err;
  const char* text = "JPEG library error";
  if (err->msg_code > 0 && err->msg_code <= err->last_jpeg_message)
    text = err->jpeg_message_table[err->msg_code];
  std::size_t n = 0;
  for (; text[n] != '\0' && n + 1 < JMSG_LENGTH_MAX; ++n) buffer[n] = text[n];
  buffer[n] = '\0';
}

void ResetErrors(j_common_ptr cinfo) {
  cinfo->err->num_warnings = 0;
  cinfo->err->msg_code = 0;
}

// An error manager as jpeg_std_error makes one, with the handlers above: errors return to the
// caller through `jump`, messages are worded without the library's formatting.
void InitErrorManager(jpeg_error_mgr& err) {
  err = jpeg_error_mgr{};
  err.error_exit = OnError;
  err.emit_message = OnMessage;
  err.output_message = OnOutput;
  err.format_message = FormatMessageText;
  err.reset_error_mgr = ResetErrors;
  err.jpeg_message_table = kJpegMessages;
  err.last_jpeg_message = static_cast<int>(JMSG_LASTMSGCODE) - 1;
}

// Larger pictures than this are refused rather than allocated: the program's own background
// is 750 x 485, and a corrupt header must not ask for gigabytes. The product is taken in 64
// bits: a header may claim 65500 x 65500, which overflows a 32-bit long on Windows.
constexpr unsigned long long kMaxPixels = 16ULL * 1024 * 1024;
// The library's own working memory (a progressive file keeps all its coefficients) is capped
// too; beyond it the library reports an error instead of allocating.
constexpr long kMaxDecoderMemory = 256L * 1024 * 1024;

bool TooLarge(JDIMENSION width, JDIMENSION height) {
  return static_cast<unsigned long long>(width) * height > kMaxPixels;
}

}  // namespace

namespace {

// Decodes into rows that `rows` gives, in `space` with `components` bytes a pixel.
bool Decode(const std::uint8_t* data, std::size_t size, J_COLOR_SPACE space, int components,
            const BgrxRows& rows, std::string* error) {
  if (data == nullptr || size < 4) {
    if (error) *error = "not a JPEG file";
    return false;
  }
  jpeg_decompress_struct cinfo{};
  ReturningErrorManager manager{};
  InitErrorManager(manager.base);
  cinfo.err = &manager.base;
  manager.message[0] = '\0';
  if (setjmp(manager.jump)) {
    jpeg_destroy_decompress(&cinfo);
    if (error) *error = manager.message;
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  // The size is judged from the header, before the library allocates anything for the picture.
  if (TooLarge(cinfo.image_width, cinfo.image_height)) {
    jpeg_destroy_decompress(&cinfo);
    if (error) *error = "JPEG picture too large";
    return false;
  }
  cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
  cinfo.out_color_space = space;
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != components || TooLarge(cinfo.output_width, cinfo.output_height)) {
    jpeg_destroy_decompress(&cinfo);
    if (error) *error = "unsupported JPEG picture";
    return false;
  }
  std::uint8_t* const first =
      rows(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
  if (first == nullptr) {
    jpeg_destroy_decompress(&cinfo);
    if (error) *error = "no room for the JPEG picture";
    return false;
  }
  const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * components;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = first + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, RgbImage& out, std::string* error) {
  out = RgbImage{};
  const bool decoded = Decode(
      data, size, JCS_RGB, 3,
      [&out](int width, int height) {
        out.width = width;
        out.height = height;
        out.rgb.resize(static_cast<std::size_t>(width) * height * 3);
        return out.rgb.data();
      },
      error);
  if (!decoded) out = RgbImage{};
  return decoded;
}

bool DecodeJpegBgrx(const std::uint8_t* data, std::size_t size, const BgrxRows& rows,
                    std::string* error) {
  std::uint8_t* first = nullptr;
  std::size_t pixels = 0;
  const bool decoded = Decode(
      data, size, JCS_EXT_BGRX, 4,
      [&](int width, int height) {
        pixels = static_cast<std::size_t>(width) * height;
        return first = rows(width, height);
      },
      error);
  // The library fills the fourth byte with 255; a section's pixels hold zero there.
  if (decoded)
    for (std::size_t i = 0; i < pixels; ++i) first[4 * i + 3] = 0;
  return decoded;
}

}  // namespace tk
