// SPDX-License-Identifier: GPL-3.0-or-later
// The Random Line Finder page: eight dealt lines with their result rows; two
// picked lines go to the Line Optimiser.
#pragma once

#include <array>

#include <QWidget>

#include "ui/page_host.h"

class QLabel;
class QPushButton;

namespace bw::ui {

class RandomFinderPage : public QWidget {
  Q_OBJECT
 public:
  RandomFinderPage(PageHost& host, QWidget* parent);
  // Entering the page from the tab strip (after ChosenLines and
  // NextNumberSlot are reset): the guidance text, the line buttons and
  // cmdContinue enabled.
  void Enter();

  // Start / Stop / New Set: deals and checks a new set, or stops the one
  // being made.
  void cmdContinue_Click();
  // Picks line 1..8; the second pick moves to the Line Optimiser.
  void cmdLine_Click(int index);

 private:
  struct ResultRow {
    QLabel* three;
    QLabel* four;
    QLabel* five;
    QLabel* fivePlus;
    QLabel* six;
    QLabel* digit;
    QLabel* ret;
  };

  void BuildLayout();
  void ResetPicks();
  void ResetResultRow(int line);
  void ShowResult(int line, const SingleLineResult& result);
  void MakeNewSet();
  void ShowDealtNumbers();
  void CheckDealtLines();
  Line DealtLine(int line) const;
  void EnableLineButtons(bool enabled);
  bool IsMakingSet() const;

  PageHost& host_;
  std::array<QLabel*, 50> lblRandom_{};    // 1..49
  std::array<QPushButton*, 9> cmdLine_{};  // 1..8
  std::array<ResultRow, 9> rows_{};        // 1..8
  QLabel* lblSpeech_ = nullptr;
  QPushButton* cmdContinue_ = nullptr;
  QPushButton* cmdHelpRandom_ = nullptr;
  int nextNumberSlot_ = 1;
};

}  // namespace bw::ui
