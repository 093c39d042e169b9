// Windows lets a program that opened a file keep it from being replaced
// (no share-delete); a save then fails, says so, and loses nothing.
#ifdef _WIN32
#include <windows.h>

#include "store/history_file.h"
#include "store/store_support.h"

namespace bw::test {

TEST_F(StoreTest, AHistoryHeldOpenByAnotherProgramIsReportedAndKept) {
  const std::string history = "05/12/2000 03 11 17 25 38 44 09\r\n";
  const std::string added = "12/12/2000 01 02 03 04 05 06 09";
  for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
    SCOPED_TRACE(share);
    folder.Write("Lotto.opt", history);
    ASSERT_TRUE(ReadHistoryFile(state, 0));
    state.draws.push_back(added);
    state.historyChanged = true;
    const HANDLE held = CreateFileW((folder / "Lotto.opt").c_str(), GENERIC_READ, share, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RecordingSink sink;
    SaveHistory(state, sink);
    CloseHandle(held);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].title, "Error saving file");
    EXPECT_TRUE(state.historyChanged);  // the draw waits in memory for the next save
    EXPECT_EQ(state.draws.back(), added);
    EXPECT_EQ(folder.Read("Lotto.opt"), history);
  }
}

}  // namespace bw::test
#endif
