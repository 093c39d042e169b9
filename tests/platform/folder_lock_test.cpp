// The window's nested holds of the folder lock, and a folder that cannot hold
// the lock file. What two holders get is tested through the command line.
#include "platform/folder_lock.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace bw::test {
namespace {

constexpr std::chrono::milliseconds kNoWait{0};

TEST(FolderLock, HoldsNestAndGiveBackOnlyWhatTheyTook) {
  TestFolder folder;
  FolderLock lock(folder.Path()), other(folder.Path());
  {
    const FolderLockHold reading(&lock, LockMode::Shared);
    {
      const FolderLockHold writing(&lock, LockMode::Exclusive);
      const FolderLockHold inner(&lock, LockMode::Shared);  // held strongly enough already
      EXPECT_FALSE(other.LockData(LockMode::Shared, kNoWait));
    }
    EXPECT_EQ(lock.DataMode(), LockMode::Shared);
    EXPECT_TRUE(other.LockData(LockMode::Shared, kNoWait));
    EXPECT_FALSE(other.LockData(LockMode::Exclusive, kNoWait));
  }
  EXPECT_EQ(lock.DataMode(), std::nullopt);
  EXPECT_TRUE(other.LockData(LockMode::Exclusive, kNoWait));
  // A folder that cannot hold the lock file (read-only) is used unlocked.
  FolderLock none(folder / "missing");
  EXPECT_TRUE(none.LockData(LockMode::Exclusive, kNoWait) && none.MarkWindowOpen());
  EXPECT_FALSE(none.WindowOpenElsewhere());
}

}  // namespace
}  // namespace bw::test
