// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/number_grid.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace bw::ui {
namespace {

constexpr int kColumns = 7;
constexpr int kLineFirst = 7;  // lblNumber7..12: the line
constexpr int kLineLast = 12;
constexpr int kBonusSlot = 0;
constexpr char kPickedTag[] = "*";

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

QString SpokenNumber(int number, bool picked) {
  return picked ? NumberGrid::tr("Number %1, picked").arg(number)
                : NumberGrid::tr("Number %1").arg(number);
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

NumberGrid::NumberGrid(ProgramState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName("fraNumbers");
  for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
    auto* button = new QPushButton(QString::number(n), this);
    button->setObjectName(QStringLiteral("cmdGetNumber%1").arg(n));
    button->setProperty("Tag", QString());
    button->setProperty("picked", false);
    button->setFixedSize(40, 32);
    // The grid is one stop of the tab chain; arrow keys move within it.
    button->setFocusPolicy(n == kLowestNumber ? Qt::TabFocus : Qt::NoFocus);
    button->setAccessibleName(SpokenNumber(n, false));
    button->setAccessibleDescription(
        tr("Space picks or unpicks the number, the arrow keys move through the grid, the menu "
           "key lists how often it was drawn together with others"));
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, [this, n] { emit NumberClicked(n); });
    buttons_[n] = button;
  }
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
  auto* gridBox = new QGroupBox(tr("Numbers"), this);
  gridBox->setObjectName("fraGrid");
  auto* grid = new QGridLayout(gridBox);
  grid->setSpacing(4);
  for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
    grid->addWidget(buttons_[n], (n - 1) / kColumns, (n - 1) % kColumns);
  }
  // Colours from the palette only, so that a dark theme shows the picks too.
  gridBox->setStyleSheet(
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
  column->addWidget(gridBox);
  column->addWidget(picked);
  column->addLayout(buttons);
}

std::string NumberGrid::TrimmedCaption(int slot) const {
  return std::string(TrimBlanks(Caption(slot).toStdString()));
}

int NumberGrid::Value(int slot) const {
  return LeadingNumber(Caption(slot).toStdString());
}

bool NumberGrid::IsPicked(int number) const {
  return buttons_[number]->property("Tag").toString() == kPickedTag;
}

void NumberGrid::SetPicked(int number, bool picked) {
  QPushButton* button = buttons_[number];
  button->setProperty("Tag", picked ? QString(kPickedTag) : QString());
  button->setProperty("picked", picked);
  button->setAccessibleName(SpokenNumber(number, picked));
  button->style()->unpolish(button);
  button->style()->polish(button);
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
  for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
    if (IsPicked(n)) SetPicked(n, false);
  }
}

void NumberGrid::SetRowsTitle(const QString& title) {
  rowsBox_->setTitle(title);
}

void NumberGrid::ShowBonusSlot(bool shown) {
  bonusPlus_->setVisible(shown);
  labels_[kBonusSlot]->setVisible(shown);
}

void NumberGrid::SetNumbersEnabled(bool enabled) {
  for (int n = kLowestNumber; n <= kHighestNumber; ++n) buttons_[n]->setEnabled(enabled);
}

int NumberGrid::NumberOf(const QObject* button) const {
  const auto found = std::find(buttons_.begin() + kLowestNumber, buttons_.end(), button);
  return found == buttons_.end() ? 0 : static_cast<int>(found - buttons_.begin());
}

// The focused number is the grid's one tab stop, so Tab and Shift+Tab come
// back to the number last used.
void NumberGrid::MakeTabStop(int number) {
  for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
    buttons_[n]->setFocusPolicy(n == number ? Qt::TabFocus : Qt::NoFocus);
  }
}

bool NumberGrid::eventFilter(QObject* watched, QEvent* event) {
  const int number = NumberOf(watched);
  if (number == 0) return QWidget::eventFilter(watched, event);
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
  return QWidget::eventFilter(watched, event);
}

}  // namespace bw::ui
