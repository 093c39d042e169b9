// SPDX-License-Identifier: GPL-3.0-or-later
// What the pages of the main window get from it: the session, the platform
// services, the page lock, the shared numbers of the full system, and the
// result panel of the Single Line page that every line check writes.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "analysis/single_line_check.h"
#include "app/session.h"
#include "platform/messages.h"
#include "platform/services.h"
#include "print/print_surface.h"

namespace bw::ui {

class PageHost {
 public:
  virtual ~PageHost() = default;

  virtual Session& GetSession() = 0;
  virtual MessageSink& Messages() = 0;
  virtual EventPump& Events() = 0;
  virtual RandomSource& Random() = 0;
  virtual HelpViewer& Help() = 0;
  // The bar that shows a history save going on.
  virtual SaveProgress* SaveProgressBar() = 0;
  // A print job: the default printer when one is set up, else a PDF file in
  // the program folder whose name says what and when.
  virtual std::unique_ptr<PrintSurface> OpenPrintJob(const std::string& what) = 0;

  // Locks (false) or unlocks (true) the tabs of both strips while a run lasts.
  virtual void SetTabsEnabled(bool enabled) = 0;
  // 1..12: the twelve numbers of the full system; 0: their display text.
  virtual std::array<std::string, 13>& SelectedNumbers() = 0;
  // Index 1 and 2: the picked random lines (1..8), 0 = none.
  virtual std::array<int, 3>& ChosenLines() = 0;

  // Shows the line in lblNumber7..12, checks it, writes the result labels of
  // the Single Line panel and returns the result.
  virtual SingleLineResult CheckLineOnPanel(const Line& line) = 0;

  // Enables the Line Optimiser tab and makes it current; entering it sorts
  // SelectedNumbers (GetAllNumbers) and prepares the page.
  virtual void ShowLineOptimiser() = 0;
};

}  // namespace bw::ui
