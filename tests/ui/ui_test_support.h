// SPDX-License-Identifier: GPL-3.0-or-later
// The main window over a lottery in its own test folder, with scripted
// messages, a fixed clock, recorded help topics, print jobs and lottery
// dialog calls, and helpers to drive controls by objectName.
#pragma once

#include <QtTest>
#include <QtWidgets>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/session.h"
#include "platform/system_services.h"
#include "support/test_folder.h"
#include "ui/chart_panel.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "ui/tab_strip.h"

namespace bw::uitest {

using test::TestFolder;
using ui::ChoiceTab;
using ui::MainTab;

// The date range of the history, as the window shows it.
inline const QString kRecorded = "Recorded Database Entries\r\nFrom: %1\r\nTo: %2";
inline const std::filesystem::path kDemoHelp =
    std::filesystem::path(BALLWRIGHT_DEMO_DIR) / "vomrix.HLP";

// Writes lottery "Test": the history lines joined by CR LF and the settings.
void WriteLottery(const TestFolder& folder, const std::vector<std::string>& history,
                  const std::string& settings);
// Twenty draws: 1 2 3 in nine of them, 4 5 6 in five, 7 8 9 in four, each
// with fillers no test line uses. With ret3 = 1 a line of a triple and
// 46 47 48 makes 45, 25 or 20 percent.
std::vector<std::string> TripleHistory();

// Records every message; answers questions from a script (Yes when empty).
class ScriptedMessages : public MessageSink {
 public:
  MessageAnswer Show(const Message& message) override;
  void Beep() override {}
  std::vector<Message> shown;
  std::deque<MessageAnswer> answers;
  // Set: each message also opens as a real message box; this runs while the
  // box is open, then Enter closes it.
  std::function<void()> whileBoxOpen;
};

// A fixed day and seeds counting up from 1.
class CountingClock : public Clock {
 public:
  int32_t TodayDayNumber() override { return 46000; }
  uint64_t SeedFromClock() override { return ++lastSeed_; }

 private:
  uint64_t lastSeed_ = 0;
};

class RecordingHelp : public HelpViewer {
 public:
  void ShowTopic(int contextNumber) override { topics.push_back(contextNumber); }
  void Close() override { ++closed; }
  std::vector<int> topics;
  int closed = 0;
};

// Lets Qt events run, then calls the test's hook (a Stop click, say).
class HookedEvents : public EventPump {
 public:
  void LetEventsRun() override;
  std::function<void()> hook;
  int calls = 0;
};

struct PrintJob {
  std::string what, text;  // the text once the job has ended
};

class WindowRig {
 public:
  // Over its own empty folder, or over another folder.
  explicit WindowRig(const std::filesystem::path& other = {})
      : session(other.empty() ? folder.Path() : other, messages, clock) {}
  // The start procedure after the instance check: the program settings,
  // then the window and its initialisation. Returns Initialize()'s result.
  bool Start();
  // Start() over a copy of the demo lottery, or over lottery "Test".
  bool StartDemo();
  bool StartTest(const std::string& settings,
                 const std::vector<std::string>& history = TripleHistory()) {
    WriteLottery(folder, history, settings);
    return Start();
  }
  ui::MainWindow& Window() { return *window; }
  // Shows the window as the active one, laid out as on screen.
  bool Show();
  // The last message shown, and the titles of all joined by "|".
  const Message& Last() const { return messages.shown.back(); }
  QString Titles() const;

  TestFolder folder;
  ScriptedMessages messages;
  CountingClock clock;
  HookedEvents events;
  MersenneRandom random;
  RecordingHelp help;
  Session session;
  // What the lottery dialog does when it is shown (nothing by default).
  std::function<void(ProgramState&)> dialogAction;
  int dialogShown = 0;
  std::vector<PrintJob> printJobs;  // each also written as "<what>.pdf" in the folder
  std::vector<std::string> openedFolders;
  std::unique_ptr<ui::MainWindow> window;
};

// Tests that each start on the demo lottery's window, shown and active.
class DemoWindowTest : public QObject {
  Q_OBJECT

 protected:
  std::unique_ptr<WindowRig> rig_;
  ui::MainWindow* w_ = nullptr;

