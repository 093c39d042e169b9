// SPDX-License-Identifier: GPL-3.0-or-later
// The Wheels page: a wheel built on the player's chosen numbers for the
// guarantee "T if M", off the GUI thread with its progress and Stop; its
// lines, its proved guarantee table, its chances over all draws and its size
// against the fewest lines possible; the lines copied, saved, printed or
// added to My Lines, and played as a ticket over a chosen range of the
// history. The numbers are picked on a grid or typed, the two kept in step.
// A wheel typed or loaded from a file is proved the same way ("Check a wheel").
#pragma once

#include <QFutureWatcher>
#include <QWidget>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/numbers.h"
#include "wheel/wheel_guarantee.h"
#include "wheel/wheel_proof.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace bw::ui {

class DataTable;
class NumberButtons;
class PageHost;
class TicketView;

// A wheel worked out off the GUI thread: proved, with its picture, or why not.
struct WheelWork {
  std::vector<int> chosen;
  WheelGuarantee guarantee;
  std::vector<Line> lines;
  WheelProof proof;
  WheelPicture picture;
  int64_t lowerBound = 0;
  bool stopped = false;
  bool checked = false;  // typed or loaded, not generated
  std::string error;
};

class WheelsPage : public QWidget {
  Q_OBJECT
 public:
  WheelsPage(PageHost& host, QWidget* parent);
  ~WheelsPage() override;

  DataTable& Lines() const { return *lines_; }
  // The lines of the wheel shown, in the order they were built.
  const std::vector<Line>& Wheel() const { return shown_; }
  // True while a generation or a check runs.
  bool Running() const { return running_; }

  void Generate();
  void Stop();
  void Check();
  void LoadWheel();

 protected:
  // Enter that no control took presses Generate, the page's default button.
  void keyPressEvent(QKeyEvent* event) override;
  // The ticket's range and balance follow draws added on other pages.
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildChoice();
  QWidget* BuildGuarantee(QWidget* parent);
  // The grid and the count follow the typed numbers.
  void ShowTypedNumbers();
  // A click on the grid picks or unpicks the number and writes the picks
  // into the field, ascending.
  void ToggleNumber(int number);
  QWidget* BuildCheck();
  // The typed numbers ascending and the guarantee, or nullopt after telling why not.
  std::optional<std::pair<std::vector<int>, WheelGuarantee>> Request();
  // Proves the rows as a wheel on the typed numbers; `source` names them in messages.
  void Prove(const std::vector<std::string>& rows, const std::string& source);
  void Run(std::function<WheelWork()> work);
  void Finished();
  void Show(const WheelWork& work);
  void ShowTicket();
  void Print();
  std::vector<Line> PickedLines() const;
  void Refuse(const std::string& text);

  PageHost& host_;
  QLineEdit* numbers_ = nullptr;
  NumberButtons* grid_ = nullptr;
  QLabel* pickedCount_ = nullptr;
  QPushButton* clearPicks_ = nullptr;
  QSpinBox* t_ = nullptr;
  QSpinBox* m_ = nullptr;
  QPushButton* generate_ = nullptr;
  QPushButton* stop_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QLabel* size_ = nullptr;
  DataTable* lines_ = nullptr;
  DataTable* guarantee_ = nullptr;
  QLabel* chances_ = nullptr;
  QPlainTextEdit* checkText_ = nullptr;
  QLabel* checkNote_ = nullptr;
  TicketView* ticket_ = nullptr;
  std::vector<Line> shown_;
  std::atomic<bool> stopFlag_{false};
  bool running_ = false;  // until its result is shown
  QFutureWatcher<WheelWork> watcher_;
};

}  // namespace bw::ui
