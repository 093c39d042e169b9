// SPDX-License-Identifier: GPL-3.0-or-later
// Every writer killed at any moment of its work loses nothing: after the next
// start the history is the old one or the new one, complete, and every count
// equals what a clean rebuild of the index shows. The writers: `add`,
// `import`, the window's save of a confirmed draw (the session call the Update
// page makes, under a window's lock), a correction of a draw by `history edit`
// and the restore of a missing history.
#ifndef _WIN32  // a kill mid-way needs fork
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/session.h"
#include "cli/cli_support.h"
#include "platform/file_system.h"
#include "platform/folder_lock.h"
#include "platform/system_services.h"
#include "store/settings_files.h"

namespace bw::test {
namespace {

namespace fs = std::filesystem;

const std::string kAdded = "06/12/2026 03 11 17 25 38 44 09";
const std::string kImported[] = {"02/01/2021 01 02 03 04 05 06 07",
                                 "09/01/2021 03 11 17 25 38 43 44"};
// Both read the index (the counting tables are built from the draws at each start).
const std::vector<std::string> kQuestions = {"check 3 11 17 25 38 44",
                                             "search --lines 3 --from 3 11 17 25 38 43"};

// `history edit` puts right the numbers of the draw on this line of the history.
constexpr int kCorrectedLine = 30;
const std::string kCorrectedNumbers = " 01 02 03 04 05 06 07";

std::string CorrectedHistory(const std::string& history) {
  std::size_t at = 0;
  for (int line = 1; line < kCorrectedLine; ++line) at = history.find('\n', at) + 1;
  return history.substr(0, at + 10) + kCorrectedNumbers + history.substr(history.find('\r', at));
}

// What a start in the folder answers to the questions above.
std::string Answers(const TestFolder& folder) {
  std::string answers;
  for (const std::string& question : kQuestions) {
    const CliResult result = RunIn(folder, question);
    answers += std::to_string(result.code) + "\n" + result.out + result.err;
  }
  return answers;
}

// The answers of a fresh folder whose history is `history`.
std::string CleanAnswers(const std::string& history) {
  const TestFolder clean;
  for (const char* name : {"vomrix.ini", "Sample.ini"}) clean.CopyDemo(name);
  clean.Write("Sample.opt", history);
  return Answers(clean);
}

// The window's way of adding a draw: its own lock, marked open, then the
// session's one change path.
int AddAsTheWindowDoes(const TestFolder& folder) {
  struct Quiet : MessageSink {
    MessageAnswer Show(const Message&) override { return MessageAnswer::Ok; }
  } messages;
  SystemClock clock;
  FolderLock lock(folder.Path());
  lock.MarkWindowOpen();
  Session session(folder.Path(), messages, clock);
  session.UseFolderLock(&lock);
  session.State().lottoFile = "Sample.opt";
  ReadLotterySettings(session.State());
  session.LoadHistory();
  return session.AddDraw(kAdded + "").save == HistorySaveOutcome::Saved ? 0 : 1;
}

class KilledWriter : public ::testing::Test {
 protected:
  KilledWriter() {
    for (const char* name : {"vomrix.ini", "Sample.ini", "Sample.opt"}) folder_.CopyDemo(name);
    // The newest 60 draws keep each rebuild after a kill short.
    const std::string demo = folder_.Read("Sample.opt");
    std::size_t from = demo.size() - 1;
    for (int lines = 0; lines <= 60; ++lines) from = demo.rfind('\n', from - 1);
    folder_.Write("Sample.opt", demo.substr(from + 1));
    folder_.Write("new.csv", "2021-01-02,1,2,3,4,5,6,7\n2021-01-09,3,11,17,25,38,43,44\n");
    RunIn(folder_, "check 1 2 3 4 5 6");  // the first start builds the index
    before_ = folder_.Files();
    const std::string old = folder_.Read("Sample.opt");
    for (const std::string& history :
         {old, old + kAdded + "\r\n", old + kImported[0] + "\r\n" + kImported[1] + "\r\n",
          CorrectedHistory(old)})
      clean_[history] = CleanAnswers(history);
  }

  // The writers, each run in a child; `prepare` readies the folder first.
  struct Writer {
    const char* name;
    std::function<void(const TestFolder&)> prepare;
    std::function<int(const TestFolder&)> work;
  };
  static std::vector<Writer> Writers() {
    const auto none = [](const TestFolder&) {};
    return {
        {"add", none, [](const TestFolder& f) { return RunIn(f, "add " + kAdded).code; }},
        {"import", none,
         [](const TestFolder& f) { return RunIn(f, "import " + (f / "new.csv").string()).code; }},
        {"the window's save", none, AddAsTheWindowDoes},
        {"history edit", none,
         [](const TestFolder& f) {
           const std::string corrected = CorrectedHistory(f.Read("Sample.opt"));
           const std::size_t line = corrected.find(kCorrectedNumbers) - 10;
           return RunIn(f, "history edit " + corrected.substr(line, 10) + kCorrectedNumbers).code;
         }},
        {"a restore",
         [](const TestFolder& f) {
           fs::rename(f / "Sample.opt", f / "Sample.old");
           fs::remove(f / "Sample.dnd");
         },
         [](const TestFolder& f) { return RunIn(f, kQuestions[0]).code; }},
    };
  }

