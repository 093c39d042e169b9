// SPDX-License-Identifier: GPL-3.0-or-later
// A tab strip whose single tabs can be made unselectable without ever moving
// or disabling the page on show: the current tab keeps its page usable even
// while the program has locked it, and takes the lock once another tab shows.
#pragma once

#include <QTabWidget>
#include <vector>

namespace bw::ui {

class TabStrip : public QTabWidget {
 public:
  TabStrip(const QString& objectName, QWidget* parent);

  int addTab(QWidget* page, const QString& caption);
  void SetTabSelectable(int index, bool selectable);
  bool IsTabSelectable(int index) const;
  // The tab that was current before the last change (the handlers' PreviousTab).
  int PreviousIndex() const { return previous_; }

 private:
  void ApplySelectable();

  std::vector<bool> selectable_;
  int previous_ = 0;
  int current_ = 0;
};

}  // namespace bw::ui
