#include "store/windows1252.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

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
