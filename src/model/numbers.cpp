// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers.h"

namespace bw {

std::string TwoDigits(int number) {
  std::string text = std::to_string(number);
  if (number >= 0 && number < 10) text.insert(text.begin(), '0');
  return text;
}

std::string RightAligned(int64_t value, std::size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

int LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  long long value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    if (value < 1'000'000'000) value = value * 10 + (text[i] - '0');
    ++i;
  }
  return static_cast<int>(negative ? -value : value);
}

std::string LineKey(const Line& line) {
  return JoinTwoDigits(line, "");
}

std::string JoinTwoDigits(const Line& line, std::string_view separator) {
  std::string text;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (i > 0) text += separator;
    text += TwoDigits(line[i]);
  }
  return text;
}

bool IsValidLine(const Line& line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] < kLowestNumber || line[i] > kHighestNumber) return false;
    if (i > 0 && line[i] <= line[i - 1]) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace bw
