// SPDX-License-Identifier: GPL-3.0-or-later
// The two printed reports: the full-system report of the Line Optimiser rows
// and the found-lines listing of the all-lines search.
#pragma once

#include <string>
#include <vector>

#include "print/print_surface.h"

namespace bw {

// Rows of at least `threshold` percent, or ending in "+", two to a line,
// bold from 60 and underlined from 80 percent, under a title and header.
void PrintFullSystemReport(PrintSurface& surface, const std::vector<std::string>& rows,
                           const std::string& selectedNumbersText, int threshold);

// Found-line entries four to a line, the first three padded to 24 characters.
void PrintFoundLines(PrintSurface& surface, const std::vector<std::string>& entries);
// The same without ending the document: a search adds its batches to one report.
void PrintFoundEntries(PrintSurface& surface, const std::vector<std::string>& entries);
// About how many pages that many found-line entries fill, on A4 in the
// report's font (a part page counts as one).
int FoundReportPages(std::size_t entries);

// A surface that records the output as text, with marks for tests:
// "<b>", "</b>", "<u>", "</u>" where bold and underline change, "\n" line
// ends, "[font NAME SIZE]" and "[end]".
class RecordingSurface : public PrintSurface {
 public:
  void SetFont(const std::string& name, int points) override;
  void SetBold(bool on) override;
  void SetUnderline(bool on) override;
  void Print(const std::string& text) override;
  void PrintLine(const std::string& text) override;
  void EmptyLine() override;
  void EndDocument() override;
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  bool bold_ = false, underline_ = false;
};

}  // namespace bw
