// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/draw_fields.h"

#include "model/numbers.h"

namespace bw {

DrawFields ParseDrawEntry(std::string_view entry, std::string* date) {
  const auto blank = entry.find(' ');
  const std::string_view rest =
      blank == std::string_view::npos ? std::string_view{} : entry.substr(blank + 1);
  if (date != nullptr) {
    *date = std::string(blank == std::string_view::npos ? entry : entry.substr(0, blank));
  }
  DrawFields fields;
  for (int k = 1; k <= 6; ++k) {
    const std::size_t start = 3 * (k - 1);
    if (start < rest.size()) fields[k] = std::string(rest.substr(start, 2));
  }
  std::string_view trimmed = rest;
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
  fields[7] = trimmed.size() > 17 ? std::string(trimmed.substr(trimmed.size() - 2)) : "00";
  return fields;
}

int FieldNumber(const std::string& field) {
  if (field.empty()) return -1;
  for (char c : field) {
    if (c != ' ' && (c < '0' || c > '9')) return -1;
  }
  const int value = LeadingNumber(field);
  return value >= 0 && value <= kHighestNumber ? value : -1;
}

std::string FormatDrawEntry(const CalendarDate& date, const Line& ascending,
                            std::optional<int> bonus) {
  std::string entry = FormatDrawDate(date) + " ";
  for (int number : ascending) entry += TwoDigits(number) + " ";
  if (bonus) entry += TwoDigits(*bonus);
  return entry;
}

}  // namespace bw
