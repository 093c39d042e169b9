// SPDX-License-Identifier: GPL-3.0-or-later
// What a report needs of a printer: font, bold, underline, text with or
// without line end, empty lines and the end of the document. The windows
// print through Qt; tests record the output with its marks.
#pragma once

#include <string>

namespace bw {

class PrintSurface {
 public:
  virtual ~PrintSurface() = default;
  virtual void SetFont(const std::string& name, int points) = 0;
  virtual void SetBold(bool on) = 0;
  virtual void SetUnderline(bool on) = 0;
  virtual void Print(const std::string& text) = 0;      // stays on the line
  virtual void PrintLine(const std::string& text) = 0;  // ends the line
  virtual void EmptyLine() = 0;
  virtual void EndDocument() = 0;
  // The file the document goes to; empty when it goes to a printer.
  virtual std::string OutputFile() const { return {}; }
};

}  // namespace bw
