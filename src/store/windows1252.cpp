// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/windows1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace bw {
namespace {

// Bytes 80..9F; the rest of the set equals the first 256 code points.
constexpr std::array<char16_t, 32> kBytes80To9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,   // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,   // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,   // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};  // 98..9F

constexpr std::array<char16_t, 256> kCodePoints = [] {
  std::array<char16_t, 256> table{};
  for (std::size_t byte = 0; byte < table.size(); ++byte) {
    table[byte] =
        byte >= 0x80 && byte < 0xA0 ? kBytes80To9F[byte - 0x80] : static_cast<char16_t>(byte);
  }
  return table;
}();

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Reads the UTF-8 sequence at `pos` and moves past it; a malformed sequence
// gives nothing and moves one byte on.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  ++pos;
  if (lead < 0x80) return lead;
  std::size_t length = 0;
  char32_t lowest = 0;
  char32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, lowest = 0x80, value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, lowest = 0x800, value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, lowest = 0x10000, value = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (pos + length - 1 > text.size()) return std::nullopt;
  for (std::size_t k = 0; k + 1 < length; ++k) {
    const auto byte = static_cast<unsigned char>(text[pos + k]);
    if (!IsContinuation(byte)) return std::nullopt;
    value = value << 6 | (byte & 0x3F);
  }
  if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return std::nullopt;
  }
  pos += length - 1;
  return value;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

char32_t CodePointOfWindows1252(unsigned char byte) {
  return kCodePoints[byte];
}

std::optional<unsigned char> Windows1252ByteOf(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<unsigned char>(codePoint);
  }
  const auto found = std::find(kBytes80To9F.begin(), kBytes80To9F.end(), codePoint);
  if (found == kBytes80To9F.end()) return std::nullopt;
  return static_cast<unsigned char>(0x80 + (found - kBytes80To9F.begin()));
}

std::u32string DecodeWindows1252(std::string_view bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) text += CodePointOfWindows1252(static_cast<unsigned char>(byte));
  return text;
}

std::string EncodeWindows1252(std::u32string_view text, char replacement) {
  std::string bytes;
  bytes.reserve(text.size());
  for (const char32_t c : text) {
    const auto byte = Windows1252ByteOf(c);
    bytes += byte ? static_cast<char>(*byte) : replacement;
  }
  return bytes;
}

std::string Utf8FromWindows1252(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char byte : bytes)
    AppendUtf8(text, CodePointOfWindows1252(static_cast<unsigned char>(byte)));
  return text;
}

std::string Windows1252FromUtf8(std::string_view utf8, char replacement) {
  if (IsAscii(utf8)) return std::string(utf8);
  return EncodeWindows1252(DecodeUtf8(utf8), replacement);
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    if (!NextUtf8(bytes, pos)) return false;
  }
  return true;
}

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string text;
  text.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) text += NextUtf8(utf8, pos).value_or(U'\uFFFD');
  return text;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (const char32_t c : text) AppendUtf8(utf8, c);
  return utf8;
}

std::string Utf8FromUtf16(std::string_view bytes, bool littleEndian) {
  std::u32string out;
  out.reserve(bytes.size() / 2);
  const auto unit = [&](std::size_t i) -> char32_t {
    const char32_t a = static_cast<unsigned char>(bytes[i]);
    const char32_t b = static_cast<unsigned char>(bytes[i + 1]);
    return littleEndian ? a | (b << 8) : (a << 8) | b;
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t code = unit(i);
    if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    out += code >= 0xD800 && code < 0xE000 ? char32_t{0xFFFD} : code;
  }
  return EncodeUtf8(out);
}

bool FitsWindows1252(std::string_view utf8) {
  for (const char32_t c : DecodeUtf8(utf8))
    if (!Windows1252ByteOf(c)) return false;
  return true;
}

}  // namespace bw
