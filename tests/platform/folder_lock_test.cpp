// The window's nested holds of the folder lock, and lock files that cannot
// hold the lock. What two programs get is tested through the command line.
#include "platform/folder_lock.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "support/privileges.h"
#include "support/test_folder.h"

namespace bw::test {
namespace {

namespace fs = std::filesystem;
using Result = FolderLock::Result;
constexpr std::chrono::milliseconds kNoWait{0};

TEST(FolderLock, HoldsNestAndGiveBackOnlyWhatTheyTook) {
  TestFolder folder;
  FolderLock lock(folder.Path()), other(folder.Path());
  {
    const FolderLockHold reading(&lock, LockMode::Shared);
    {
      const FolderLockHold writing(&lock, LockMode::Exclusive);
      const FolderLockHold inner(&lock, LockMode::Shared);  // held strongly enough already
      EXPECT_EQ(other.LockData(LockMode::Shared, kNoWait), Result::Busy);
    }
    EXPECT_EQ(lock.DataMode(), LockMode::Shared);
    EXPECT_EQ(other.LockData(LockMode::Shared, kNoWait), Result::Held);
    EXPECT_EQ(other.LockData(LockMode::Exclusive, kNoWait), Result::Busy);
  }
  EXPECT_EQ(lock.DataMode(), std::nullopt);
  EXPECT_EQ(other.LockData(LockMode::Exclusive, kNoWait), Result::Held);
}

#ifndef _WIN32
// A lock file that cannot hold the lock never lets a writer in unlocked; only
// a folder nobody may write is used without one.
TEST(FolderLock, ALockFileThatCannotHoldTheLockRefusesWritersAndSaysWhy) {
  const struct {
    const char* name;
    std::function<void(const TestFolder&)> make;
    bool unprivileged;
    Result writer, reader;
    const char* why;
  } cases[] = {
      {"a folder under its name",
       [](const TestFolder& f) { fs::create_directory(f / FolderLock::kFileName); }, false,
       Result::Unusable, Result::Unusable, "it is a folder"},
      {"a link under its name",
       [](const TestFolder& f) { fs::create_symlink(f / "elsewhere", f / FolderLock::kFileName); },
       false, Result::Unusable, Result::Unusable, "it is a link"},
      {"left by another user",
       [](const TestFolder& f) {
         f.Write(FolderLock::kFileName, "");
         fs::permissions(f.Path(), fs::perms::all);
         fs::permissions(f / FolderLock::kFileName,
                         fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       },
       true, Result::Unusable, Result::Held, "cannot be written"},
      {"a read-only folder",
       [](const TestFolder& f) {
         fs::permissions(f.Path(), fs::perms::owner_all | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read |
                                       fs::perms::others_exec);
       },
       true, Result::Held, Result::Held, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestFolder folder;
    c.make(folder);
    {
      std::optional<AsUnprivilegedUser> nobody;
      if (c.unprivileged && !nobody.emplace().Switched()) GTEST_SKIP() << "needs root";
      FolderLock writer(folder.Path()), reader(folder.Path());
      EXPECT_EQ(writer.LockData(LockMode::Exclusive, kNoWait), c.writer);
      if (c.writer == Result::Unusable) {
        EXPECT_NE(writer.Problem().find(c.why), std::string::npos) << writer.Problem();
        EXPECT_NE(writer.Problem().find((folder / FolderLock::kFileName).string()),
                  std::string::npos);
      }
      writer.UnlockData();
      EXPECT_EQ(reader.LockData(LockMode::Shared, kNoWait), c.reader);
    }
    fs::permissions(folder.Path(), fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(folder / "elsewhere"));  // nothing made through the link
  }
}

// A lock file deleted or replaced while held: the next program locks the
// file the name gives, and the folder's own lock still keeps it out.
TEST(FolderLock, ALockFileDeletedWhileHeldLetsNoSecondWriterIn) {
  TestFolder folder;
  FolderLock first(folder.Path()), second(folder.Path());
  ASSERT_EQ(first.LockData(LockMode::Exclusive, kNoWait), Result::Held);
  fs::remove(folder / FolderLock::kFileName);
  FolderLock late(folder.Path());  // makes a new lock file
  EXPECT_EQ(late.LockData(LockMode::Exclusive, kNoWait), Result::Busy);
  EXPECT_EQ(second.LockData(LockMode::Exclusive, kNoWait), Result::Busy);
  first.UnlockData();
  EXPECT_EQ(second.LockData(LockMode::Exclusive, kNoWait), Result::Held);  // on the new file
  EXPECT_EQ(late.LockData(LockMode::Shared, kNoWait), Result::Busy);
  EXPECT_TRUE(fs::exists(folder / FolderLock::kFileName));
}
#endif

}  // namespace
}  // namespace bw::test
