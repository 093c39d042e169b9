// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard's way through the windows: the Tab order across panels, and
// the focus kept on a button that its own action disables for a while.
#pragma once

#include <QAbstractButton>
#include <QWidget>
#include <functional>
#include <initializer_list>

namespace bw::ui {

// Puts the stops after `previous` in the Tab order, one after another; a
// stop that takes no focus itself stands for its own stops in their order.
// Returns the last stop.
QWidget* ChainTabOrder(QWidget* previous, std::initializer_list<QWidget*> stops);

// Runs `action` on a click; when the button had the focus and is enabled
// again afterwards, it gets the focus back (disabling it moved the focus on).
void ConnectKeepingFocus(QAbstractButton* button, QObject* context, std::function<void()> action);

}  // namespace bw::ui
