// SPDX-License-Identifier: GPL-3.0-or-later
// The My Lines page: the lines the player keeps playing, each with its
// result over the history and in the newest draw; adding, removing,
// relabelling and reordering them; "did I win?" for the draws that came in
// since the player last looked; and the whole ticket over the years with its
// running balance.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "platform/services.h"
#include "ticket/saved_lines.h"

class QLabel;
class QLineEdit;
class QGroupBox;

namespace bw::ui {

class DataTable;
class TicketView;

// Adds lines shown elsewhere (a grid, a random line, system rows, finds) to
// the saved lines of the lottery, telling the user what became of them.
void AddToMyLines(Session& session, MessageSink& messages, const QWidget* from,
                  const std::vector<Line>& lines);

class MyLinesPage : public QWidget {
  Q_OBJECT
 public:
  MyLinesPage(Session& session, MessageSink& messages, HelpViewer& help, QWidget* parent);

  // Reads the lines file anew and shows the lines, their results and the ticket.
  void Refresh();
  // "Did I win?" for the draws after the newest one shown before (remembered
  // in the lottery's settings). Returns the newest draw's sentence, or empty
  // when there is nothing to tell (no new draw, or no saved lines).
  QString ShowNewDraws();

  DataTable& Table() const { return *table_; }
  DataTable& NewsTable() const { return *newsTable_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildEditor();
  // Runs a change of the lines under the folder's lock; tells the user why
  // it was refused, else refreshes and says `done` in the status bar.
  bool Change(const std::function<std::string(LinesBook&)>& change, const QString& done);
  // The saved line of the table's current row, if any.
  const SavedLine* CurrentLine() const;
  void SelectLine(const Line& numbers);
  // The date in the "first played" box into `since` (left as it is when the
  // box is empty); false, after telling the user, when it is not a date.
  bool TypedSince(std::optional<int32_t>& since);
  void AddTyped();
  void SetLabelAndDate();
  void ShowTicket(const std::vector<DatedDraw>& draws);

  Session& session_;
  MessageSink& messages_;
  std::vector<SavedLine> lines_;
  std::vector<std::string> reportedProblems_;
  DataTable* table_ = nullptr;
  DataTable* newsTable_ = nullptr;
  QGroupBox* news_ = nullptr;
  QLabel* newsText_ = nullptr;
  QLabel* note_ = nullptr;
  QLineEdit* numbers_ = nullptr;
  QLineEdit* label_ = nullptr;
  QLineEdit* since_ = nullptr;
  TicketView* ticket_ = nullptr;
};

}  // namespace bw::ui
