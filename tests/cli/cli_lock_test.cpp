// Commands beside another holder of the lottery folder's lock: readers share
// it, a writer waits up to 2 seconds and then refuses, and nothing is written
// while a window has the folder open.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include "cli/cli_support.h"
#include "platform/folder_lock.h"

namespace bw::test {
namespace {

const std::string kHistory =
    "10/01/2000 01 02 03 04 05 06 07\r\n17/01/2000 01 02 03 10 11 12 13\r\n";
const std::string kCheck = "check 1 2 3 4 5 6";
const std::string kAdd = "add 24/01/2000 20 21 22 23 24 25 26";
const std::string kBusy = "did not finish within 2 seconds";
const std::string kWindowOpen = "a Ballwright window has the lottery folder";

class CliLock : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteLotteries(folder_);
    folder_.Write("Tiny.opt", kHistory);
    ASSERT_EQ(Run(kCheck).code, 0);  // builds the index
  }
  CliResult Run(const std::string& words) const { return RunIn(folder_, words); }
  TestFolder folder_;
};

TEST_F(CliLock, CommandsBesideAnotherHolderShareWaitOrRefuse) {
  enum Holds { Shared, Exclusive, Window };
  const struct {
    Holds other;
    std::string words;
    std::string says;        // empty: the command runs
    bool indexGone = false;  // a reader then builds the index, which writes
  } cases[] = {
      {Shared, kCheck, ""},
      {Shared, kAdd, kBusy},
      {Exclusive, kCheck, kBusy},
      {Exclusive, kAdd, kBusy},
      {Window, kCheck, ""},
      {Window, kAdd, kWindowOpen},
      {Window, "history edit 10/01/2000 1 2 3 4 5 8 7", kWindowOpen},
      {Window, "history delete 10/01/2000", kWindowOpen},
      {Window, "history list", ""},
      {Shared, "history delete 10/01/2000", kBusy},
      {Window, "search --lines 1 --resume", kWindowOpen},
      {Window, kCheck, "does not match the saved history", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    if (c.indexGone) std::filesystem::remove(folder_ / "Tiny.dnd");
    FolderLock other(folder_.Path());
    const LockMode mode = c.other == Shared ? LockMode::Shared : LockMode::Exclusive;
    ASSERT_TRUE(c.other == Window ? other.MarkWindowOpen()
                                  : other.LockData(mode, std::chrono::milliseconds(0)) ==
                                        FolderLock::Result::Held);
    const CliResult result = Run(c.words);
    EXPECT_EQ(result.code, c.says.empty() ? 0 : 1) << result.err;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(folder_.Read("Tiny.opt"), kHistory);
    EXPECT_FALSE(folder_.Exists("Tiny.ful"));
  }
  EXPECT_EQ(Run(kAdd).code, 0);  // once the others are gone
}

#ifndef _WIN32  // other processes here need fork
// Eight adds at once, with the lock file as it should be, as a folder, and
// deleted again and again while they run: every add that said "Added" is in
// the history, and the counts are those of a fresh start.
TEST_F(CliLock, SimultaneousAddsThatSayAddedAllLandAndCountLikeAFreshStart) {
  namespace fs = std::filesystem;
  const fs::path lockFile = folder_ / FolderLock::kFileName;
  const struct {
    const char* name;
    std::function<void()> before;
    bool deleting;
    int added;  // how many must land
  } cases[] = {
      {"a plain lock file", [] {}, false, 8},
      {"a folder under the lock file's name",
       [&] { fs::remove(lockFile), fs::create_directory(lockFile); }, false, 0},
      {"the lock file deleted while held", [] {}, true, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(lockFile);
    folder_.Write("Tiny.opt", kHistory);
    c.before();
    std::vector<std::string> added;
    for (int i = 0; i < 8; ++i)
      added.push_back("0" + std::to_string(i + 1) + "/02/2000 01 02 03 04 05 " +
                      std::to_string(10 + i) + " 4" + std::to_string(i));
    const pid_t deleter = c.deleting ? InChild([&] {
      for (int i = 0; i < 400; ++i) {
        std::error_code ignored;
        fs::remove(lockFile, ignored);
        usleep(500);
      }
      return 0;
    })
                                     : 0;
    std::vector<pid_t> children;
    for (const std::string& draw : added)
      children.push_back(InChild([&] { return Run("add " + draw).code; }));
    const std::string history = [&] {
      std::vector<int> codes;
      for (const pid_t child : children) codes.push_back(ExitCodeOf(child));
      if (deleter) ExitCodeOf(deleter);
      const std::string now = folder_.Read("Tiny.opt");
      int landed = 0;
      for (std::size_t i = 0; i < added.size(); ++i) {
        const bool there = now.find(added[i] + "\r\n") != std::string::npos;
        if (codes[i] == 0) {
          EXPECT_TRUE(there) << added[i] << " said Added but is lost";
        }
        landed += there;
      }
      if (c.added >= 0) {
        EXPECT_EQ(landed, c.added);
      }
      return now;
    }();
    fs::remove_all(lockFile);
    const std::string counted = Run(kCheck).out;
    fs::remove(folder_ / "Tiny.dnd");
    EXPECT_EQ(Run(kCheck).out, counted) << history;
  }
}

TEST_F(CliLock, AKilledHolderLeavesNoStaleLock) {
  EXPECT_EQ(ExitCodeOf(InChild([&] {
              FolderLock lock(folder_.Path());
              lock.MarkWindowOpen();
              lock.LockData(LockMode::Exclusive, std::nullopt);
              return raise(SIGKILL);
            })),
            -1);
  const CliResult added = Run(kAdd);
  EXPECT_EQ(added.code, 0) << added.err;
}
#endif

}  // namespace
}  // namespace bw::test
