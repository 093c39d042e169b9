// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/result_text.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "store/windows1252.h"

namespace bw {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";
constexpr std::size_t kDrawFields = 7;  // a date and six numbers

bool IsBlankText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool IsBlank(char c, FieldSeparator separator) {
  return c == ' ' || (c == '\t' && separator != FieldSeparator::Tab);
}

bool EndsField(char c, FieldSeparator separator) {
  switch (separator) {
    case FieldSeparator::Comma:
      return c == ',';
    case FieldSeparator::Semicolon:
      return c == ';';
    case FieldSeparator::Tab:
      return c == '\t';
    case FieldSeparator::Blanks:
      return c == ' ' || c == '\t';
  }
  return false;
}

// The numbers of a field that joins a draw's numbers: "8,12,31,39,43,45" in
// a row whose fields are separated by blanks, "08 12 31 39 43 45" or
// "08-12-31-39-43-45" in a field of a CSV row. Empty when it is none (a date
// joins three numbers only).
std::vector<std::string_view> JoinedNumbers(std::string_view field, FieldSeparator separator) {
  constexpr std::size_t kFewestJoined = 5;
  const std::string_view joins = separator == FieldSeparator::Blanks ? "," : " -";
  if (field.size() < 2 * kFewestJoined - 1 ||
      field.find_first_of(joins) == std::string_view::npos) {
    return {};  // most fields: a single number or a word
  }
  std::vector<std::string_view> numbers;
  std::size_t start = 0;
  while (start <= field.size()) {
    std::size_t end = field.find_first_of(joins, start);
    if (end == std::string_view::npos) end = field.size();
    const std::string_view number = field.substr(start, end - start);
    if (number.empty() || number.size() > 2 ||
        number.find_first_not_of("0123456789") != std::string_view::npos) {
      return {};
    }
    numbers.push_back(number);
    start = end + 1;
  }
  return numbers.size() >= kFewestJoined ? numbers : std::vector<std::string_view>{};
}

}  // namespace

std::size_t JoinedNumberCount(std::string_view field, FieldSeparator separator) {
  return JoinedNumbers(field, separator).size();
}

DecodedText DecodeResultText(std::string_view bytes) {
  DecodedText decoded;
  if (bytes.starts_with(kUtf8Mark)) {
    decoded.encoding = "UTF-8";
    decoded.text = bytes.substr(kUtf8Mark.size());
  } else if (bytes.starts_with(kUtf16LittleMark) || bytes.starts_with(kUtf16BigMark)) {
    decoded.encoding = "UTF-16";
    decoded.text = Utf8FromUtf16(bytes.substr(2), bytes.starts_with(kUtf16LittleMark));
  } else if (IsValidUtf8(bytes)) {
    decoded.encoding = "UTF-8";
    decoded.text = bytes;
  } else {
    decoded.encoding = "Windows-1252";
    decoded.text = Utf8FromWindows1252(std::string(bytes));
  }
  return decoded;
}

SplitText SplitResultLines(std::string_view text) {
  SplitText split;
  int number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    ++number;
    const std::string_view line = text.substr(start, end - start);
    if (line.size() > kLongestLine) return {{}, number};
    if (!IsBlankText(line)) split.lines.push_back({number, line});
    start = end + (text.substr(end).starts_with("\r\n") ? 2 : 1);
  }
  return split;
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string CountText(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

bool IsClearMajority(std::size_t count, std::size_t of) {
  return of > 0 && count * 100 >= of * 95;
}

std::string_view SeparatorName(FieldSeparator separator) {
  switch (separator) {
    case FieldSeparator::Comma:
      return "comma";
    case FieldSeparator::Semicolon:
      return "semicolon";
    case FieldSeparator::Tab:
      return "tab";
    case FieldSeparator::Blanks:
      return "blanks";
  }
  return "";
}

void SplitFields(std::string_view line, FieldSeparator separator, std::vector<std::string>& fields,
                 bool splitJoined) {
  fields.clear();
  std::size_t i = 0;
  const auto skipBlanks = [&] {
    while (i < line.size() && IsBlank(line[i], separator)) ++i;
  };
  skipBlanks();
  while (i <= line.size()) {
    std::string field;
    bool quoted = false;
    for (; i < line.size() && (quoted || !EndsField(line[i], separator)); ++i) {
      if (line[i] != '"') {
        field += line[i];
      } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        field += line[i++];
      } else {
        quoted = !quoted;
      }
    }
    while (!field.empty() && IsBlank(field.back(), separator)) field.pop_back();
    const std::vector<std::string_view> joined =
        splitJoined ? JoinedNumbers(field, separator) : std::vector<std::string_view>{};
    if (joined.empty()) {
      fields.push_back(std::move(field));
    } else {
      fields.insert(fields.end(), joined.begin(), joined.end());
    }
    if (i >= line.size()) break;
    ++i;
    skipBlanks();
    if (separator == FieldSeparator::Blanks && i >= line.size()) break;
  }
}

std::vector<std::string> SplitFields(std::string_view line, FieldSeparator separator,
                                     bool splitJoined) {
  std::vector<std::string> fields;
  SplitFields(line, separator, fields, splitJoined);
  return fields;
}

FieldSeparator ChooseSeparator(const std::vector<TextLine>& lines) {
  constexpr std::array kPreferred = {FieldSeparator::Tab, FieldSeparator::Semicolon,
                                     FieldSeparator::Comma, FieldSeparator::Blanks};
  // A spread sample of lines tells as well as all of them, and faster.
  constexpr std::size_t kSampleLines = 2000;
  const std::size_t step = std::max<std::size_t>(1, lines.size() / kSampleLines);
  FieldSeparator best = FieldSeparator::Comma;
  std::size_t bestCount = 0;
  std::vector<std::string> fields;
  for (FieldSeparator separator : kPreferred) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < lines.size(); i += step) {
      SplitFields(lines[i].text, separator, fields);
      count += fields.size() >= kDrawFields;
    }
    if (count > bestCount) {
      best = separator;
      bestCount = count;
    }
  }
  return best;
}

}  // namespace bw
