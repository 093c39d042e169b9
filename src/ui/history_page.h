// SPDX-License-Identifier: GPL-3.0-or-later
// The History page: every draw of the history, newest first, in a sortable
// table filtered by a date range or by a number, and the draw picked there
// corrected, deleted, or a forgotten one inserted. Each change is saved at
// once and can be undone and redone until the window closes.
#pragma once

#include <QAction>
#include <QSpinBox>
#include <array>
#include <optional>
#include <vector>

#include "app/history_edit.h"
#include "ui/page_host.h"
#include "ui/ranged_view.h"

class QLabel;
class QPushButton;

namespace bw::ui {

class DataTable;
class DateBox;

class HistoryPage : public RangedView {
  Q_OBJECT
 public:
  HistoryPage(PageHost& host, QWidget* parent);

  QAction* UndoAction() const { return undo_; }
  QAction* RedoAction() const { return redo_; }
  DataTable& Table() const { return *table_; }
  // While a run on another page goes on, the history stays as it is.
  void AllowChanges(bool allowed);

  // The buttons, as the keyboard reaches them.
  void CorrectDraw();
  void InsertDraw();
  void DeleteDraw();
  void Undo();
  void Redo();

 signals:
  // The history changed here: the other pages count from the new draws.
  void HistoryChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The table anew from the draws in the range holding the chosen number.
  void Refill();
  // The picked draw into the edit fields.
  void ShowPicked();
  // The draw list index of the picked row, if one is.
  std::optional<std::size_t> PickedEntry() const;
  // The typed draw as a history entry, or nullopt after telling why not.
  std::optional<std::string> TypedEntry();
  // Asks what the plan asks, then saves the edit and keeps it for Undo.
  void Carry(const PlannedEdit& planned, const QString& done);
  bool Apply(const HistoryEdit& edit);
  // Undo and redo keep to the history they were made on: a change made
  // elsewhere (the Update page, an import) clears them.
  void ForgetEditsIfChangedElsewhere();
  void ShowUndoState();

  PageHost& host_;
  QSpinBox* withNumber_ = nullptr;
  DataTable* table_ = nullptr;
  QLabel* note_ = nullptr;
  DateBox* date_ = nullptr;
  std::array<QSpinBox*, 6> numbers_{};
  QSpinBox* bonus_ = nullptr;
  QLabel* bonusLabel_ = nullptr;
  QPushButton *correct_ = nullptr, *insert_ = nullptr, *delete_ = nullptr;
  QAction *undo_ = nullptr, *redo_ = nullptr;
  std::vector<HistoryEdit> done_, undone_;
  std::optional<uint64_t> known_;  // the saved history the edits were made on
  bool allowed_ = true;
};

}  // namespace bw::ui
