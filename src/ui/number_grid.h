// SPDX-License-Identifier: GPL-3.0-or-later
// The number panel of the General Services page: the 49 grid buttons
// cmdGetNumber1..49, the label rows lblNumber1..6 with the bonus slot
// lblNumber0 and lblNumber7..12, the Clear and Start buttons, and the three
// pick modes that fill the labels, so at most twelve numbers are picked.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <string>

#include "model/numbers.h"
#include "model/program_state.h"
#include "ui/number_buttons.h"

namespace bw::ui {

class NumberGrid : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kSlots = 13;  // lblNumber0..12

  NumberGrid(ProgramState& state, QWidget* parent);

  // One line in lblNumber7..12 (Single Line and "6 from 49").
  void GetCheckLine(int index);
  // Twelve numbers in lblNumber1..12 (Optimise).
  void GetCheckSystem(int index);
  // A draw in lblNumber1..6 and the bonus slot lblNumber0 (Update).
  void GetCheckLotto(int index);
  // Exchange sort of lblNumber(first..last) by value, empty counting as 0.
  void SortLineOption(int first, int last);

  // Unpicks every number and empties every label.
  void ClearPicks();
  // Unpicks every number; the labels keep their captions.
  void UnpickAll();
  // The title over the two label rows.
  void SetRowsTitle(const QString& title);
  // The bonus slot, for the draw of a lottery with a bonus number.
  void ShowBonusSlot(bool shown);
  void SetNumbersEnabled(bool enabled);

  QString Caption(int slot) const { return labels_[slot]->text(); }
  // The caption without its surrounding blanks, as a draw or system stores it.
  std::string TrimmedCaption(int slot) const;
  void SetCaption(int slot, const QString& caption) { labels_[slot]->setText(caption); }
  int Value(int slot) const;
  bool IsPicked(int number) const { return buttons_->IsPicked(number); }
  Line LowerRow() const;
  void ShowLowerRow(const Line& line);

  QPushButton* NumberButton(int number) const { return buttons_->Button(number); }
  QPushButton* StartButton() const { return start_; }
  QPushButton* ClearButton() const { return clear_; }

 signals:
  void NumberClicked(int number);
  void NumberRightClicked(int number);

 private:
  // The shared toggle of the line and twelve-number modes over
  // lblNumber(fillSlot..12).
  void ToggleInRange(int index, int fillSlot);
  void SetPicked(int number, bool picked) { buttons_->SetPicked(number, picked); }
  // The first of lblNumber(first..last) whose value is `number`, or -1.
  int FindSlot(int number, int first, int last) const;
  void BuildLayout();

  ProgramState& state_;
  NumberButtons* buttons_ = nullptr;
  std::array<QLabel*, kSlots> labels_{};
  QPushButton* start_ = nullptr;
  QPushButton* clear_ = nullptr;
  QGroupBox* rowsBox_ = nullptr;
  QLabel* bonusPlus_ = nullptr;
};

}  // namespace bw::ui
