// A stand-in for the main window in page and dialog tests: a session over
// the demo lottery in a test folder, scripted message answers, a seeded
// clock, recorded help topics and print jobs, and a hook that runs while a
// long operation lets events run.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/session.h"
#include "platform/system_services.h"
#include "print/reports.h"
#include "support/test_folder.h"
#include "ui/page_host.h"

namespace bw::fakehost {

using test::TestFolder;

// Copies the demo lottery (history, its settings and the program settings)
// into the folder.
void PlaceDemoLottery(const TestFolder& folder);

// Records every message; answers questions from a script (Yes when the
// script is empty) and counts beeps.
class ScriptedMessages : public MessageSink {
 public:
  MessageAnswer Show(const Message& message) override;
  void Beep() override { ++beeps; }
  std::vector<Message> shown;
  std::deque<MessageAnswer> answers;
  int beeps = 0;
};

// Seeds that count up from 1, so dealt sets repeat from run to run.
class CountingClock : public Clock {
 public:
  int32_t TodayDayNumber() override { return 46000; }
  uint64_t SeedFromClock() override { return ++lastSeed; }
  uint64_t lastSeed = 0;
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

class FakePageHost : public ui::PageHost {
 public:
  // A session over the folder's current lottery, its history loaded.
  explicit FakePageHost(const std::filesystem::path& folder);

  Session& GetSession() override { return session; }
  MessageSink& Messages() override { return messages; }
  EventPump& Events() override { return events; }
  RandomSource& Random() override { return random; }
  HelpViewer& Help() override { return help; }
  std::unique_ptr<PrintSurface> OpenPrintJob(const std::string& what) override;
  void SetTabsEnabled(bool enabled) override { tabLocks.push_back(enabled); }
  std::array<std::string, 13>& SelectedNumbers() override { return selected; }
  std::array<int, 3>& ChosenLines() override { return chosen; }
  SingleLineResult CheckLineOnPanel(const Line& line) override;
  void ShowLineOptimiser() override;

  ScriptedMessages messages;
  CountingClock clock;
  Session session;
  HookedEvents events;
  MersenneRandom random;
  RecordingHelp help;
  std::array<std::string, 13> selected{};
  std::array<int, 3> chosen{};
  std::vector<bool> tabLocks;
  std::vector<Line> checkedLines;
  // Called after the numbers are sorted and their text built (entering the
  // Line Optimiser page).
  std::function<void()> onShowLineOptimiser;
  int optimiserShown = 0;
  // Every print job writes into this one recording.
  RecordingSurface printed;
  std::vector<std::string> printJobs;
};

// The display text of the twelve numbers after sorting them ("3-8-11-...").
void SortSelectedNumbers(std::array<std::string, 13>& selected);

}  // namespace bw::fakehost
