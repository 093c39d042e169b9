// What a save leaves behind when the disk fills, a permission is refused, or
// the file changed under it; how a missing history comes back; and the bounds
// that keep damaged or huge files from costing the memory.
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "model/counting_tables.h"
#include "model/draw_fields.h"
#include "platform/file_system.h"
#include "store/file_error.h"
#include "store/history_file.h"
#include "store/store_support.h"

namespace bw::test {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "10/01/2000 01 02 03 04 05 06 \r\nnot a draw\r\n";
const std::string kAdded = "17/01/2000 07 08 09 10 11 12 ";
const std::string kNew = kOld + kAdded + "\r\n";

// Fails the n-th file change with `fault` while it lives.
class FailingNthChange {
 public:
  FailingNthChange(int n, std::errc fault) {
    SetFileChangeHook([n, fault, count = 0](FileChange, const fs::path&) mutable {
      return ++count == n ? std::make_error_code(fault) : std::error_code();
    });
  }
  ~FailingNthChange() { SetFileChangeHook({}); }
};

class SafeSave : public StoreTest {
 protected:
  void ReadOld() {
    folder.Write("Lotto.opt", kOld);
    ASSERT_TRUE(ReadHistoryFile(state, 1));
  }
};

TEST_F(SafeSave, EveryFailedStepOfASaveLeavesTheHistoryWholeAndNoTemporaryFile) {
  for (const std::errc fault : {std::errc::no_space_on_device, std::errc::permission_denied}) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE("fault at change " + std::to_string(n));
      ReadOld();
      state.draws.push_back(kAdded);
      RecordingSink sink;
      HistorySaveOutcome outcome;
      {
        const FailingNthChange failing(n, fault);
        outcome = SaveHistory(state, sink).outcome;
      }
      if (outcome == HistorySaveOutcome::Saved) {  // no step was left to fail
        EXPECT_GT(n, 3);
        EXPECT_EQ(folder.Read("Lotto.opt"), kNew);
        EXPECT_EQ(folder.Read("Lotto.old"), kOld);
        break;
      }
      EXPECT_EQ(folder.Read("Lotto.opt"), kOld);
      ASSERT_EQ(sink.messages.size(), 1u);
      EXPECT_EQ(sink.messages[0].title, "Error saving file");
      const std::string number = fault == std::errc::no_space_on_device ? "61" : "75";
      EXPECT_NE(sink.messages[0].text.find("Error " + number), std::string::npos)
          << sink.messages[0].text;
      for (const auto& [name, bytes] : folder.Files())
        EXPECT_EQ(name.find(".~"), std::string::npos) << name;  // no temporary file left
    }
  }
}

TEST_F(SafeSave, AMissingHistoryIsRestoredFromTheNewestCompleteCopy) {
  // A new file's name ends in the size it will have when complete.
  const std::string newFile = "Lotto.opt.~new-7-1-" + std::to_string(kNew.size());
  using Files = std::vector<std::pair<std::string, std::string>>;  // oldest first
  const auto backupAnd = [](const std::string& name, const std::string& bytes) {
    return Files{{"Lotto.old", kOld}, {name, bytes}};
  };
  const struct {
    const char* name;
    Files files;
    std::string restored, from;
  } cases[] = {
      {"backup only", Files{{"Lotto.old", kOld}}, kOld, "Lotto.old"},
      {"unfinished save newer than the backup", backupAnd(newFile, kNew), kNew, newFile},
      {"a save cut short mid-line is no copy", backupAnd(newFile, kNew.substr(0, kNew.size() - 4)),
       kOld, "Lotto.old"},
      {"a save cut short at a line end is no copy", backupAnd(newFile, kNew.substr(0, kOld.size())),
       kOld, "Lotto.old"},
      {"a new file whose name says no size is no copy", backupAnd("Lotto.opt.~new-7-1", kNew), kOld,
       "Lotto.old"},
      {"nothing to restore", Files{{"Other.old", kOld}}, "", ""},
  };
#ifndef _WIN32
  // A link named like a new file never brings in a file from elsewhere.
  const TestFolder outside;
  outside.Write("planted", kNew);
#endif
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder.Path());
    fs::create_directories(folder.Path());
