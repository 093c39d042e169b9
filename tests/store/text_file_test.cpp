#include "store/text_file.h"

#include <gtest/gtest.h>

#include "store/file_error.h"
#include "support/test_folder.h"

namespace bw {
namespace {

TEST(TextFile, ReadsCrLfAndLfLinesAndALastLineWithoutEnd) {
  test::TestFolder folder;
  folder.Write("a.txt", "one\r\ntwo\n\r\nlast");
  const ReadResult result = ReadTextLines(folder / "a.txt");
  EXPECT_EQ(result.error, 0);
  EXPECT_EQ(result.lines, (std::vector<std::string>{"one", "two", "", "last"}));
  folder.Write("b.txt", "");
  EXPECT_TRUE(ReadTextLines(folder / "b.txt").lines.empty());
}

TEST(TextFile, Windows1252OnDiskUtf8InMemory) {
  test::TestFolder folder;
  EXPECT_EQ(WriteTextLines(folder / "a.txt", {"Z\xc3\xbcrich \xe2\x82\xac", "\xe4\xb8\xad"}), 0);
  EXPECT_EQ(folder.Read("a.txt"), "Z\xfcrich \x80\r\n?\r\n");
  EXPECT_EQ(ReadTextLines(folder / "a.txt").lines[0], "Z\xc3\xbcrich \xe2\x82\xac");
  // A byte Windows-1252 leaves undefined survives a round trip.
  EXPECT_EQ(Windows1252FromUtf8(Utf8FromWindows1252("a\x81z")), "a\x81z");
}

TEST(TextFile, ErrorsAreNumbered) {
  test::TestFolder folder;
  EXPECT_EQ(ReadTextLines(folder / "missing").error, kFileNotFound);
  EXPECT_EQ(ReadTextLines(folder / "no" / "missing").error, kPathNotFound);
  EXPECT_EQ(ReadTextLines(folder.Path()).error, kPathFileAccess);
  EXPECT_EQ(WriteTextLines(folder / "no" / "file", {"x"}), kPathNotFound);
  EXPECT_EQ(WriteTextLines(folder.Path(), {"x"}), kPathFileAccess);
  EXPECT_EQ(FileErrorDescription(kPathFileAccess), "Path/File access error");
  EXPECT_EQ(FileErrorDescription(kFileNotFound), "File not found");
}

}  // namespace
}  // namespace bw
