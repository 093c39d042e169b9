// SPDX-License-Identifier: GPL-3.0-or-later
#include "wheel/wheel_text.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace bw {
namespace {

// The command's own listing ends with notes such as "lines: 15" and
// "lower bound: 15"; a row that starts with words and a colon is read as one.
bool IsNote(const std::string& text) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string::npos || !std::isalpha(static_cast<unsigned char>(text[start]))) {
    return false;
  }
  const std::size_t colon = text.find(':', start);
  return colon != std::string::npos &&
         std::all_of(text.begin() + static_cast<std::ptrdiff_t>(start),
                     text.begin() + static_cast<std::ptrdiff_t>(colon),
                     [](unsigned char c) { return std::isalpha(c) || c == ' '; });
}

}  // namespace

std::vector<Line> ParseWheelText(const std::vector<std::string>& rows,
                                 const std::vector<int>& chosen, const std::string& source) {
  std::vector<Line> lines;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const std::string& text = rows[row];
    if (IsNote(text)) continue;
    const std::string where = source + " line " + std::to_string(row + 1) + ": ";
    std::vector<int> numbers;
    for (std::size_t at = 0; at < text.size();) {
      if (!std::isdigit(static_cast<unsigned char>(text[at]))) {
        ++at;
        continue;
      }
      const std::size_t end = text.find_first_not_of("0123456789", at);
      const std::string digits = text.substr(at, end == std::string::npos ? end : end - at);
      at = end == std::string::npos ? text.size() : end;
      const int number = digits.size() > 2 ? 0 : std::stoi(digits);
      if (!std::binary_search(chosen.begin(), chosen.end(), number)) {
        throw std::invalid_argument(where + "the number " + digits +
                                    " is not among the chosen numbers");
      }
      numbers.push_back(number);
    }
    if (numbers.empty()) continue;
    std::sort(numbers.begin(), numbers.end());
    if (numbers.size() != 6 ||
        std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end()) {
      throw std::invalid_argument(where + "a line needs six different numbers, got \"" + text +
                                  "\"");
    }
    Line line{};
    std::copy(numbers.begin(), numbers.end(), line.begin());
    lines.push_back(line);
  }
  if (lines.empty()) throw std::invalid_argument(source + " holds no lines");
  return lines;
}

}  // namespace bw
