// SPDX-License-Identifier: GPL-3.0-or-later
// The 49 number buttons in seven rows of seven, picked or not, in the
// palette's colours. They speak as "Number 17, picked" and are one tab stop,
// walked with the arrow keys. What a click does is the owner's: the grid
// only tells which number was clicked and shows what is picked.
#pragma once

#include <QGroupBox>
#include <QPushButton>
#include <array>
#include <vector>

namespace bw::ui {

class NumberButtons : public QGroupBox {
  Q_OBJECT
 public:
  // The box is named `name`, its buttons `buttonPrefix` + 1..49.
  NumberButtons(const QString& name, const QString& buttonPrefix, QWidget* parent);

  QPushButton* Button(int number) const { return buttons_[number]; }
  bool IsPicked(int number) const;
  void SetPicked(int number, bool picked);
  // The picked numbers, ascending.
  std::vector<int> Picked() const;
  // Picks exactly `numbers` (those outside 1..49 are passed over).
  void ShowPicked(const std::vector<int>& numbers);
  void UnpickAll();
  void SetNumbersEnabled(bool enabled);
  // What a screen reader says a button does, beyond picking and moving.
  void SetButtonDescription(const QString& description);

 signals:
  void NumberClicked(int number);
  // A right click, or the menu key on the focused number.
  void NumberRightClicked(int number);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // 1..49 for a number button, else 0.
  int NumberOf(const QObject* button) const;
  void MakeTabStop(int number);

  std::array<QPushButton*, 50> buttons_{};  // 1..49
};

}  // namespace bw::ui
