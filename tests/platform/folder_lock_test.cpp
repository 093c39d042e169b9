// The folder lock between two holders: the second one here stands for
// another program (each lock file description locks for itself alone).
#include "platform/folder_lock.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace bw::test {
namespace {

constexpr std::chrono::milliseconds kNoWait{0};

TEST(FolderLock, ReadersShareWritersHaveItAloneAndAWindowMarksItOpen) {
  enum Holds { Shared, Exclusive, Window };
  const struct {
    Holds first;
    bool shared, exclusive, window;  // what a second holder then gets
  } cases[] = {
      {Shared, true, false, true},
      {Exclusive, false, false, true},
      {Window, true, true, false},
  };
  TestFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    auto first = std::make_unique<FolderLock>(folder.Path());
    ASSERT_TRUE(
        c.first == Window
            ? first->MarkWindowOpen()
            : first->LockData(c.first == Shared ? LockMode::Shared : LockMode::Exclusive, kNoWait));
    FolderLock second(folder.Path());
    EXPECT_EQ(second.WindowOpenElsewhere(), c.first == Window);
    EXPECT_EQ(second.LockData(LockMode::Shared, kNoWait), c.shared);
    EXPECT_EQ(second.LockData(LockMode::Exclusive, kNoWait), c.exclusive);
    EXPECT_EQ(second.MarkWindowOpen(), c.window);
    first.reset();  // closing the file lets go of everything
    EXPECT_TRUE(second.LockData(LockMode::Exclusive, kNoWait));
  }
  EXPECT_TRUE(folder.Exists(FolderLock::kFileName));
}

TEST(FolderLock, HoldsNestAndGiveBackOnlyWhatTheyTook) {
  TestFolder folder;
  FolderLock lock(folder.Path()), other(folder.Path());
  {
    const FolderLockHold reading(&lock, LockMode::Shared);
    {
      const FolderLockHold writing(&lock, LockMode::Exclusive);
      EXPECT_EQ(lock.DataMode(), LockMode::Exclusive);
      const FolderLockHold inner(&lock, LockMode::Shared);  // held strongly enough already
    }
    EXPECT_EQ(lock.DataMode(), LockMode::Shared);
    EXPECT_FALSE(other.LockData(LockMode::Exclusive, kNoWait));
  }
  EXPECT_EQ(lock.DataMode(), std::nullopt);
  EXPECT_TRUE(other.LockData(LockMode::Exclusive, kNoWait));
  const FolderLockHold none(nullptr, LockMode::Exclusive);
}

TEST(FolderLock, AFolderThatCannotHoldTheLockFileLocksNothing) {
  TestFolder folder;
  FolderLock lock(folder / "missing");
  EXPECT_FALSE(lock.Usable());
  EXPECT_TRUE(lock.LockData(LockMode::Exclusive, kNoWait));
  EXPECT_TRUE(lock.MarkWindowOpen());
  EXPECT_FALSE(lock.WindowOpenElsewhere());
}

}  // namespace
}  // namespace bw::test
