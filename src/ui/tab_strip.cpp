// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tab_strip.h"

#include <QTabBar>

namespace bw::ui {

TabStrip::TabStrip(const QString& objectName, QWidget* parent) : QTabWidget(parent) {
  setObjectName(objectName);
  setDocumentMode(false);
  // Connected first, so the window's own handlers already see PreviousIndex().
  connect(this, &QTabWidget::currentChanged, this, [this](int index) {
    previous_ = current_;
    current_ = index;
    ApplySelectable();
  });
}

int TabStrip::addTab(QWidget* page, const QString& caption) {
  selectable_.push_back(true);
  const int index = QTabWidget::addTab(page, caption);
  current_ = currentIndex();
  return index;
}

void TabStrip::SetTabSelectable(int index, bool selectable) {
  if (index < 0 || index >= static_cast<int>(selectable_.size())) return;
  selectable_[index] = selectable;
  ApplySelectable();
}

bool TabStrip::IsTabSelectable(int index) const {
  return index >= 0 && index < static_cast<int>(selectable_.size()) && selectable_[index];
}

void TabStrip::ApplySelectable() {
  for (int i = 0; i < static_cast<int>(selectable_.size()); ++i) {
    // The tab bar would move away from a disabled current tab; it stays lit.
    tabBar()->setTabEnabled(i, i == currentIndex() || selectable_[i]);
  }
}

}  // namespace bw::ui
