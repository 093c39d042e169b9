// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows-1252 character set, one character per byte, and the UTF-8 the
// program keeps in memory. Plain C++ so that every platform reads and writes
// text files the same way. The five bytes Windows-1252 leaves undefined (81,
// 8D, 8F, 90, 9D) stand for the control codes U+0081, U+008D, U+008F, U+0090
// and U+009D, so every byte survives a round trip.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bw {

// The character a byte stands for.
char32_t CodePointOfWindows1252(unsigned char byte);

// The byte for a character, or nothing when Windows-1252 cannot hold it.
std::optional<unsigned char> Windows1252ByteOf(char32_t codePoint);

std::u32string DecodeWindows1252(std::string_view bytes);
// Characters with no Windows-1252 form become `replacement`.
std::string EncodeWindows1252(std::u32string_view text, char replacement = '?');

std::string Utf8FromWindows1252(std::string_view bytes);
// Characters with no Windows-1252 form, and each byte of malformed UTF-8,
// become `replacement`.
std::string Windows1252FromUtf8(std::string_view utf8, char replacement = '?');

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// code points above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Each byte of malformed UTF-8 becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);

// UTF-16 bytes (after their byte-order mark) as UTF-8; an unpaired surrogate
// becomes U+FFFD, an odd last byte is dropped.
std::string Utf8FromUtf16(std::string_view bytes, bool littleEndian);

// True when every character of the UTF-8 text has a Windows-1252 byte.
bool FitsWindows1252(std::string_view utf8);

}  // namespace bw