#ifndef _WIN32
    fs::create_symlink(outside / "planted",
                       folder / ("Lotto.opt.~new-9-9-" + std::to_string(kNew.size())));
#endif
    auto time = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& [name, bytes] : c.files) {
      folder.Write(name, bytes);
      fs::last_write_time(folder / name, time += std::chrono::minutes(1));
    }
    EXPECT_EQ(ReadHistoryFile(state, 1), !c.restored.empty());
    EXPECT_EQ(folder.Read("Lotto.opt"), c.restored);
    EXPECT_EQ(state.historyRead.restoredFrom, c.from);
    EXPECT_EQ(folder.Read(c.from), c.from.empty() ? "" : c.restored);  // the copy stays
  }
}

TEST_F(SafeSave, OversizedFilesAndLinesAreRefusedUnreadAndNeverWrittenOver) {
  const std::string longLine(kLongestHistoryLine + 1, '1');
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"a line too long", [&] { folder.Write("Lotto.opt", kOld + longLine + "\r\n"); }},
#ifndef _WIN32
      {"a link to an endless device",
       [&] { fs::create_symlink("/dev/zero", folder / "Lotto.opt"); }},
      {"a pipe nobody writes", [&] { mkfifo((folder / "Lotto.opt").c_str(), 0600); }},
#endif
  };
  for (const auto& [name, make] : cases) {
    SCOPED_TRACE(name);
    fs::remove(folder / "Lotto.opt");
    make();
    EXPECT_FALSE(ReadHistoryFile(state, 1));
    EXPECT_EQ(state.historyRead.errorNumber,
              std::string(name) == "a line too long" ? kFileTooLarge : kBadFileMode);
    EXPECT_TRUE(HistoryWriteRefusal(state));
  }
}

TEST_F(SafeSave, TheHistoryHoldsAtMostTheDrawsTheTablesCanCount) {
  CountingTables tables;
  const DrawFields fields = ParseDrawEntry("10/01/2000 01 02 03 04 05 06");
  for (int i = 0; i < CountingTables::kMaxDraws; ++i) tables.CountDraw(fields);
  EXPECT_EQ(tables.Single(1), CountingTables::kMaxDraws);
  EXPECT_EQ(tables.Quad(3, 4, 5, 6), CountingTables::kMaxDraws);

  std::string history;
  for (int i = 0; i <= CountingTables::kMaxDraws; ++i)
    history += "10/01/2000 01 02 03 04 05 06\r\n";
  folder.Write("Lotto.opt", history);
  EXPECT_FALSE(ReadHistoryFile(state, 1));
  EXPECT_EQ(state.draws.size(), static_cast<std::size_t>(CountingTables::kMaxDraws));
  EXPECT_EQ(StoppedLineText(state.historyRead),
            "line 32768: the history holds more than 32,767 draws, the most this program can "
            "count");
  folder.Write("Lotto.opt", history.substr(30));
  ASSERT_TRUE(ReadHistoryFile(state, 1));
  const auto full = HistoryWriteRefusal(state);
  ASSERT_TRUE(full);
  EXPECT_EQ(full->title, "History full");
  EXPECT_FALSE(HistorySaveRefusal(state));  // what it holds is still saved
}

#ifdef _WIN32
// Windows lets a program that opened a file keep it from being replaced (no
// share-delete); the save then fails as any other.
TEST_F(SafeSave, AHistoryHeldOpenByAnotherProgramIsReportedAndKept) {
  for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
    SCOPED_TRACE(share);
    ReadOld();
    state.draws.push_back(kAdded);
    const HANDLE held = CreateFileW((folder / "Lotto.opt").c_str(), GENERIC_READ, share, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RecordingSink sink;
    const HistorySaveOutcome outcome = SaveHistory(state, sink).outcome;
    CloseHandle(held);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].title, "Error saving file");
    EXPECT_EQ(outcome, HistorySaveOutcome::Failed);
    EXPECT_EQ(folder.Read("Lotto.opt"), kOld);
  }
}
#endif

}  // namespace
}  // namespace bw::test
