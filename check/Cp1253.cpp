// Code page 1253 conversions (see Cp1253.h).
#include "Cp1253.h"

#include <cstdint>

namespace velm::check {
namespace {

// Unicode for the bytes 0x80 to 0xBF; 0 where the code page assigns nothing. From 0xC0 on the
// Greek letters follow Unicode's order (0xC0 + i is U+0390 + i), except 0xD2 and 0xFF.
constexpr std::uint16_t kHigh[64] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0,      0x2030, 0,      0x2039, 0,      0,      0,      0,       // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0,      0x2122, 0,      0x203A, 0,      0,      0,      0,       // 98
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0,      0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,  // B8
};

std::uint32_t ToUnicode(unsigned char b) {
  if (b < 0x80) return b;
  if (b < 0xC0) return kHigh[b - 0x80];
  if (b == 0xD2 || b == 0xFF) return 0;
  return 0x0390 + (b - 0xC0);
}

}  // namespace

void AppendUtf8(std::string& out, std::uint32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

std::string Cp1253ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) {
    const std::uint32_t u = ToUnicode(static_cast<unsigned char>(c));
    AppendUtf8(out, u == 0 && c != 0 ? 0xFFFD : u);
  }
  return out;
}

bool Utf8ToCp1253(std::string_view text, std::string* out) {
  std::string result;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    std::uint32_t u = 0;
    std::size_t n = 0;
    if (b < 0x80) {
      u = b, n = 1;
    } else if ((b & 0xE0) == 0xC0) {
      u = b & 0x1F, n = 2;
    } else if ((b & 0xF0) == 0xE0) {
      u = b & 0x0F, n = 3;
    } else {
      return false;  // four-byte sequences hold nothing the code page has
    }
    if (i + n > text.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      const unsigned char c = static_cast<unsigned char>(text[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      u = u << 6 | (c & 0x3F);
    }
    if ((n == 2 && u < 0x80) || (n == 3 && u < 0x800)) return false;  // overlong
    i += n;
    if (u < 0x80) {
      result += static_cast<char>(u);
      continue;
    }
    bool found = false;
    for (unsigned v = 0x80; v <= 0xFF; ++v) {
      if (ToUnicode(static_cast<unsigned char>(v)) == u) {
        result += static_cast<char>(v);
        found = true;
        break;
      }
    }
    if (!found) return false;
  }
  *out = std::move(result);
  return true;
}

char FoldCp1253(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
  switch (b) {
    case 0xF2:
      return static_cast<char>(0xD3);  // final sigma
    case 0xDC:
      return static_cast<char>(0xA2);
    case 0xDD:
      return static_cast<char>(0xB8);
    case 0xDE:
      return static_cast<char>(0xB9);
    case 0xDF:
      return static_cast<char>(0xBA);
    case 0xFC:
      return static_cast<char>(0xBC);
    case 0xFD:
      return static_cast<char>(0xBE);
    case 0xFE:
      return static_cast<char>(0xBF);
    default:
      break;
  }
  if ((b >= 0xE1 && b <= 0xF1) || (b >= 0xF3 && b <= 0xFB)) return static_cast<char>(b - 0x20);
  return c;
}

std::string LiteralToUtf8(const char* literal) {
  // "Ω" takes one byte in code page 1253 and two in UTF-8.
  constexpr bool kLiteralsInCp1253 = sizeof("Ω") == 2;
  if (kLiteralsInCp1253) return Cp1253ToUtf8(literal);
  return literal;
}

std::string Quote(const std::string& cp1253, std::size_t longest) {
  std::string shown;
  const std::string text = cp1253.size() > longest ? cp1253.substr(0, longest) : cp1253;
  for (char c : Cp1253ToUtf8(text)) {
    if (c == '\n')
      shown += "<LF>";
    else if (static_cast<unsigned char>(c) < 0x20)
      shown += "<" + std::to_string(static_cast<unsigned char>(c)) + ">";
    else
      shown += c;
  }
  if (text.size() < cp1253.size()) shown += "...";
  return "\"" + shown + "\"";
}

}  // namespace velm::check
