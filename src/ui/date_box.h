// SPDX-License-Identifier: GPL-3.0-or-later
// A date field that takes a date typed as it is written (dd/mm/yyyy,
// d/m/yyyy, dd.mm.yyyy, dd-mm-yyyy) wherever it was clicked, keeps the arrow
// keys and the calendar of a date box (F4 and Alt+Down open it), and says why
// a typed text was not taken. A screen reader reads it as a spin button.
#pragma once

#include <QDateEdit>
#include <optional>

namespace bw::ui {

class DateBox : public QDateEdit {
  Q_OBJECT
 public:
  explicit DateBox(QWidget* parent);

  // Opens the calendar under the field.
  void OpenCalendar();

 signals:
  // Why the text typed was not taken as it stands; empty once a date is taken.
  void Hint(const QString& why);
  // Return or Enter was pressed on a date.
  void Entered();

 protected:
  QValidator::State validate(QString& input, int& position) const override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Tab leaves the field, as in every other field, instead of walking its parts.
  bool focusNextPrevChild(bool next) override;

 private:
  void Type(const QString& text);
  void ShowTyped();
  // Takes the typed date; false (and a hint) when it is not a date.
  bool TakeTyped();
  void DropTyped();

  std::optional<QString> typed_;  // the text typed since the last date taken
};

// A date typed as d/m/yyyy with "/", "." or "-" between the parts.
std::optional<QDate> ParseTypedDate(const QString& text);

}  // namespace bw::ui
