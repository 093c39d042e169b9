// SPDX-License-Identifier: GPL-3.0-or-later
// The lottery profile dialog (frmDatabase): choose, create or switch a
// lottery and edit its stake and average returns.
#pragma once

#include <array>
#include <string>

#include <QDialog>

#include "app/session.h"
#include "platform/messages.h"
#include "platform/services.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace bw::ui {

// A lottery name takes, on Windows-1252 key codes, backspace, letters (also
// the accented letters of the code page), "-" and space.
bool IsNameKey(int keyCode);

// The Windows-1252 code of the first character typed (63 "?" for characters
// the code page lacks), or -1 when nothing was typed.
int Windows1252KeyCode(const QString& typed);

class LotteryDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens on the current lottery (the first listed one when there is none
  // yet); the list holds the lotteries of the program folder sorted by name.
  LotteryDialog(Session& session, MessageSink& messages, HelpViewer& help, QWidget* parent);

  void cmdSave_Click();
  void cmdCancel_Click();
  // Escape and the window's close button cancel as well.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  void Form_Load();
  void FillList();
  void SelectCurrentLottery();
  void SelectEntry(int index);
  void ShowValues(const LotterySettings& settings);
  void SelectBonus(bool useBonus);
  void Combo1_KeyPress();
  void RefuseName();
  void RefuseAmount();
  // Why the text that came was refused, under its field; empty hides it.
  void ShowRefusal(QLabel* hint, const QString& why);
  void Combo1_Change(const QString& text);
  void Combo1_Click();
  void Value_Change();
  bool CreateNewLottery();
  // Reads the six boxes into the settings; false (with the message and the
  // focus in the first bad box) when one is not above 0.
  bool ReadValues();
  void cmdCreateFromFile_Click();
  std::string ComboText() const;

  Session& session_;
  MessageSink& messages_;
  HelpViewer& help_;

  QLabel* label7_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QLabel* nameHint_ = nullptr;         // why a character was refused in the name
  QLabel* valueHint_ = nullptr;        // and in an amount
  std::array<QLineEdit*, 6> boxes_{};  // stake, 3, 4, 5, 5+bonus, 6
  QRadioButton* optBonus0_ = nullptr;
  QRadioButton* optBonus1_ = nullptr;
  QPushButton* cmdSave_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QPushButton* cmdHelp_ = nullptr;
  QPushButton* cmdCreateFromFile_ = nullptr;

  bool loadingList_ = false;
  std::string typedName_;
  std::string savedLottoFile_;
  LotterySettings savedSettings_;
};

}  // namespace bw::ui
