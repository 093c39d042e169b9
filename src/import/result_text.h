// SPDX-License-Identifier: GPL-3.0-or-later
// The text of a published result file: its character set, its lines with
// their numbers in the file, and the fields of each line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bw {

// No result file has a line this long; a longer one is refused as soon as it
// is seen, so a file without line ends never fills the memory.
inline constexpr std::size_t kLongestLine = 4096;

// One non-blank line of the file; `number` counts the file's own lines from
// 1 (CR LF, LF and a lone CR each end a line). `text` points into the
// DecodedText it came from.
struct TextLine {
  int number = 0;
  std::string_view text;  // UTF-8
};

struct DecodedText {
  std::string encoding;  // "UTF-8", "UTF-16" or "Windows-1252"
  std::string text;      // UTF-8, without a byte-order mark
};

// A byte-order mark decides the character set; without one, text that is
// valid UTF-8 is UTF-8 and anything else Windows-1252.
DecodedText DecodeResultText(std::string_view bytes);

struct SplitText {
  std::vector<TextLine> lines;
  int tooLongLine = 0;  // the number of the first line over kLongestLine (then no lines)
};
SplitText SplitResultLines(std::string_view text);

enum class FieldSeparator { Comma, Semicolon, Tab, Blanks };

std::string_view SeparatorName(FieldSeparator separator);

// Fields with their surrounding blanks removed and their quotes resolved
// ("a ""b""" is a "b"). A separator inside quotes belongs to the field. With
// Blanks, any run of blanks and tabs separates. The numbers of a draw joined
// in one field ("8,12,31,39,43,45" among blanks, "08 12 31 39 43 45" in a
// CSV field) are fields of their own. `fields` is reused, to spare memory.
void SplitFields(std::string_view line, FieldSeparator separator, std::vector<std::string>& fields,
                 bool splitJoined = true);
std::vector<std::string> SplitFields(std::string_view line, FieldSeparator separator,
                                     bool splitJoined = true);

// How many fields SplitFields makes of a field that joins a draw's numbers;
// 0 for any other field.
std::size_t JoinedNumberCount(std::string_view field, FieldSeparator separator);

// The separator that gives most lines enough fields for a draw (a date and
// six numbers); ties go to tab, then semicolon, comma and blanks.
FieldSeparator ChooseSeparator(const std::vector<TextLine>& lines);

// ASCII letters in lower case, for comparing header words and month names.
std::string LowerCase(std::string_view text);

// "1 row", "2 rows".
std::string CountText(std::size_t count, std::string_view one, std::string_view many);

// What at least 95% of the rows hold decides a column's role or a reading.
bool IsClearMajority(std::size_t count, std::size_t of);

}  // namespace bw
