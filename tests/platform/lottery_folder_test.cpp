// SPDX-License-Identifier: GPL-3.0-or-later
// Where the lottery folder is for each program layout, and the lock that
// guards it: the window's nested holds of the lock, and lock files that cannot
// hold it. What two programs get is tested through the command line.
#include "platform/lottery_folder.h"
#include "platform/file_system.h"
#include "platform/folder_lock.h"

#include <functional>
#include <map>
#include <optional>

#include <gtest/gtest.h>

#include "support/privileges.h"
#include "support/test_folder.h"

namespace bw::test {
namespace {

namespace fs = std::filesystem;
using Environment = std::map<std::string, std::string>;

EnvironmentLookup From(const Environment& values) {
  return [values](const std::string& name) -> std::optional<std::string> {
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  };
}

// Three program layouts under one root: a portable copy that also has
// installed data beside it, an installed program, and a bare program folder.
class ProgramLayouts : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"portable/bin", "portable/share/ballwright-data", "usr/bin",
                               "usr/share/ballwright-data", "bare/bin", "home", "data"}) {
      fs::create_directories(root_ / folder);
    }
    root_.Write("portable/bin/vomrix.ini", "file=Sample.opt\r\n");
    fs::copy(BALLWRIGHT_DEMO_DIR, root_ / "usr/share/ballwright-data");
  }
  fs::path At(const std::string& relative) const { return root_ / relative; }
  fs::path UserFolder() const { return At(kUserFolder); }
  // The variable naming the user's data folder of this system.
  Environment UserEnvironment() const {
#ifdef _WIN32
    return {{ "APPDATA", At("home/AppData").string() }};
#else
    return {{"HOME", At("home").string()}};
#endif
  }

#ifdef _WIN32
  static constexpr const char* kUserFolder = "home/AppData/Ballwright";
#else
  static constexpr const char* kUserFolder = "home/.local/share/Ballwright";
#endif

  test::TestFolder root_;
};

