// SPDX-License-Identifier: GPL-3.0-or-later
// The one path by which the history changes: its file changes come in the
// order that keeps every count right (marker away, history saved, index, then
// the marker), and a fault at any of them leaves a folder whose next start
// counts exactly what a clean build of the history it holds counts.
#include "store/history_change.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "store/index_marker.h"
#include "store/integration.h"
#include "store/store_support.h"

namespace bw::test {
namespace {

namespace fs = std::filesystem;

const DrawList kOld = {"10/01/2000 01 02 03 04 05 06 ", "17/01/2000 01 02 03 10 11 12 "};
const std::string kOldFile =
    "10/01/2000 01 02 03 04 05 06 \r\nnot a draw\r\n17/01/2000 01 02 03 10 11 12 \r\n";

struct Change {
  FileChange kind;
  std::string file;
};

// Records every file change; fails the n-th with `fault` (0: none).
class RecordedChanges {
 public:
  RecordedChanges(int failAt = 0, std::errc fault = std::errc::no_space_on_device) {
    SetFileChangeHook([this, failAt, fault](FileChange kind, const fs::path& file) {
      changes.push_back({kind, file.filename().string()});
      return static_cast<int>(changes.size()) == failAt ? std::make_error_code(fault)
                                                        : std::error_code();
    });
  }
  ~RecordedChanges() { SetFileChangeHook({}); }
  std::vector<Change> changes;
};

// A start on the folder: its history read, its index trusted or rebuilt.
void StartOn(ProgramState& state, const TestFolder& where, bool rebuild) {
  state.appFolder = where.Path();
  state.lottoFile = "Lotto.opt";
  state.tables = CountingTables();
  ASSERT_TRUE(ReadHistoryFile(state, 1));
  IntegrateDraws(state, rebuild);
}

class HistoryChange : public StoreTest {
 protected:
  void Start(const std::string& history = kOldFile) {
    folder.Write("Lotto.opt", history);
    StartOn(state, folder, /*rebuild=*/true);
  }
  // What a start on the folder as it is now builds or trusts: its tables and
  // index files, against a clean build of the same history elsewhere.
  void ExpectNextStartCountsLikeACleanBuild() {
    ProgramState next, clean;
    StartOn(next, folder, /*rebuild=*/false);
    TestFolder cleanFolder;
    cleanFolder.Write("Lotto.opt", folder.Read("Lotto.opt"));
    StartOn(clean, cleanFolder, /*rebuild=*/true);
    for (const auto& [name, bytes] : cleanFolder.Files()) {
      if (name.ends_with("_Lotto.opt")) {
        EXPECT_EQ(folder.Read(name), bytes) << name;
      }
    }
    EXPECT_EQ(next.tables.Quad(1, 2, 3, 4), clean.tables.Quad(1, 2, 3, 4));
    EXPECT_TRUE(IndexMarkerAgrees(next));
  }
  RecordingSink sink;
};

TEST_F(HistoryChange, MarkerGoesFirstThenTheHistoryIsSavedDurablyThenIndexThenMarkerLast) {
  const struct {
    const char* name;
    DrawList draws;
  } cases[] = {
      {"one draw appended", {kOld[0], kOld[1], "24/01/2000 01 02 03 04 05 07 "}},
      {"one draw put before the others", {"03/01/2000 01 02 03 04 05 07 ", kOld[0], kOld[1]}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Start();
    RecordedChanges recorded;
    const HistoryChangeResult result =
        ChangeHistory(state, c.draws, SetAsideLinesOfHistory(state), sink);
    SetFileChangeHook({});
    EXPECT_EQ(result.save, HistorySaveOutcome::Saved);
    EXPECT_TRUE(result.indexComplete);
    const auto& changes = recorded.changes;
    ASSERT_GT(changes.size(), 6u);
    EXPECT_EQ(changes[0].kind, FileChange::Remove);
    EXPECT_EQ(changes[0].file, "Lotto.dnd");
    // The history: written to a new file, flushed, the old one kept as the
    // backup, moved over the history, the folder flushed.
    std::vector<FileChange> history;
    std::size_t historyEnd = 0;
    for (std::size_t i = 0; i < changes.size(); ++i) {
      if (changes[i].file.starts_with("Lotto.opt") || changes[i].file == "Lotto.old" ||
          (changes[i].kind == FileChange::FolderFlush && history.size() == 5)) {
        history.push_back(changes[i].kind);
        historyEnd = i;
      }
      if (history.size() == 6) break;
    }
    EXPECT_EQ(history, (std::vector<FileChange>{FileChange::Write, FileChange::Flush,
                                                FileChange::Remove, FileChange::Link,
                                                FileChange::Move, FileChange::FolderFlush}));
    for (std::size_t i = 1; i < historyEnd; ++i)
      EXPECT_FALSE(changes[i].file.ends_with("_Lotto.opt")) << "index before the history";
    EXPECT_EQ(changes.back().kind, FileChange::Move);
    EXPECT_EQ(changes.back().file, "Lotto.dnd");
    EXPECT_EQ(state.draws, c.draws);
    EXPECT_NE(folder.Read("Lotto.opt").find("not a draw\r\n"), std::string::npos);
    ExpectNextStartCountsLikeACleanBuild();
  }
}

TEST_F(HistoryChange, AFaultAtAnyFileChangeLeavesNoCountFromAStaleIndex) {
  const DrawList appended = {kOld[0], kOld[1], "24/01/2000 01 02 03 04 05 07 "};
  const DrawList inserted = {"03/01/2000 01 02 03 04 05 07 ", kOld[0], kOld[1]};
  for (const DrawList& draws : {appended, inserted}) {
    for (const std::errc fault : {std::errc::no_space_on_device, std::errc::permission_denied}) {
      for (int n = 1;; ++n) {
        SCOPED_TRACE("fault at change " + std::to_string(n) + ", " +
                     std::make_error_code(fault).message());
        Start();
        HistoryChangeResult result;
        bool reached = false;
        {
          RecordedChanges failing(n, fault);
          result = ChangeHistory(state, draws, SetAsideLinesOfHistory(state), sink);
          reached = static_cast<int>(failing.changes.size()) >= n;
        }
        const bool saved = folder.Read("Lotto.opt") != kOldFile;
        EXPECT_EQ(result.save == HistorySaveOutcome::Saved, saved);
        EXPECT_EQ(state.draws, saved ? draws : kOld);  // memory follows the file
        ExpectNextStartCountsLikeACleanBuild();
        for (const auto& [name, bytes] : folder.Files())
          EXPECT_EQ(name.find(".~"), std::string::npos) << name;  // no temporary file left
        if (!reached) break;
      }
    }
  }
}

TEST_F(HistoryChange, AHistoryChangedByAnotherProgramKeepsBothAndNeverAnEarlierCopy) {
  Start();
  for (const char* draw : {"24/01/2000 01 02 03 04 05 07 ", "31/01/2000 01 02 03 04 05 08 "}) {
    DrawList draws = state.draws;  // our own saves are no change by another program
    draws.push_back(draw);
    EXPECT_EQ(ChangeHistory(state, draws, {}, sink).save, HistorySaveOutcome::Saved);
  }
  const std::string edited = "24/01/2000 20 21 22 23 24 25 \r\n";
  folder.Write("Lotto.opt", edited);
  std::vector<std::string> beside;
  for (int save = 0; save < 3; ++save) {
    DrawList draws = state.draws;
    draws.push_back("0" + std::to_string(save + 1) + "/02/2000 01 02 03 04 05 07 ");
    const HistoryChangeResult result = ChangeHistory(state, draws, {}, sink);
    EXPECT_EQ(result.save, HistorySaveOutcome::SavedBeside);
    EXPECT_TRUE(result.besideFile.starts_with("Lotto.unsaved-")) << result.besideFile;
    EXPECT_NE(folder.Read(result.besideFile), "");
    beside.push_back(result.besideFile);
  }
  EXPECT_EQ(folder.Read("Lotto.opt"), edited);
  EXPECT_TRUE(beside[0] != beside[1] && beside[1] != beside[2]);
  EXPECT_EQ(sink.messages.size(), 3u);
  EXPECT_EQ(sink.messages[0].title, "History changed meanwhile");
  ExpectNextStartCountsLikeACleanBuild();  // the index of the draws held here is not trusted
}

// What lies around the history never makes a change go wrong: new files of
// killed saves are cleared, links are replaced and never written through, a
// history saved as UTF-16 is read whole and written back as Windows-1252.
TEST_F(HistoryChange, LeftoversLinksAndUnicodeAroundTheHistory) {
  const DrawList appended = {kOld[0], kOld[1], "24/01/2000 01 02 03 04 05 07 "};
  const std::string savedFile = kOldFile + "24/01/2000 01 02 03 04 05 07 \r\n";
  const TestFolder outside;
  outside.Write("precious", "keep me\r\n");
  fs::permissions(outside / "precious", fs::perms::owner_read);
  const std::string dead = "Lotto.opt.~new-999999999-1-10";
  const std::string ours = "Lotto.dnd.~new-" + std::to_string(CurrentProcess()) + "-1-10";
  // UTF-16 little-endian with its mark: "10/01/2000 01 02 03 04 05 06 ", a
  // note and the second draw.
  const auto utf16 = [](const std::string& text, const std::string& extra) {
    std::string bytes = "\xFF\xFE";
    for (const char c : text) bytes += std::string{c, '\0'};
    return bytes + extra;
  };
  const struct {
    const char* name;
    std::function<void()> around;
    std::string expectedFile;
    bool saved;
  } cases[] = {
      {"a new file of a killed save",
       [&] {
         folder.Write(dead, "0123456789");
         folder.Write(ours, "0123456789");
       },
       savedFile, true},
#ifndef _WIN32  // links need privileges there
      {"the backup and the marker as links to a file elsewhere",
       [&] {
         fs::create_symlink(outside / "precious", folder / "Lotto.old");
         fs::remove(folder / "Lotto.dnd");
         fs::create_symlink(outside / "precious", folder / "Lotto.dnd");
       },
       savedFile, true},
#endif
      {"a UTF-16 history", [&] { folder.Write("Lotto.opt", utf16(kOldFile, "")); }, savedFile,
       true},
      {"a UTF-16 history with a character Windows-1252 lacks",
       // U+2192 in the note line
       [&] { folder.Write("Lotto.opt", utf16(kOldFile, std::string("\x92\x21\r\0\n\0", 6))); }, "",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Start();
    c.around();
    const std::string before = folder.Read("Lotto.opt");
    StartOn(state, folder, /*rebuild=*/true);
    ASSERT_EQ(state.draws, kOld);
    sink.messages.clear();
    const HistoryChangeResult result =
        ChangeHistory(state, appended, SetAsideLinesOfHistory(state), sink);
    EXPECT_EQ(result.save == HistorySaveOutcome::Saved, c.saved);
    EXPECT_EQ(folder.Read("Lotto.opt"), c.saved ? c.expectedFile : before);
    if (c.saved) {
      EXPECT_EQ(folder.Read("Lotto.old"), before);  // the original, whatever its coding
      ExpectNextStartCountsLikeACleanBuild();
    } else {
      ASSERT_EQ(sink.messages.size(), 1u);
      EXPECT_NE(sink.messages[0].text.find("line 4"), std::string::npos) << sink.messages[0].text;
    }
    EXPECT_FALSE(folder.Exists(dead));
    EXPECT_EQ(outside.Read("precious"), "keep me\r\n");
#ifndef _WIN32
    EXPECT_EQ(fs::status(outside / "precious").permissions(), fs::perms::owner_read);
#endif
    for (const char* name : {"Lotto.old", "Lotto.dnd"})
      EXPECT_FALSE(fs::is_symlink(folder / name)) << name;
    for (const auto& [name, bytes] : folder.Files())
      if (name != ours) {
        EXPECT_EQ(name.find(".~"), std::string::npos) << name;
      }
    fs::remove_all(folder.Path());
    fs::create_directories(folder.Path());
  }
}

}  // namespace
}  // namespace bw::test
