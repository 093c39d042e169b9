// SPDX-License-Identifier: GPL-3.0-or-later
// frmSplash: shown while the history is integrated at start-up, with the two
// notice lines and the running count "17 / 1234" of integrated entries.
#pragma once

#include <QLabel>
#include <QWidget>
#include <chrono>
#include <cstddef>

namespace bw::ui {

class SplashWindow : public QWidget {
  Q_OBJECT
 public:
  explicit SplashWindow(QWidget* parent = nullptr);
  // Shows "done / total" in lblIntegrate; the label is repainted at once,
  // at most every few milliseconds so that a fast integration stays fast.
  void ShowProgress(std::size_t done, std::size_t total);

 private:
  QLabel* count_ = nullptr;
  std::chrono::steady_clock::time_point lastPaint_{};
};

}  // namespace bw::ui
