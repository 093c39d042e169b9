// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/number_grid.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace bw::ui {
namespace {

constexpr int kLineFirst = 7;  // lblNumber7..12: the line
constexpr int kLineLast = 12;
constexpr int kBonusSlot = 0;

QLabel* MakeNumberLabel(int slot, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QStringLiteral("lblNumber%1").arg(slot));
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(13);
  font.setBold(true);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  label->setMinimumSize(38, 32);
  label->setFrameShape(QFrame::StyledPanel);
  label->setProperty("bonus", slot == kBonusSlot);
  return label;
}

}  // namespace

NumberGrid::NumberGrid(ProgramState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName("fraNumbers");
  buttons_ = new NumberButtons("fraGrid", "cmdGetNumber", this);
  buttons_->SetButtonDescription(
      tr("the menu key lists how often it was drawn together with others"));
  connect(buttons_, &NumberButtons::NumberClicked, this, &NumberGrid::NumberClicked);
  connect(buttons_, &NumberButtons::NumberRightClicked, this, &NumberGrid::NumberRightClicked);
  for (int slot = 0; slot < kSlots; ++slot) labels_[slot] = MakeNumberLabel(slot, this);
  clear_ = new QPushButton(tr("&Clear"), this);
  clear_->setObjectName("cmdClear");
  start_ = new QPushButton(tr("&Start"), this);
  start_->setObjectName("cmdCheckUpdate");
  start_->setEnabled(false);
  start_->setDefault(true);
  BuildLayout();
}

void NumberGrid::BuildLayout() {
  auto* picked = new QGroupBox(tr("Selected Numbers"), this);
  picked->setObjectName("fraSelected");
  rowsBox_ = picked;
  // The bonus slot is told apart by its dashed border, not only a shade.
  picked->setStyleSheet(
      "QLabel { background: palette(base); color: palette(text); border: 1px solid palette(mid); "
      "border-radius: 4px; }"
      "QLabel[bonus=\"true\"] { background: palette(alternate-base); "
      "border: 2px dashed palette(text); }");
  auto* rows = new QGridLayout(picked);
  rows->setSpacing(4);
  for (int k = 1; k <= 6; ++k) {
    rows->addWidget(labels_[k], 0, k - 1);
    rows->addWidget(labels_[6 + k], 1, k - 1);
  }
  bonusPlus_ = new QLabel("+", picked);
  bonusPlus_->setStyleSheet("border: none; background: transparent; color: palette(window-text);");
  rows->addWidget(bonusPlus_, 0, 6, Qt::AlignCenter);
  rows->addWidget(labels_[kBonusSlot], 0, 7);
  ShowBonusSlot(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(clear_);
  buttons->addStretch();
  start_->setMinimumWidth(110);
  buttons->addWidget(start_);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(buttons_);
  column->addWidget(picked);
  column->addLayout(buttons);
}

std::string NumberGrid::TrimmedCaption(int slot) const {
  return std::string(TrimBlanks(Caption(slot).toStdString()));
}

int NumberGrid::Value(int slot) const {
  return LeadingNumber(Caption(slot).toStdString());
}

Line NumberGrid::LowerRow() const {
  Line line{};
  for (int k = 0; k < 6; ++k) line[k] = Value(kLineFirst + k);
  return line;
}

void NumberGrid::ShowLowerRow(const Line& line) {
  for (int k = 0; k < 6; ++k) SetCaption(kLineFirst + k, QString::number(line[k]));
}

int NumberGrid::FindSlot(int number, int first, int last) const {
  for (int slot = first; slot <= last; ++slot) {
    if (Value(slot) == number) return slot;
  }
  return -1;
}

void NumberGrid::ToggleInRange(int index, int fillSlot) {
  start_->setEnabled(false);
  if (!IsPicked(index)) {
    if (Caption(fillSlot).isEmpty()) {  // the range is not full yet
      SetPicked(index, true);
      SetCaption(fillSlot, QString::number(index));
    }
    SortLineOption(fillSlot, kLineLast);
    if (!Caption(fillSlot).isEmpty()) start_->setEnabled(true);
    return;
  }
  const int slot = FindSlot(index, fillSlot, kLineLast);
  if (slot >= 0) {
    SetPicked(index, false);
    SetCaption(slot, QString());
  }
  SortLineOption(fillSlot, kLineLast);
}

void NumberGrid::GetCheckLine(int index) {
  ToggleInRange(index, kLineFirst);
  state_.stopRequested = false;
}

void NumberGrid::GetCheckSystem(int index) {
  ToggleInRange(index, 1);
}

void NumberGrid::GetCheckLotto(int index) {
  start_->setEnabled(false);
  const bool useBonus = state_.settings.useBonus;
  if (!IsPicked(index)) {
    if (Caption(1).isEmpty()) {
      SetPicked(index, true);
      SetCaption(1, QString::number(index));
    } else if (useBonus && Caption(kBonusSlot).isEmpty()) {
      SetPicked(index, true);
      SetCaption(kBonusSlot, QString::number(index));
    }
    SortLineOption(1, 6);
    const bool mainFull = !Caption(1).isEmpty();
    start_->setEnabled(useBonus ? mainFull && !Caption(kBonusSlot).isEmpty() : mainFull);
    return;
  }
  const int slot = FindSlot(index, kBonusSlot, 6);
  if (slot >= 0) {
    SetPicked(index, false);
    SetCaption(slot, QString());
  }
  SortLineOption(1, 6);
}

void NumberGrid::SortLineOption(int first, int last) {
  for (int i = first; i < last; ++i) {
    for (int j = i + 1; j <= last; ++j) {
      if (Value(j) < Value(i)) {
        const QString held = Caption(i);
        SetCaption(i, Caption(j));
        SetCaption(j, held);
      }
    }
  }
}

void NumberGrid::ClearPicks() {
  UnpickAll();
  for (QLabel* label : labels_) label->clear();
}

void NumberGrid::UnpickAll() {
  buttons_->UnpickAll();
}

void NumberGrid::SetRowsTitle(const QString& title) {
  rowsBox_->setTitle(title);
}

void NumberGrid::ShowBonusSlot(bool shown) {
  bonusPlus_->setVisible(shown);
  labels_[kBonusSlot]->setVisible(shown);
}

void NumberGrid::SetNumbersEnabled(bool enabled) {
  buttons_->SetNumbersEnabled(enabled);
}

}  // namespace bw::ui
