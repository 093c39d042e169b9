#include "import/result_text.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "store/text_file.h"
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

// The lines as the history reader splits them, numbered from 1.
std::vector<TextLine> SplitLines(const std::string& utf8) {
  std::vector<TextLine> lines;
  int number = 0;
  for (std::string& line : LinesFromFileBytes(std::string(kUtf8Mark) + utf8)) {
    ++number;
    if (!IsBlankText(line)) lines.push_back({number, std::move(line)});
  }
  return lines;
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

}  // namespace

DecodedText DecodeResultText(std::string_view bytes) {
  DecodedText decoded;
  std::string text;
  if (bytes.starts_with(kUtf8Mark)) {
    decoded.encoding = "UTF-8";
    text = bytes.substr(kUtf8Mark.size());
  } else if (bytes.starts_with(kUtf16LittleMark) || bytes.starts_with(kUtf16BigMark)) {
    decoded.encoding = "UTF-16";
    text = Utf8FromUtf16(bytes.substr(2), bytes.starts_with(kUtf16LittleMark));
  } else if (IsValidUtf8(bytes)) {
    decoded.encoding = "UTF-8";
    text = bytes;
  } else {
    decoded.encoding = "Windows-1252";
    text = Utf8FromWindows1252(std::string(bytes));
  }
  decoded.lines = SplitLines(text);
  return decoded;
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
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

std::vector<std::string> SplitFields(std::string_view line, FieldSeparator separator) {
  std::vector<std::string> fields;
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
    fields.push_back(std::move(field));
    if (i >= line.size()) break;
    ++i;
    skipBlanks();
    if (separator == FieldSeparator::Blanks && i >= line.size()) break;
  }
  return fields;
}

FieldSeparator ChooseSeparator(const std::vector<TextLine>& lines) {
  constexpr std::array kPreferred = {FieldSeparator::Tab, FieldSeparator::Semicolon,
                                     FieldSeparator::Comma, FieldSeparator::Blanks};
  FieldSeparator best = FieldSeparator::Comma;
  std::size_t bestCount = 0;
  for (FieldSeparator separator : kPreferred) {
    const auto count =
        static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [&](const TextLine& l) {
          return SplitFields(l.text, separator).size() >= kDrawFields;
        }));
    if (count > bestCount) {
      best = separator;
      bestCount = count;
    }
  }
  return best;
}

}  // namespace bw
