// Commands beside another holder of the lottery folder's lock: readers share
// it, a writer waits up to 2 seconds and then refuses, and nothing is written
// while a window has the folder open.
#include <gtest/gtest.h>

#include <csignal>

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
      {Window, "search --lines 1 --resume", kWindowOpen},
      {Window, kCheck, "does not match the saved history", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    if (c.indexGone) std::filesystem::remove(folder_ / "Tiny.dnd");
    FolderLock other(folder_.Path());
    const LockMode mode = c.other == Shared ? LockMode::Shared : LockMode::Exclusive;
    ASSERT_TRUE(c.other == Window ? other.MarkWindowOpen()
                                  : other.LockData(mode, std::chrono::milliseconds(0)));
    const CliResult result = Run(c.words);
    EXPECT_EQ(result.code, c.says.empty() ? 0 : 1) << result.err;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(folder_.Read("Tiny.opt"), kHistory);
    EXPECT_FALSE(folder_.Exists("Tiny.ful"));
  }
  EXPECT_EQ(Run(kAdd).code, 0);  // once the others are gone
}

#ifndef _WIN32  // other processes here need fork
TEST_F(CliLock, SimultaneousAddsAllLandAndCountLikeAFreshStart) {
  const std::string added[] = {"24/01/2000 20 21 22 23 24 25 26", "31/01/2000 01 02 03 04 20 30 06",
                               "07/02/2000 01 02 03 04 05 07 08",
                               "14/02/2000 01 02 10 11 12 13 14"};
  std::vector<pid_t> children;
  for (const std::string& draw : added)
    children.push_back(InChild([&] { return Run("add " + draw).code; }));
  for (const pid_t child : children) EXPECT_EQ(ExitCodeOf(child), 0);
  const std::string history = folder_.Read("Tiny.opt");
  for (const std::string& draw : added) EXPECT_NE(history.find(draw + "\r\n"), std::string::npos);
  EXPECT_EQ(history.size(), kHistory.size() * 3);
  const std::string counted = Run(kCheck).out;
  std::filesystem::remove(folder_ / "Tiny.dnd");
  EXPECT_EQ(Run(kCheck).out, counted);
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
