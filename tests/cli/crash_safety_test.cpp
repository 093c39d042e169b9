// A command killed at any moment of its work loses nothing: after the next
// start the history is the old one or the new one, complete, and every count
// equals what a clean rebuild of the index shows.
#ifndef _WIN32  // a kill mid-way needs fork
#include <chrono>
#include <csignal>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli_support.h"
#include "platform/file_system.h"

namespace bw::test {
namespace {

namespace fs = std::filesystem;

const std::string kAdded = "06/12/2026 03 11 17 25 38 44 09";
// Both read the index (the counting tables are built from the draws at each start).
const std::vector<std::string> kQuestions = {"check 3 11 17 25 38 44",
                                             "search --lines 3 --from 3 11 17 25 38 43"};

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

class KilledCommand : public ::testing::Test {
 protected:
  KilledCommand() {
    for (const char* name : {"vomrix.ini", "Sample.ini", "Sample.opt"}) folder_.CopyDemo(name);
    // The newest 200 draws keep each rebuild after a kill short.
    const std::string demo = folder_.Read("Sample.opt");
    std::size_t from = demo.size() - 1;
    for (int lines = 0; lines <= 200; ++lines) from = demo.rfind('\n', from - 1);
    folder_.Write("Sample.opt", demo.substr(from + 1));
    RunIn(folder_, "check 1 2 3 4 5 6");  // the first start builds the index
    before_ = folder_.Files();
    const std::string old = folder_.Read("Sample.opt");
    for (const std::string& history : {old, old + kAdded + "\r\n"})
      clean_[history] = CleanAnswers(history);
  }

  // Runs `add` in a child process; `killAt` runs in the child (given 0), then
  // here (given the child). True when the add was killed.
  bool AddKilled(const std::function<void(pid_t)>& killAt) {
    const pid_t child = InChild([&] {
      killAt(0);
      return RunIn(folder_, "add " + kAdded).code;
    });
    killAt(child);
    return ExitCodeOf(child) == -1;
  }

  void ExpectOldOrNewAndCountsOfACleanBuild() {
    const std::string answers = Answers(folder_);  // the next start
    const auto clean = clean_.find(folder_.Read("Sample.opt"));
    ASSERT_NE(clean, clean_.end()) << "neither the old nor the new history";
    EXPECT_EQ(answers, clean->second);
  }

  void RestoreFolder() {
    fs::remove_all(folder_.Path());
    fs::create_directories(folder_.Path());
    for (const auto& [name, bytes] : before_) folder_.Write(name, bytes);
  }

  TestFolder folder_;
  std::map<std::string, std::string> before_;  // the folder before the add
  std::map<std::string, std::string> clean_;   // each history, its clean answers
};

TEST_F(KilledCommand, AnAddKilledBeforeAnyOfItsFileChangesLosesNothing) {
  int n = 1;
  for (;; ++n) {
    SCOPED_TRACE("killed before change " + std::to_string(n));
    const bool killed = AddKilled([n](pid_t child) {
      if (child != 0) return;
      SetFileChangeHook([n, count = 0](FileChange, const fs::path&) mutable {
        if (++count == n) raise(SIGKILL);
        return std::error_code();
      });
    });
    ExpectOldOrNewAndCountsOfACleanBuild();
    if (!killed) break;
    RestoreFolder();  // the next kill starts from the old history again
  }
  EXPECT_GT(n, 5);
}

TEST_F(KilledCommand, AnAddKilledAtRandomMomentsLosesNothing) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 12; ++round) {
    const auto delay = std::chrono::microseconds(random() % 40000);
    SCOPED_TRACE("killed after " + std::to_string(delay.count()) + " us");
    AddKilled([delay](pid_t child) {
      if (child == 0) return;
      std::this_thread::sleep_for(delay);
      kill(child, SIGKILL);
    });
    ExpectOldOrNewAndCountsOfACleanBuild();
    RestoreFolder();
  }
}

// A disk that fills while the index is built: no count is shown from the
// part written, and the next start with room builds it whole.
TEST_F(KilledCommand, AnIndexBuiltOnAFullDiskShowsNoCount) {
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

}  // namespace
}  // namespace bw::test
#endif
