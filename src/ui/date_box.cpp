// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/date_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "model/day_number.h"

namespace bw::ui {
namespace {

bool IsDateCharacter(QChar c) {
  return c.isDigit() || c == '/' || c == '.' || c == '-';
}

bool IsPlainKey(const QKeyEvent& event) {
  return !(event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
}

QString Shown(const QDate& date) {
  return date.toString("dd/MM/yyyy");
}

}  // namespace

std::optional<QDate> ParseTypedDate(const QString& text) {
  QString slashed = text.trimmed();
  slashed.replace('.', '/').replace('-', '/');
  const std::optional<CalendarDate> date = ParseDrawDate(slashed.toStdString());
  if (!date) return std::nullopt;
  return QDate(date->year, date->month, date->day);
}

DateBox::DateBox(QWidget* parent) : QDateEdit(parent) {
  setDisplayFormat("dd/MM/yyyy");
  setCalendarPopup(true);
  // One change when a typed date is complete, not one per digit.
  setKeyboardTracking(false);
}

void DateBox::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (IsPlainKey(*event) && text.size() == 1 && text.front().isPrint()) {
    if (IsDateCharacter(text.front())) {
      Type(text);
      return;
    }
    emit Hint(
        tr("A date is typed in digits with / . or - between them, as in %1").arg(Shown(date())));
    return;
  }
  const int key = event->key();
  if (key == Qt::Key_F4 ||
      ((key == Qt::Key_Down || key == Qt::Key_Up) && event->modifiers() & Qt::AltModifier)) {
    OpenCalendar();
    return;
  }
  if (typed_) {
    switch (key) {
      case Qt::Key_Backspace:
        typed_->chop(1);
        ShowTyped();
        return;
      case Qt::Key_Escape:
        DropTyped();
        return;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (!TakeTyped()) return;
        break;
      default:
        if (!TakeTyped()) DropTyped();
        break;
    }
  }
  QDateEdit::keyPressEvent(event);
  if (key == Qt::Key_Return || key == Qt::Key_Enter) emit Entered();
}

// Whatever part was clicked or selected, typing starts the date afresh.
void DateBox::Type(const QString& text) {
  typed_ = typed_.value_or(QString()) + text;
  ShowTyped();
}

void DateBox::ShowTyped() {
  // Unheard by the date box, which would select the part at the cursor.
  const QSignalBlocker quiet(lineEdit());
  lineEdit()->setText(*typed_);
  lineEdit()->setCursorPosition(static_cast<int>(typed_->size()));
}

bool DateBox::TakeTyped() {
  const std::optional<QDate> typed = ParseTypedDate(*typed_);
  if (!typed) {
    emit Hint(
        tr("\"%1\" is not a date: type it as dd/mm/yyyy, as in %2").arg(*typed_, Shown(date())));
    return false;
  }
  typed_.reset();
  const QDate taken = std::clamp(*typed, minimumDate(), maximumDate());
  emit Hint(taken == *typed ? QString()
                            : tr("Dates go from %1 to %2: %3 is taken")
                                  .arg(Shown(minimumDate()), Shown(maximumDate()), Shown(taken)));
  setDate(taken);
  return true;
}

// A text being typed is only read when it is complete.
QValidator::State DateBox::validate(QString& input, int& position) const {
  return typed_ ? QValidator::Intermediate : QDateEdit::validate(input, position);
}

void DateBox::DropTyped() {
  typed_.reset();
  setDate(date());  // shows the date again
}

void DateBox::focusInEvent(QFocusEvent* event) {
  QDateEdit::focusInEvent(event);
  // Tab and Shift+Tab land on the whole field, ready to type over.
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
      event->reason() == Qt::ShortcutFocusReason)
    selectAll();
}

void DateBox::focusOutEvent(QFocusEvent* event) {
  if (typed_ && !TakeTyped()) DropTyped();
  QDateEdit::focusOutEvent(event);
}

bool DateBox::focusNextPrevChild(bool next) {
  return QAbstractSpinBox::focusNextPrevChild(next);
}

// The date box opens its calendar only on a click of its arrow.
void DateBox::OpenCalendar() {
  QStyleOptionComboBox option;
  option.initFrom(this);
  option.editable = true;
  option.subControls = QStyle::SC_All;
  const QPoint arrow =
      style()
          ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this)
          .center();
  QMouseEvent press(QEvent::MouseButtonPress, arrow, mapToGlobal(arrow), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  mousePressEvent(&press);
}

}  // namespace bw::ui
