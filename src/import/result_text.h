// The text of a published result file: its character set, its lines with
// their numbers in the file, and the fields of each line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bw {

// One non-blank line of the file; `number` counts the file's own lines from
// 1 (CR LF, LF and a lone CR each end a line).
struct TextLine {
  int number = 0;
  std::string text;  // UTF-8
};

struct DecodedText {
  std::string encoding;  // "UTF-8", "UTF-16" or "Windows-1252"
  std::vector<TextLine> lines;
};

// A byte-order mark decides the character set; without one, text that is
// valid UTF-8 is UTF-8 and anything else Windows-1252.
DecodedText DecodeResultText(std::string_view bytes);

enum class FieldSeparator { Comma, Semicolon, Tab, Blanks };

std::string_view SeparatorName(FieldSeparator separator);

// Fields with their surrounding blanks removed and their quotes resolved
// ("a ""b""" is a "b"). A separator inside quotes belongs to the field. With
// Blanks, any run of blanks and tabs separates.
std::vector<std::string> SplitFields(std::string_view line, FieldSeparator separator);

// The separator that gives most lines enough fields for a draw (a date and
// six numbers); ties go to tab, then semicolon, comma and blanks.
FieldSeparator ChooseSeparator(const std::vector<TextLine>& lines);

// ASCII letters in lower case, for comparing header words and month names.
std::string LowerCase(std::string_view text);

}  // namespace bw