TEST_F(ProgramLayouts, TheFolderFollowsTheProgramLayoutAndTheEnvironment) {
  const std::string home = At("home").string(), data = At("data").string();
  const Environment onlyHome = {{"HOME", home}};
#ifdef _WIN32
  const Environment withData = {{"APPDATA", data}}, withoutData = onlyHome;
#else
  const Environment withData = {{"HOME", home}, {"XDG_DATA_HOME", data}},
                    relativeData = {{"HOME", home}, {"XDG_DATA_HOME", "rel"}},
                    withoutData = {{"HOME", ""}};
#endif
  const char* installedHelp = "usr/share/ballwright-data/vomrix.HLP";
  struct Case {
    const char* what;
    const char* given;  // --folder, "" when not given
    const char* program;
    const Environment& environment;
    std::string folder;  // "" for an error
    const char* help;
    bool seed;
  } cases[] = {
      {"portable copy, even beside installed data", "", "portable/bin", onlyHome, "portable/bin",
       "portable/bin/vomrix.HLP", false},
      {"bare program folder keeps today's place", "", "bare/bin", onlyHome, "bare/bin",
       "bare/bin/vomrix.HLP", false},
      {"--folder wins, help stays installed", "data", "usr/bin", onlyHome, "data", installedHelp,
       false},
      {"installed, the user's data folder", "", "usr/bin", withData, "data/Ballwright",
       installedHelp, true},
#ifndef _WIN32
      {"installed, trailing separator, relative XDG_DATA_HOME ignored", "", "usr/bin/",
       relativeData, kUserFolder, installedHelp, true},
#endif
      {"installed, no user's folder", "", "usr/bin", withoutData, "", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto given = *c.given ? std::optional(At(c.given)) : std::nullopt;
    const LotteryFolder place = ChooseLotteryFolder(given, At(c.program), From(c.environment));
    EXPECT_EQ(place.error.empty(), !c.folder.empty()) << place.error;
    if (c.folder.empty()) continue;
    EXPECT_EQ(place.folder, At(c.folder));
    EXPECT_EQ(place.helpFile, At(c.help));
    EXPECT_EQ(place.seedFromInstalledData, c.seed);
    EXPECT_FALSE(fs::exists(place.folder / "Sample.opt"));  // choosing writes nothing
  }
}

TEST_F(ProgramLayouts, FirstStartPlacesTheDemoAndNeverReplacesAUsersFile) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> before;  // the user's files
    std::map<std::string, std::string> after;   // "" = the demo's copy, "-" = absent
  } cases[] = {
      {"first start", {}, {{"vomrix.ini", ""}, {"Sample.opt", ""}, {"Sample.ini", ""}}},
      {"own Sample.opt before the first start",
       {{"Sample.opt", "mine\r\n"}},
       {{"vomrix.ini", ""}, {"Sample.opt", "mine\r\n"}, {"Sample.ini", ""}}},
      {"later start: the user removed the demo",
       {{"vomrix.ini", "file=Mine.opt\r\n"}, {"Mine.opt", "x\r\n"}},
       {{"vomrix.ini", "file=Mine.opt\r\n"}, {"Mine.opt", "x\r\n"}, {"Sample.opt", "-"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(UserFolder());
    fs::create_directories(UserFolder());
    for (const auto& [name, bytes] : c.before) root_.Write(kUserFolder + ("/" + name), bytes);
    const LotteryFolder place = ChooseLotteryFolder({}, At("usr/bin"), From(UserEnvironment()));
    ASSERT_EQ(PrepareLotteryFolder(place), "");
    for (const auto& [name, bytes] : c.after) {
      const std::string demo = root_.Read("usr/share/ballwright-data/" + name);
      const std::string found = root_.Read(kUserFolder + ("/" + name));
      EXPECT_EQ(found, bytes == "-" ? "" : bytes.empty() ? demo : bytes) << name;
    }
    EXPECT_FALSE(fs::exists(UserFolder() / "vomrix.HLP"));  // read from the installed data
  }
}

TEST_F(ProgramLayouts, AFileInTheWayOfTheUserFolderIsAnError) {
  fs::create_directories(UserFolder().parent_path());
  root_.Write(kUserFolder, "keep");
  const LotteryFolder place = ChooseLotteryFolder({}, At("usr/bin"), From(UserEnvironment()));
  EXPECT_NE(PrepareLotteryFolder(place).find("Ballwright"), std::string::npos);
  EXPECT_EQ(root_.Read(kUserFolder), "keep");
}

#ifndef _WIN32
// The user's data folder holds the user's draws and lines: a new one is
// private, its missing parents are made as usual, an old one is left alone.
TEST_F(ProgramLayouts, ANewUserFolderIsPrivateAnOldOneKeepsItsMode) {
  const LotteryFolder place = ChooseLotteryFolder({}, At("usr/bin"), From(UserEnvironment()));
  ASSERT_EQ(PrepareLotteryFolder(place), "");
  EXPECT_EQ(fs::status(UserFolder()).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_TRUE(fs::exists(UserFolder() / "Sample.opt"));
  EXPECT_NE(fs::status(UserFolder().parent_path()).permissions() & fs::perms::all,
            fs::perms::owner_all);
  fs::permissions(UserFolder(),
                  fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  ASSERT_EQ(PrepareLotteryFolder(place), "");
  EXPECT_NE(fs::status(UserFolder()).permissions() & fs::perms::group_read, fs::perms::none);
}
#endif

// Making the folder and each copy go through the file calls in the order
// write, flush, move, flush of the folder. A failure at any step names the
// file and the reason and leaves no part file nor a file cut short; the
// next start completes the placing.
TEST_F(ProgramLayouts, AFailedFirstStartLeavesNoPartialFileAndTheNextCompletesIt) {
  const LotteryFolder place = ChooseLotteryFolder({}, At("usr/bin"), From(UserEnvironment()));
  const std::vector<FileChange> expected = {FileChange::Write, FileChange::Write, FileChange::Flush,
                                            FileChange::Move, FileChange::FolderFlush};
  std::vector<FileChange> order;
  for (std::size_t failAt = 1; failAt <= expected.size(); ++failAt) {
    SCOPED_TRACE(failAt);
    fs::remove_all(UserFolder());
    order.clear();
    SetFileChangeHook([&order, failAt](FileChange change, const fs::path&) {
      order.push_back(change);
      return order.size() == failAt ? std::make_error_code(std::errc::no_space_on_device)
                                    : std::error_code();
    });
    const std::string error = PrepareLotteryFolder(place);
    SetFileChangeHook({});
    EXPECT_NE(error.find(failAt == 1 ? "Ballwright" : "Sample."), std::string::npos) << error;
    EXPECT_NE(error.find(std::make_error_code(std::errc::no_space_on_device).message()),
              std::string::npos);
    ASSERT_GE(order.size(), failAt);
    EXPECT_EQ(std::vector(order.begin(), order.begin() + failAt),
              std::vector(expected.begin(), expected.begin() + failAt));
    std::error_code missing;  // when the folder itself was not made
    for (const auto& entry : fs::directory_iterator(UserFolder(), missing)) {
      const std::string name = entry.path().filename().string();
      EXPECT_EQ(name.find(".part"), std::string::npos) << name;
      EXPECT_EQ(root_.Read(kUserFolder + ("/" + name)),
                root_.Read("usr/share/ballwright-data/" + name));
    }
    EXPECT_FALSE(fs::exists(UserFolder() / kProgramSettingsFile));
    ASSERT_EQ(PrepareLotteryFolder(place), "");
    EXPECT_EQ(root_.Read(std::string(kUserFolder) + "/vomrix.ini"),
              root_.Read("usr/share/ballwright-data/vomrix.ini"));
  }
}

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
