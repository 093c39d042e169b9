// The main window over a lottery in a test folder, with scripted messages,
// a fixed clock, recorded help topics, print jobs and lottery dialog calls,
// and helpers to find controls by objectName and to read their captions.
#pragma once

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QDate>
#include <QLabel>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/session.h"
#include "platform/system_services.h"
#include "print/reports.h"
#include "support/test_folder.h"
#include "ui/fake_host_support.h"
#include "ui/main_window.h"

namespace bw::uitest {

using fakehost::CountingClock;
using fakehost::HookedEvents;
using fakehost::RecordingHelp;
using fakehost::ScriptedMessages;
using test::TestFolder;

// A history line "dd/mm/yyyy 01 02 03 10 30 40" (plus " bb" for a bonus).
std::string DrawLine(const std::string& date, const Line& numbers, int bonus = 0);

// Writes a lottery "Test" (Test.opt, Test.ini, vomrix.ini) into the folder:
// the history lines joined by CR LF, and the settings as written.
void WriteLottery(const TestFolder& folder, const std::vector<std::string>& history,
                  const std::string& settings);

// Twenty draws: 1 2 3 in nine of them, 4 5 6 in five, 7 8 9 in four, each
// with three fillers from 10..44 that no test line uses. With ret3 = 1 a
// line of a triple and 46 47 48 makes 45, 25 or 20 percent.
std::vector<std::string> TripleHistory();

struct PrintJob {
  std::string what;
  std::unique_ptr<RecordingSurface> surface;
};

class WindowRig {
 public:
  explicit WindowRig(const TestFolder& folder);

  // The start procedure after the instance check: the program settings,
  // then the window and its initialisation. Returns Initialize()'s result.
  bool Start();
  ui::MainWindow& Window() { return *window; }

  ScriptedMessages messages;
  CountingClock clock;
  HookedEvents events;
  MersenneRandom random;
  RecordingHelp help;
  Session session;
  // What the lottery dialog does when it is shown (nothing by default).
  std::function<void(ProgramState&)> dialogAction;
  int dialogShown = 0;
  std::vector<PrintJob> printJobs;
  std::unique_ptr<ui::MainWindow> window;
};

// The child of `root` with that objectName; a missing one ends the test
// program (a misspelt name is a fault of the test).
template <class T = QWidget>
T& Child(const QWidget& root, const QString& name) {
  T* child = root.findChild<T*>(name);
  if (!child) qFatal("no control named %s", qPrintable(name));
  return *child;
}

// The caption of a label or button.
QString Caption(const QWidget& root, const QString& name);
// Clicks a control as the user would (a disabled one ignores the click).
void Click(const QWidget& root, const QString& name);
// Chooses a tab as the user would: false when the tab cannot be selected.
bool ChooseTab(ui::TabStrip& strip, int index);
// Clicks a day of the Update page's calendar.
void PickDate(const QWidget& root, const QDate& date);
// Left-clicks the grid numbers in order.
void PickNumbers(const QWidget& root, const std::vector<int>& numbers);
// Captions of lblNumber(first..last) joined by "|".
QString NumberRow(const QWidget& root, int first, int last);

}  // namespace bw::uitest
