// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/number_buttons.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

#include "model/numbers.h"

namespace bw::ui {
namespace {

constexpr int kColumns = 7;

QString SpokenNumber(int number, bool picked) {
  return picked ? NumberButtons::tr("Number %1, picked").arg(number)
                : NumberButtons::tr("Number %1").arg(number);
}

// The grid neighbour an arrow key leads to: 0 at the grid's edge (the key is
// still the grid's, so focus stays), -1 for any other key.
int Neighbour(int number, int key) {
  int next = 0;
  switch (key) {
    case Qt::Key_Left:
      next = number - 1;
      break;
    case Qt::Key_Right:
      next = number + 1;
      break;
    case Qt::Key_Up:
      next = number - kColumns;
      break;
    case Qt::Key_Down:
      next = number + kColumns;
      break;
    default:
      return -1;
  }
  return next >= kLowestNumber && next <= kHighestNumber ? next : 0;
}

}  // namespace

NumberButtons::NumberButtons(const QString& name, const QString& buttonPrefix, QWidget* parent)
    : QGroupBox(tr("Numbers"), parent) {
  setObjectName(name);
  auto* grid = new QGridLayout(this);
  grid->setSpacing(4);
  for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
    auto* button = new QPushButton(QString::number(n), this);
    button->setObjectName(buttonPrefix + QString::number(n));
    button->setProperty("picked", false);
    button->setFixedSize(40, 32);
    // The grid is one stop of the tab chain; arrow keys move within it.
    button->setFocusPolicy(n == kLowestNumber ? Qt::TabFocus : Qt::NoFocus);
    button->setAccessibleName(SpokenNumber(n, false));
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, [this, n] { emit NumberClicked(n); });
    grid->addWidget(button, (n - 1) / kColumns, (n - 1) % kColumns);
    buttons_[n] = button;
  }
  SetButtonDescription({});
  // Colours from the palette only, so that a dark theme shows the picks too.
  setStyleSheet(
      "QPushButton { border: 1px solid palette(mid); border-radius: 6px; "
      "background: palette(button); color: palette(button-text); font-weight: bold; }"
      "QPushButton:hover { background: palette(midlight); }"
      "QPushButton:disabled { color: palette(mid); background: palette(window); }"
      "QPushButton[picked=\"true\"] { background: palette(highlight); "
      "color: palette(highlighted-text); border: 2px solid palette(window-text); }"
      // The keyboard's number: a thick frame, unlike the hover's shade, and on a
      // picked number in the colour of its text.
      "QPushButton:focus { border: 3px solid palette(highlight); }"
      "QPushButton[picked=\"true\"]:focus { border: 3px dashed palette(highlighted-text); }");
}

void NumberButtons::SetButtonDescription(const QString& description) {
  QString said = tr("Space picks or unpicks the number, the arrow keys move through the grid");
  if (!description.isEmpty()) said += ", " + description;
  for (int n = kLowestNumber; n <= kHighestNumber; ++n) buttons_[n]->setAccessibleDescription(said);
}

bool NumberButtons::IsPicked(int number) const {
  return buttons_[number]->property("picked").toBool();
}

void NumberButtons::SetPicked(int number, bool picked) {
  QPushButton* button = buttons_[number];
  if (IsPicked(number) == picked) return;
  button->setProperty("picked", picked);
  button->setAccessibleName(SpokenNumber(number, picked));
  button->style()->unpolish(button);
  button->style()->polish(button);
}

std::vector<int> NumberButtons::Picked() const {
  std::vector<int> picked;
  for (int n = kLowestNumber; n <= kHighestNumber; ++n)
    if (IsPicked(n)) picked.push_back(n);
  return picked;
}

void NumberButtons::ShowPicked(const std::vector<int>& numbers) {
  for (int n = kLowestNumber; n <= kHighestNumber; ++n)
    SetPicked(n, std::find(numbers.begin(), numbers.end(), n) != numbers.end());
}

void NumberButtons::UnpickAll() {
  ShowPicked({});
}

void NumberButtons::SetNumbersEnabled(bool enabled) {
  for (int n = kLowestNumber; n <= kHighestNumber; ++n) buttons_[n]->setEnabled(enabled);
}

int NumberButtons::NumberOf(const QObject* button) const {
  const auto found = std::find(buttons_.begin() + kLowestNumber, buttons_.end(), button);
  return found == buttons_.end() ? 0 : static_cast<int>(found - buttons_.begin());
}

// The focused number is the grid's one tab stop, so Tab and Shift+Tab come
// back to the number last used.
void NumberButtons::MakeTabStop(int number) {
  for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
    buttons_[n]->setFocusPolicy(n == number ? Qt::TabFocus : Qt::NoFocus);
  }
}

bool NumberButtons::eventFilter(QObject* watched, QEvent* event) {
  const int number = NumberOf(watched);
  if (number == 0) return QGroupBox::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) break;
      emit NumberRightClicked(number);
      return true;
    case QEvent::ContextMenu:  // the menu key stands in for the right click
      if (static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Keyboard) break;
      emit NumberRightClicked(number);
      return true;
    case QEvent::FocusIn:
      MakeTabStop(number);
      break;
    case QEvent::KeyPress:
      if (const int next = Neighbour(number, static_cast<QKeyEvent*>(event)->key()); next >= 0) {
        if (next > 0 && buttons_[next]->isEnabled()) buttons_[next]->setFocus(Qt::TabFocusReason);
        return true;
      }
      break;
    default:
      break;
  }
  return QGroupBox::eventFilter(watched, event);
}

}  // namespace bw::ui
