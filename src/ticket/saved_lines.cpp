// SPDX-License-Identifier: GPL-3.0-or-later
#include "ticket/saved_lines.h"

#include <algorithm>
#include <sstream>

#include "analysis/full_system.h"
#include "model/day_number.h"
#include "store/file_error.h"
#include "store/text_file.h"
#include "store/windows1252.h"

namespace bw {
namespace {

constexpr std::string_view kSeparator = " | ";

// The text split at each "|" up to `parts` pieces (the last keeps the rest).
std::vector<std::string> SplitParts(const std::string& text, std::size_t parts) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (pieces.size() + 1 < parts) {
    const std::size_t bar = text.find('|', start);
    if (bar == std::string::npos) break;
    pieces.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

std::optional<std::string> NumbersRefusal(const std::string& text, Line& line) {
  std::istringstream words(text);
  std::vector<std::string> found;
  for (std::string word; words >> word;) found.push_back(word);
  if (found.size() != 6) {
    return "it holds " + std::to_string(found.size()) + " numbers, not 6";
  }
  for (std::size_t i = 0; i < 6; ++i) {
    const std::string& word = found[i];
    const bool digits = word.size() <= 2 && std::all_of(word.begin(), word.end(), [](char c) {
                          return c >= '0' && c <= '9';
                        });
    const int number = digits ? std::stoi(word) : 0;
    if (number < kLowestNumber || number > kHighestNumber) {
      return "\"" + word + "\" is not a number from 1 to 49";
    }
    line[i] = number;
  }
  std::sort(line.begin(), line.end());
  if (std::adjacent_find(line.begin(), line.end()) != line.end()) {
    return "a number is there twice";
  }
  return std::nullopt;
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::vector<SavedLine>::iterator Find(std::vector<SavedLine>& lines, const Line& numbers) {
  return std::find_if(lines.begin(), lines.end(),
                      [&](const SavedLine& line) { return line.numbers == numbers; });
}

std::string NotSaved(const Line& numbers) {
  return "The line " + SystemLineText(numbers) + " is not among your lines.";
}

}  // namespace

std::filesystem::path LinesFilePath(const ProgramState& state) {
  return state.InFolder(state.LotteryFileName(".lines"));
}

std::filesystem::path LinesBackupPath(const ProgramState& state) {
  return state.InFolder(state.LotteryFileName(".lines.old"));
}

std::string SavedLineText(const SavedLine& line) {
  std::string text = JoinTwoDigits(line.numbers, " ");
  const std::string since = line.since ? FormatDrawDate(DateOfDayNumber(*line.since)) : "";
  if (since.empty() && line.label.empty()) return text;
  text += std::string(kSeparator) + since;
  if (!line.label.empty()) text += std::string(kSeparator) + line.label;
  // No blank ends a line: "03 .. 44 | " would read back with an empty date.
  return std::string(TrimBlanks(text));
}

SavedLineParse ParseSavedLine(const std::string& text) {
  const std::vector<std::string> parts = SplitParts(text, 3);
  SavedLine line;
  if (const auto refusal = NumbersRefusal(parts[0], line.numbers)) return {std::nullopt, *refusal};
  if (parts.size() > 1) {
    const std::string_view date = TrimBlanks(parts[1]);
    if (!date.empty()) {
      const auto parsed = ParseDrawDate(date);
      if (!parsed) return {std::nullopt, Quoted(std::string(date)) + " is not a date dd/mm/yyyy"};
      line.since = DayNumber(*parsed);
    }
  }
  if (parts.size() > 2) line.label = std::string(TrimBlanks(parts[2]));
  return {line, ""};
}

std::optional<std::string> LabelRefusal(const std::string& label) {
  if (std::any_of(label.begin(), label.end(), [](char c) { return c >= 0 && c < ' '; })) {
    return "A label is one line of text, without tabs or line breaks.";
  }
  if (Utf8FromWindows1252(Windows1252FromUtf8(label)) != label) {
    return "A label can hold only the characters of Western European languages (Windows-1252).";
  }
  std::size_t characters = 0;
  for (unsigned char c : label) characters += (c & 0xC0) != 0x80;
  if (characters > kLongestLabel) {
    return "A label holds at most " + std::to_string(kLongestLabel) + " characters.";
  }
  return std::nullopt;
}

std::vector<std::string> LinesRead::Problems(const std::string& fileName) const {
  std::vector<std::string> problems;
  for (const SetAsideLine& line : setAside) {
    if (line.reason.empty()) continue;
    problems.push_back(fileName + ", line " + std::to_string(line.lineNumber) + ": " +
                       Quoted(line.text) + " is not a saved line (" + line.reason +
                       "); it stays in the file as it is");
  }
  return problems;
}

LinesRead ReadLinesFile(const std::filesystem::path& file) {
  LinesRead read;
  if (!std::filesystem::exists(file)) {
    read.missing = true;
    return read;
  }
  const ReadResult text = ReadTextLines(file);
  if (text.error != 0) {
    read.error = text.error;
    return read;
  }
  for (std::size_t i = 0; i < text.lines.size(); ++i) {
    const std::string& raw = text.lines[i];
    const std::size_t before = read.lines.size();
    if (TrimBlanks(raw).empty()) {
      read.setAside.push_back({i + 1, before, raw, ""});
      continue;
    }
    SavedLineParse parsed = ParseSavedLine(raw);
    if (parsed.line) {
      const auto same = std::find_if(read.lines.begin(), read.lines.end(), [&](const SavedLine& l) {
        return l.numbers == parsed.line->numbers;
      });
      if (same != read.lines.end()) parsed = {std::nullopt, "the same numbers as an earlier line"};
    }
    if (parsed.line) {
      read.lines.push_back(*parsed.line);
    } else {
      read.setAside.push_back({i + 1, before, raw, parsed.reason});
    }
  }
  return read;
}

std::string LinesBook::Apply(const Change& change) {
  LinesRead read = Read();
  if (read.error != 0) {
    return "Your lines were not changed: " + file_.string() + " could not be read (" +
           FileErrorText(read.error) + ").";
  }
  if (std::string refusal = change(read.lines); !refusal.empty()) return refusal;
  std::vector<std::string> text;
  text.reserve(read.lines.size() + read.setAside.size());
  auto kept = read.setAside.begin();
  for (std::size_t i = 0; i <= read.lines.size(); ++i) {
    // A set-aside line stays after the saved line that came before it.
    for (; kept != read.setAside.end() && kept->entriesBefore <= i; ++kept)
      text.push_back(kept->text);
    if (i < read.lines.size()) text.push_back(SavedLineText(read.lines[i]));
  }
  if (const int16_t error = ReplaceFileKeepingBackup(file_, backup_, TextFileBytes(text))) {
    return "Your lines could not be saved in " + file_.string() + " (" + FileErrorText(error) +
           "); they are as they were.";
  }
  return "";
}

std::string LinesBook::Add(SavedLine line) {
  if (!IsValidLine(line.numbers)) return "A line is six different numbers from 1 to 49.";
  line.label = std::string(TrimBlanks(line.label));
  if (const auto refusal = LabelRefusal(line.label)) return *refusal;
  return Apply([&](std::vector<SavedLine>& lines) -> std::string {
    if (Find(lines, line.numbers) != lines.end()) {
      return "The line " + SystemLineText(line.numbers) + " is among your lines already.";
    }
    lines.push_back(line);
    return "";
  });
}

std::string LinesBook::AddMany(const std::vector<Line>& lines, std::size_t& added) {
  added = 0;
  if (!std::all_of(lines.begin(), lines.end(), IsValidLine)) {
    return "A line is six different numbers from 1 to 49.";
  }
  return Apply([&](std::vector<SavedLine>& saved) -> std::string {
    for (const Line& line : lines) {
      if (Find(saved, line) != saved.end()) continue;
      saved.push_back({line});
      ++added;
    }
    return added == 0
               ? (lines.size() == 1
                      ? "The line " + SystemLineText(lines[0]) + " is among your lines already."
                      : "These lines are among your lines already.")
               : "";
  });
}

std::string LinesBook::Remove(const Line& numbers) {
  return Apply([&](std::vector<SavedLine>& lines) -> std::string {
    const auto found = Find(lines, numbers);
    if (found == lines.end()) return NotSaved(numbers);
    lines.erase(found);
    return "";
  });
}

std::string LinesBook::Relabel(const Line& numbers, const std::string& label,
                               std::optional<int32_t> since) {
  const std::string trimmed(TrimBlanks(label));
  if (const auto refusal = LabelRefusal(trimmed)) return *refusal;
  return Apply([&](std::vector<SavedLine>& lines) -> std::string {
    const auto found = Find(lines, numbers);
    if (found == lines.end()) return NotSaved(numbers);
    found->label = trimmed;
    found->since = since;
    return "";
  });
}

std::string LinesBook::Move(const Line& numbers, int by) {
  return Apply([&](std::vector<SavedLine>& lines) -> std::string {
    const auto found = Find(lines, numbers);
    if (found == lines.end()) return NotSaved(numbers);
    const auto from = found - lines.begin();
    const auto to =
        std::clamp<std::ptrdiff_t>(from + by, 0, static_cast<std::ptrdiff_t>(lines.size()) - 1);
    if (from < to) std::rotate(found, found + 1, lines.begin() + to + 1);
    if (to < from) std::rotate(lines.begin() + to, found, found + 1);
    return "";
  });
}

}  // namespace bw
