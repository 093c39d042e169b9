// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar notice of a finished report: where it went, and a button
// that opens the folder of a PDF file.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QWidget>

#include "print/print_surface.h"

class QLabel;
class QPushButton;

namespace bw::ui {

class ReportNotice : public QWidget {
  Q_OBJECT
 public:
  // `openFolder` opens a folder in a file manager; empty: the desktop's own.
  ReportNotice(std::function<void(const std::string& folder)> openFolder, QWidget* parent);

  // A report is written: to `file`, or to the printer when `file` is empty.
  void ShowWritten(const std::string& file);

 private:
  std::function<void(const std::string&)> openFolder_;
  QLabel* text_ = nullptr;
  QPushButton* openButton_ = nullptr;
  std::string folder_;
};

// Hands `job` through and calls `written` with its output file (empty for a
// printer) once the document has ended.
std::unique_ptr<PrintSurface> NoticeWhenWritten(std::unique_ptr<PrintSurface> job,
                                                std::function<void(const std::string&)> written);

}  // namespace bw::ui
