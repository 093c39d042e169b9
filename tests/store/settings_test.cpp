// SPDX-License-Identifier: GPL-3.0-or-later
// The settings files, the search position file and the text file rules:
// Windows-1252 on disk, UTF-8 in the program.
#include <gtest/gtest.h>

#include "store/file_error.h"
#include "store/search_position.h"
#include "store/settings_files.h"
#include "store/store_support.h"
#include "store/text_file.h"
#include "store/windows1252.h"
#include "support/privileges.h"

namespace bw {
namespace {

using test::StoreTest;

TEST_F(StoreTest, TextFilesAreWindows1252LinesOnDisk) {
  folder.Write("a.txt", "one\r\ntwo\n\r\nlast");
  EXPECT_EQ(ReadTextLines(folder / "a.txt").lines,
            (std::vector<std::string>{"one", "two", "", "last"}));
  EXPECT_EQ(WriteTextLines(folder / "b.txt", {"Z\xc3\xbcrich \xe2\x82\xac", "\xe4\xb8\xad"}), 0);
  EXPECT_EQ(folder.Read("b.txt"), "Z\xfcrich \x80\r\n?\r\n");
  EXPECT_EQ(ReadTextLines(folder / "b.txt").lines[0], "Z\xc3\xbcrich \xe2\x82\xac");
  EXPECT_EQ(ReadTextLines(folder / "missing").error, kFileNotFound);
  EXPECT_EQ(ReadTextLines(folder / "no" / "missing").error, kPathNotFound);
  EXPECT_EQ(ReadTextLines(folder.Path()).error, kBadFileMode);
  EXPECT_EQ(WriteTextLines(folder / "no" / "file", {"x"}), kPathNotFound);
  EXPECT_EQ(WriteTextLines(folder.Path(), {"x"}), kPathFileAccess);
  EXPECT_EQ(FileErrorDescription(kPathFileAccess), "Path/File access error");
}

TEST(ReadWholeNumber, NumericReadingRule) {
  const std::pair<const char*, int32_t> cases[] = {
      {"2.5", 2}, {"3.5", 4},      {"4.51", 5},  {"0.5", 0},    {"-2.5", -2}, {"12abc", 12},
      {"abc", 0}, {"", 0},         {"-", 0},     {"1E3", 1000}, {"1D2", 100}, {"1.5E1", 15},
      {"2e", 2},  {"1 000", 1000}, {"  7  ", 7}, {"+12", 12},   {"-7", -7}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(ReadWholeNumber(text), expected) << text;
  EXPECT_EQ(ReadWholeNumber("2147483647"), 2147483647);
  EXPECT_EQ(ReadWholeNumber("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ReadWholeNumber("2147483648"), std::nullopt);
  EXPECT_EQ(ReadWholeNumber("1E999"), std::nullopt);
}

TEST_F(StoreTest, SettingsReadingRules) {
  // Only a file of the program folder is taken as the lottery.
  const std::pair<const char*, const char*> program[] = {
      {"FILE = Sample.opt\r\n", "Sample.opt"},
      {"file=a=b.opt\r\n", "a=b.opt"},
      {"file=First.opt\r\nno equals here\r\n=Empty.opt\r\nfile=Second.opt\r\n", "Second.opt"},
      {"file=My Lotto.opt\r\n", "My Lotto.opt"},
      {"file=../victim/Lotto.opt", ""},
      {"file=/etc/passwd", ""},
      {"file=sub\\Lotto.opt", ""},
      {"file=C:Lotto.opt", ""},
      {"file=..", ""}};
  for (const auto& [bytes, file] : program) {
    folder.Write("vomrix.ini", bytes);
    state.lottoFile = "before";
    EXPECT_TRUE(ReadProgramSettings(state)) << bytes;
    EXPECT_EQ(state.lottoFile, file);
  }
  state.lottoFile = "Lotto.opt";
  const std::pair<const char*, bool> bonus[] = {{"bonus=FALSE", false}, {"bonus= false ", false},
                                                {"Bonus=False", false}, {"bonus=no", true},
                                                {"bonus=", true},       {"bonus=0", true}};
  for (const auto& [line, expected] : bonus) {
    state.settings.useBonus = !expected;
    folder.Write("Lotto.ini", std::string(line) + "\r\n");
    EXPECT_TRUE(ReadLotterySettings(state)) << line;
    EXPECT_EQ(state.settings.useBonus, expected) << line;
  }
  state.settings.ret6 = 777;  // no "ret6=" line: the value stays
  folder.Write("Lotto.ini",
               "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=1500\r\nret5p=1E5\r\n");
  EXPECT_TRUE(ReadLotterySettings(state));
  EXPECT_EQ(state.settings, (LotterySettings{true, 1, 10, 60, 1500, 100000, 777}));
  // Overflow fails the read but keeps the values read before it.
  folder.Write("Lotto.ini", "stake=2\r\nret3=99999999999\r\nret4=61\r\n");
  EXPECT_FALSE(ReadLotterySettings(state));
  EXPECT_EQ(state.fileErrorNumber, kOverflow);
  EXPECT_EQ(state.settings.stake, 2);
  EXPECT_EQ(state.settings.ret4, 60);
}

TEST_F(StoreTest, SettingsReadingAndWritingFailures) {
  EXPECT_FALSE(ReadProgramSettings(state));
  EXPECT_EQ(state.fileErrorNumber, kFileNotFound);
  EXPECT_FALSE(ReadLotterySettings(state));
  EXPECT_EQ(state.fileErrorNumber, kFileNotFound);
  for (const char* name : {"", "a.o"}) {
    state.lottoFile = name;
    EXPECT_FALSE(ReadLotterySettings(state));
    EXPECT_EQ(state.fileErrorNumber, kInvalidArgument);
    EXPECT_FALSE(WriteLotterySettings(state));
    EXPECT_EQ(state.fileErrorNumber, kInvalidArgument);
  }
  state.lottoFile = "Lotto.opt";
  folder.Write("Lotto.ini", "stake=9\r\n");
  {
    test::AsUnprivilegedUser nobody;
    if (nobody.Switched()) {
      EXPECT_FALSE(WriteLotterySettings(state));
      EXPECT_EQ(state.fileErrorNumber, kPathFileAccess);
    }
  }
  EXPECT_EQ(folder.Read("Lotto.ini"), "stake=9\r\n");
}

TEST_F(StoreTest, SettingsFilesExactLayout) {
  folder.Write("vomrix.ini", "file=Old.opt\r\n");
  folder.Write("Lotto.ini", "stake=9\r\n");
  test::MarkReadOnly(folder / "Lotto.ini");  // a read-only file is replaced
  state.lottoFile = "  Lotto.opt ";
  EXPECT_TRUE(WriteProgramSettings(state));
  EXPECT_EQ(folder.Read("vomrix.ini"), "file=Lotto.opt\r\n");
  state.lottoFile = "Lotto.opt";
  state.settings = {false, 2, 10, -60, 1500, 100000, 2147483647};
  EXPECT_TRUE(WriteLotterySettings(state));
  EXPECT_EQ(folder.Read("Lotto.ini"),
            "bonus=false\r\nstake=2\r\nret3=10\r\nret4=-60\r\nret5=1500\r\nret5p=100000\r\n"
            "ret6=2147483647\r\n");
  EXPECT_FALSE(test::IsReadOnly(folder / "Lotto.ini"));
}

TEST_F(StoreTest, SearchPositionFile) {
  EXPECT_EQ(LoadSearchPosition(state), std::nullopt);
  EXPECT_TRUE(SaveSearchPosition(state, {"3", "8", " 15 ", "22", "41", "49"}));
  EXPECT_EQ(folder.Read("Lotto.ful"), "03 08 15 22 41 49\r\n");
  // An empty or zero caption writes nothing.
  EXPECT_FALSE(SaveSearchPosition(state, {"1", "2", "3", "4", "5", ""}));
  EXPECT_FALSE(SaveSearchPosition(state, {"0", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(folder.Read("Lotto.ful"), "03 08 15 22 41 49\r\n");
  folder.Write("Lotto.ful", "  03 08 15 22 41 49 \r\nsecond\r\n");
  EXPECT_EQ(LoadSearchPosition(state), "03 08 15 22 41 49");
  state.lottoFile = "Other.opt";  // one file per lottery
  EXPECT_EQ(LoadSearchPosition(state), std::nullopt);
  EXPECT_TRUE(SaveSearchPosition(state, {"1", "2", "3", "4", "5", "7"}));
  EXPECT_EQ(folder.Read("Other.ful"), "01 02 03 04 05 07\r\n");
  state.lottoFile = "";
  EXPECT_FALSE(SaveSearchPosition(state, {"1", "2", "3", "4", "5", "7"}));
  EXPECT_EQ(LoadSearchPosition(state), std::nullopt);
  using Captions = std::array<std::string, 6>;
  const std::pair<const char*, Captions> lines[] = {
      {"03 08 15 22 41 49", {"3", "8", "15", "22", "41", "49"}},
      {"01 02 03 04 05 00", {"1", "2", "3", "4", "5", ""}},
      {"01 02 0", {"1", "2", "", "", "", ""}},
      {"xx 02 03 04 05 06", {"", "2", "3", "4", "5", "6"}},
      {"", {}}};
  for (const auto& [line, captions] : lines)
    EXPECT_EQ(CaptionsFromResumeLine(line), captions) << line;
}

TEST(Windows1252, EveryByteIsOneCharacterAndSurvivesARoundTrip) {
  std::string bytes;
  for (int byte = 0; byte < 256; ++byte) bytes += static_cast<char>(byte);
  EXPECT_EQ(DecodeWindows1252(bytes).size(), 256u);
  EXPECT_EQ(Windows1252FromUtf8(Utf8FromWindows1252(bytes)), bytes);
  EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(bytes)), bytes);
  EXPECT_EQ(EncodeWindows1252(DecodeUtf8(Utf8FromWindows1252(bytes))), bytes);
  EXPECT_TRUE(IsValidUtf8(Utf8FromWindows1252(bytes)));
}

TEST(Windows1252, CharactersAsWindowsMapsThem) {
  const std::pair<std::string, std::string> cases[] = {
      // Windows-1252, UTF-8
      {"Z\xFCrich \x80", "Z\xC3\xBCrich \xE2\x82\xAC"},
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
      {"\xA0\x9F\x8A", "\xC2\xA0\xC5\xB8\xC5\xA0"},
  };
  for (const auto& [bytes, utf8] : cases) {
    EXPECT_EQ(Utf8FromWindows1252(bytes), utf8);
    EXPECT_EQ(Windows1252FromUtf8(utf8), bytes);
  }
  // No Windows-1252 form, or not UTF-8 at all: one replacement each.
  EXPECT_EQ(Windows1252FromUtf8("a\xE4\xB8\xAD"
                                "b\xF0\x9F\x8E\xB1"
                                "c\xC2\x80"),
            "a?b?c?");
  EXPECT_EQ(Windows1252FromUtf8("\xFC"
                                "ber\xC3",
                                '_'),
            "_ber_");
}

TEST(Windows1252, Utf8Validity) {
  for (const char* valid : {"", "plain", "\xC3\xBC\xE2\x82\xAC", "\xF0\x9F\x8E\xB1"})
    EXPECT_TRUE(IsValidUtf8(valid)) << valid;
  // Cut short, overlong, surrogate, beyond U+10FFFF, a lone follower.
  for (const char* invalid : {"\xFC", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                              "\xF4\x90\x80\x80", "\xE2\x82", "\xBC"})
    EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
  EXPECT_EQ(EncodeUtf8(DecodeUtf8("\xF0\x9F\x8E\xB1"
                                  "a")),
            "\xF0\x9F\x8E\xB1"
            "a");
  EXPECT_EQ(DecodeUtf8("a\xE2\x82"), U"a\uFFFD\uFFFD");
}

}  // namespace
}  // namespace bw
