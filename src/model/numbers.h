// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts shared by every part of the program: two-digit keys, the
// lenient "leading number" reading of captions, and the line type.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace bw {

constexpr int kLowestNumber = 1;
constexpr int kHighestNumber = 49;

// Six numbers of one line or draw, ascending.
using Line = std::array<int, 6>;

// 7 -> "07", 23 -> "23".
std::string TwoDigits(int number);

// A count right-aligned in `width` characters ("  5", " 52", "123"); wider
// values keep all their digits.
std::string RightAligned(int64_t value, std::size_t width);

// Value of the leading whole number of a text: leading blanks are skipped,
// digits are read up to the first non-digit, no digits read as 0. A leading
// "-" or "+" is honoured. This is how captions and fields are read back.
int LeadingNumber(std::string_view text);

// The twelve-digit key of a line ("030811172541" style, no separators).
std::string LineKey(const Line& line);

// The numbers of a line as two-digit texts joined by a separator.
std::string JoinTwoDigits(const Line& line, std::string_view separator);

// True when the numbers are within 1..49 and strictly ascending.
bool IsValidLine(const Line& line);

// Text with leading and trailing blanks (spaces) removed.
std::string_view TrimBlanks(std::string_view text);

}  // namespace bw
