// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/keyboard_order.h"

namespace bw::ui {
namespace {

bool TakesTab(const QWidget* widget) {
  return (widget->focusPolicy() & Qt::TabFocus) != 0 && !widget->focusProxy();
}

// A widget that hands its focus to a child of its own (a tab widget to its
// tab bar) would still be a stop where it was made, out of the chain's
// order: the child is the stop.
void LeaveStopToChild(QWidget* widget) {
  if (widget->focusProxy() && widget->isAncestorOf(widget->focusProxy()))
    widget->setFocusPolicy(Qt::NoFocus);
}

}  // namespace

QWidget* ChainTabOrder(QWidget* previous, std::initializer_list<QWidget*> stops) {
  const auto follow = [&previous](QWidget* next) {
    QWidget::setTabOrder(previous, next);
    previous = next;
  };
  for (QWidget* stop : stops) {
    if (TakesTab(stop)) {
      follow(stop);
      continue;
    }
    for (QWidget* child : stop->findChildren<QWidget*>()) {
      LeaveStopToChild(child);
      if (TakesTab(child)) follow(child);
    }
  }
  return previous;
}

void ConnectKeepingFocus(QAbstractButton* button, QObject* context, std::function<void()> action) {
  QObject::connect(button, &QAbstractButton::clicked, context,
                   [button, action = std::move(action)] {
                     const bool focused = button->hasFocus();
                     action();
                     if (focused && button->isEnabled()) button->setFocus();
                   });
}

}  // namespace bw::ui