 private slots:
  void init();
  void cleanup() { rig_.reset(); }
};

// The child with that objectName; a missing one ends the test program.
template <class T = QWidget>
T& Child(const QObject& root, const QString& name) {
  T* child = root.findChild<T*>(name);
  if (!child) qFatal("no control named %s", qPrintable(name));
  return *child;
}
QString Caption(const QWidget& root, const QString& name);
inline bool Enabled(const QWidget& root, const QString& name) {
  return Child(root, name).isEnabled();
}
// Clicks a control as the user would (a disabled one ignores the click).
void Click(const QWidget& root, const QString& name);
void Trigger(const QWidget& root, const QString& menuItem);
// Chooses a tab as the user would: false when it cannot be selected.
inline bool ChooseTab(ui::TabStrip& strip, int index) {
  if (!strip.IsTabSelectable(index)) return false;
  strip.setCurrentIndex(index);
  return true;
}
void PickDate(const QWidget& root, const QDate& date);
// Clicks into the date box (in its day part) and types the text as a person
// does, then `end` (Return, Tab, or nothing with Qt::Key_unknown).
void TypeDate(const QWidget& root, const QString& box, const QString& text,
              Qt::Key end = Qt::Key_Return);
inline void TypeDate(const QWidget& root, const QString& box, const QDate& date) {
  TypeDate(root, box, date.toString("dd/MM/yyyy"));
}
inline void PickNumbers(const QWidget& root, const std::vector<int>& numbers) {
  for (int number : numbers) Click(root, QStringLiteral("cmdGetNumber%1").arg(number));
}
// Picks the numbers and clicks Check (or Update, or Start).
inline void CheckLine(const QWidget& root, const std::vector<int>& numbers) {
  PickNumbers(root, numbers);
  Click(root, "cmdCheckUpdate");
}
// Runs `check` on every page of the window, and on every choice of General
// Services (the Line Optimiser shown as the Optimise page hands it numbers).
void ForEachPage(ui::MainWindow& window, const std::function<void()>& check);
// Runs `open`, which brings up a file dialog, and answers it: types `name`
// and presses Enter, or cancels when `name` is empty. Returns the name the
// dialog proposed, or kNoFileDialog.
inline const QString kNoFileDialog = "(no file dialog)";
QString AnswerFileDialog(const std::function<void()>& open, const QString& name = {},
                         QString* folder = nullptr);
// Runs a script of a user's actions in `root`: "@Name" clicks that control,
// "@Name=item" picks the item from that combo box's open list, "<Key>"
// presses a key (as QKeySequence names it), any other text is typed key by
// key; keys go to the focus widget. `beforeEach` runs before each step.
void RunScript(QWidget& root, const QString& script, const std::function<void()>& beforeEach);
// The page in the help window, or null when no help window is open.
QTextBrowser* HelpPage();
// The rows of a list or combo box, top to bottom.
QStringList Items(const QWidget& root, const QString& name);
// With BALLWRIGHT_PICTURES set to a folder (scripts/pictures.sh), the
// README's pictures of the window are taken on the way; false when one could
// not be saved.
bool TakePicture(QWidget& window, const char* name);
// Captions of <prefix>first..last joined by "|".
QString Row(const QWidget& root, int first, int last, const QString& prefix = "lblNumber");
// What a screen reader says of the control.
QString Spoken(const QWidget& root, const QString& name,
               QAccessible::Text kind = QAccessible::Name);

// Clicks a table's column heading; a column's values as numbers.
void ClickHeading(QTableWidget& table, int column);
QList<double> Column(const QTableWidget& table, int column);
// What a reader of a chart in view misses: a label cut or left out, a bar
// under 3 device pixels, ticks between round values.
QStringList ChartFaults(ui::ChartPanel& panel);
// The pages of each PDF file in the folder (-1 for a file that is no PDF).
std::vector<int> PdfPages(const TestFolder& folder);

// Real message boxes, answered by a click from a script as they come up;
// beeps are counted instead of sounded.
class AnsweredBoxes : public ui::QtMessageSink {
 public:
  AnsweredBoxes();
  void Beep() override { ++beeps; }
  QString answers;   // Yes (y), No (n) or Ok (o) for each box in turn
  QStringList seen;  // "title|text" of each box
  int beeps = 0;

 private:
  void AnswerOpenBox();
  QTimer poll_;
};

}  // namespace bw::uitest
