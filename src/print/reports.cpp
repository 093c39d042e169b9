// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/reports.h"

#include "model/numbers.h"

namespace bw {
namespace {

constexpr const char* kReportFont = "Courier";
constexpr int kReportPoints = 9;
constexpr int kBoldFrom = 60;
constexpr int kUnderlineFrom = 80;
constexpr std::size_t kFoundEntryWidth = 24;
constexpr std::size_t kFoundPerLine = 4;
constexpr std::size_t kLinesPerPage = 72;  // 9-point lines within A4's margins
// 1-based columns where the percentage starts: in "  " + a result row, and in
// a found-line entry.
constexpr std::size_t kReportPercentColumn = 39;
constexpr std::size_t kFoundPercentColumn = 19;

// The figures of one header column: "3   4   5 5+  6 result".
const std::string kHeaderFigures = "3   4   5 5+  6 result";

int PercentFrom(const std::string& text, std::size_t column) {
  if (text.size() < column) return 0;
  return LeadingNumber(std::string_view(text).substr(column - 1));
}

void EmphasiseByPercent(PrintSurface& surface, int percent) {
  if (percent >= kBoldFrom) surface.SetBold(true);
  if (percent >= kUnderlineFrom) surface.SetUnderline(true);
}

void PrintReportHeader(PrintSurface& surface, const std::string& selectedNumbersText) {
  surface.SetFont(kReportFont, kReportPoints);
  surface.SetBold(true);
  surface.EmptyLine();
  surface.PrintLine("  Report on selected number combination [" + selectedNumbersText + "]");
  surface.EmptyLine();
  surface.Print("  ");
  surface.SetUnderline(true);
  surface.Print(std::string(20, ' ') + kHeaderFigures);
  surface.PrintLine(std::string(25, ' ') + kHeaderFigures);
  surface.SetUnderline(false);
  surface.SetBold(false);
  surface.EmptyLine();
}

}  // namespace

void PrintFullSystemReport(PrintSurface& surface, const std::vector<std::string>& rows,
                           const std::string& selectedNumbersText, int threshold) {
  PrintReportHeader(surface, selectedNumbersText);
  bool secondColumn = false;
  for (const std::string& row : rows) {
    const std::string printed = "  " + row;
    const int percent = PercentFrom(printed, kReportPercentColumn);
    const bool plus = printed.ends_with('+');
    if (percent < threshold && !plus) continue;
    EmphasiseByPercent(surface, percent);
    if (secondColumn) {
      surface.PrintLine(printed);
      surface.SetBold(false);
      surface.SetUnderline(false);
    } else {
      surface.Print(printed);
      surface.SetBold(false);
      surface.SetUnderline(false);
      // Keeps the second column at column 48 whatever the marker.
      surface.Print(plus ? "   " : "    ");
    }
    secondColumn = !secondColumn;
  }
  surface.EndDocument();
}

void PrintFoundLines(PrintSurface& surface, const std::vector<std::string>& entries) {
  PrintFoundEntries(surface, entries);
  surface.EndDocument();
}

void PrintFoundEntries(PrintSurface& surface, const std::vector<std::string>& entries) {
  surface.SetFont(kReportFont, kReportPoints);
  surface.SetBold(false);
  int onLine = 0;
  for (const std::string& entry : entries) {
    ++onLine;
    surface.SetBold(false);
    surface.SetUnderline(false);
    EmphasiseByPercent(surface, PercentFrom(entry, kFoundPercentColumn));
    if (onLine < static_cast<int>(kFoundPerLine)) {
      surface.Print(entry);
      surface.SetUnderline(false);
      surface.SetBold(false);
      if (entry.size() < kFoundEntryWidth) {
        surface.Print(std::string(kFoundEntryWidth - entry.size(), ' '));
      }
    } else {
      surface.PrintLine(entry);
      onLine = 0;
    }
  }
}

int FoundReportPages(std::size_t entries) {
  const std::size_t lines = (entries + kFoundPerLine - 1) / kFoundPerLine;
  return static_cast<int>((lines + kLinesPerPage - 1) / kLinesPerPage);
}

void RecordingSurface::SetFont(const std::string& name, int points) {
  text_ += "[font " + name + " " + std::to_string(points) + "]";
}

void RecordingSurface::SetBold(bool on) {
  if (on != bold_) text_ += on ? "<b>" : "</b>";
  bold_ = on;
}

void RecordingSurface::SetUnderline(bool on) {
  if (on != underline_) text_ += on ? "<u>" : "</u>";
  underline_ = on;
}

void RecordingSurface::Print(const std::string& text) {
  text_ += text;
}

void RecordingSurface::PrintLine(const std::string& text) {
  text_ += text + "\n";
}

void RecordingSurface::EmptyLine() {
  text_ += "\n";
}

void RecordingSurface::EndDocument() {
  text_ += "[end]";
}

}  // namespace bw