  // Runs the writer in a child; `killAt` runs in the child (given 0), then
  // here (given the child). True when the writer was killed.
  bool Killed(const Writer& writer, const std::function<void(pid_t)>& killAt) {
    writer.prepare(folder_);
    const pid_t child = InChild([&] {
      killAt(0);
      return writer.work(folder_);
    });
    killAt(child);
    return ExitCodeOf(child) == -1;
  }

  void ExpectOldOrNewAndCountsOfACleanBuild() {
    if (!folder_.Exists("Sample.opt")) {  // a restore killed before it was done
      const CliResult restoring = RunIn(folder_, "check 1 2 3 4 5 6");
      EXPECT_NE(restoring.err.find("Sample.opt was missing, so it was restored from"),
                std::string::npos)
          << restoring.err;
    }
    const std::string answers = Answers(folder_);  // the next start
    const auto clean = clean_.find(folder_.Read("Sample.opt"));
    ASSERT_NE(clean, clean_.end()) << "neither the old nor a new history";
    EXPECT_EQ(answers, clean->second);
  }

  void RestoreFolder() {
    fs::remove_all(folder_.Path());
    fs::create_directories(folder_.Path());
    for (const auto& [name, bytes] : before_) folder_.Write(name, bytes);
  }

  TestFolder folder_;
  std::map<std::string, std::string> before_;  // the folder before the writer
  std::map<std::string, std::string> clean_;   // each history, its clean answers
};

TEST_F(KilledWriter, AWriterKilledBeforeAnyOfItsFileChangesLosesNothing) {
  for (const Writer& writer : Writers()) {
    int n = 1;
    for (;; ++n) {
      SCOPED_TRACE(std::string(writer.name) + " killed before change " + std::to_string(n));
      const bool killed = Killed(writer, [n](pid_t child) {
        if (child != 0) return;
        SetFileChangeHook([n, count = 0](FileChange, const fs::path&) mutable {
          if (++count == n) raise(SIGKILL);
          return std::error_code();
        });
      });
      ExpectOldOrNewAndCountsOfACleanBuild();
      RestoreFolder();  // the next kill starts from the old history again
      if (!killed) break;
    }
    EXPECT_GT(n, 5) << writer.name;
  }
}

TEST_F(KilledWriter, AWriterKilledAtRandomMomentsLosesNothing) {
  std::mt19937 random(20261206);
  for (const Writer& writer : Writers()) {
    for (int round = 0; round < 8; ++round) {
      const auto delay = std::chrono::microseconds(random() % 40000);
      SCOPED_TRACE(std::string(writer.name) + " killed after " + std::to_string(delay.count()) +
                   " us");
      Killed(writer, [delay](pid_t child) {
        if (child == 0) return;
        std::this_thread::sleep_for(delay);
        kill(child, SIGKILL);
      });
      ExpectOldOrNewAndCountsOfACleanBuild();
      RestoreFolder();
    }
  }
}

// A disk that fills while the index is built: no count is shown from the
// part written, and the next start with room builds it whole.
TEST_F(KilledWriter, AnIndexBuiltOnAFullDiskShowsNoCount) {
  fs::remove(folder_ / "Sample.dnd");  // the next start builds the index
  SetFileChangeHook([count = 0](FileChange, const fs::path&) mutable {
    return ++count > 10 ? std::make_error_code(std::errc::no_space_on_device) : std::error_code();
  });
  const CliResult full = RunIn(folder_, kQuestions[0]);
  SetFileChangeHook({});
  EXPECT_EQ(full.code, 1);
  EXPECT_EQ(full.out, "");
  EXPECT_NE(full.err.find("could not be rebuilt"), std::string::npos) << full.err;
  EXPECT_EQ(Answers(folder_), clean_.at(folder_.Read("Sample.opt")));
}

// An import whose index could not be rebuilt afterwards says so and fails,
// though its draws were saved; the next start with room counts them.
TEST_F(KilledWriter, AnImportWhoseIndexCannotBeRebuiltSaysSo) {
  SetFileChangeHook([](FileChange change, const fs::path& file) {
    const bool index = file.filename().string().find("_Sample.opt") != std::string::npos;
    return change == FileChange::Write && index
               ? std::make_error_code(std::errc::no_space_on_device)
               : std::error_code();
  });
  const CliResult imported = RunIn(folder_, "import " + (folder_ / "new.csv").string());
  SetFileChangeHook({});
  EXPECT_EQ(imported.code, 1);
  EXPECT_NE(imported.err.find("the draws were saved"), std::string::npos) << imported.err;
  EXPECT_NE(imported.err.find("no count can be shown"), std::string::npos) << imported.err;
  ExpectOldOrNewAndCountsOfACleanBuild();
  EXPECT_NE(folder_.Read("Sample.opt").find(kImported[1]), std::string::npos);
}

}  // namespace
}  // namespace bw::test
#endif
