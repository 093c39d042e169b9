#include "print/reports.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

// Result rows as the Line Optimiser lists them: the percentage right-aligned
// in columns 37 to 40, then the marker.
const std::string kRow65 = "01-02-03-04-05-06 | 10|  2|  |  |  |  65%";
const std::string kRow66 = "01-02-03-04-05-07 | 11|  2|  |  |  |  66%";
const std::string kRow12Plus = "01-02-03-04-05-08 |  3|   | 1|  |  |  12%+";
const std::string kRow80 = "01-02-03-04-05-09 |120| 14|  |  |  |  80%";
const std::string kRow100 = "01-02-03-04-05-10 |150| 20|  |  |  | 100%";
const std::string kRow49 = "01-02-03-04-05-11 |  9|  1|  |  |  |  49%";

const std::string kTitleAndHeader =
    "[font Courier 9]<b>\n"
    "  Report on selected number combination [1-2-3-4-5-6-7-8-9-10-11-12]\n"
    "\n"
    "  <u>                    3   4   5 5+  6 result"
    "                         3   4   5 5+  6 result\n"
    "</u></b>\n";
const std::string kNumbers = "1-2-3-4-5-6-7-8-9-10-11-12";

std::string FullReport(const std::vector<std::string>& rows, int threshold) {
  RecordingSurface surface;
  PrintFullSystemReport(surface, rows, kNumbers, threshold);
  return surface.Text();
}

std::string FoundListing(const std::vector<std::string>& entries) {
  RecordingSurface surface;
  PrintFoundLines(surface, entries);
  return surface.Text();
}

TEST(FullSystemReport, EmptyListStillPrintsTitleAndHeader) {
  EXPECT_EQ(FullReport({}, 66), kTitleAndHeader + "[end]");
}

TEST(FullSystemReport, ThresholdKeepsRowsAtOrAboveAndPlusRows) {
  EXPECT_EQ(FullReport({kRow65, kRow66, kRow12Plus}, 66),
            kTitleAndHeader + "<b>  " + kRow66 + "</b>    " + "  " + kRow12Plus + "\n[end]");
}

TEST(FullSystemReport, AllRowsTwoToALineOddCountLeavesOneOnTheLastLine) {
  const std::string expected = kTitleAndHeader + "  " + kRow49 + "    " + "<b>  " + kRow65 +
                               "\n</b>" + "  " + kRow12Plus + "   " + "<b>  " + kRow66 + "\n</b>" +
                               "  " + kRow49 + "    " + "[end]";
  EXPECT_EQ(FullReport({kRow49, kRow65, kRow12Plus, kRow66, kRow49}, 0), expected);
}

TEST(FullSystemReport, BoldFrom60UnderlineFrom80SpacesNeverUnderlined) {
  const std::string row60 = "01-02-03-04-05-12 | 10|  2|  |  |  |  60%";
  const std::string row79 = "01-02-03-04-05-13 | 10|  2|  |  |  |  79%";
  const std::string row59 = "01-02-03-04-05-14 | 10|  2|  |  |  |  59%";
  EXPECT_EQ(FullReport({row59, row60, row79, kRow80, kRow100}, 0),
            kTitleAndHeader + "  " + row59 + "    " + "<b>  " + row60 + "\n</b>" + "<b>  " + row79 +
                "</b>    " + "<b><u>  " + kRow80 + "\n</b></u>" + "<b><u>  " + kRow100 +
                "</b></u>    [end]");
}

TEST(FullSystemReport, ShortOrOddRowsDoNotBreakTheReport) {
  EXPECT_EQ(FullReport({"", "abc"}, 0), kTitleAndHeader + "      " + "  abc\n[end]");
  EXPECT_EQ(FullReport({"", "abc"}, 1), kTitleAndHeader + "[end]");
}

TEST(FoundLinesListing, EmptyListGivesAnEmptyDocument) {
  EXPECT_EQ(FoundListing({}), "[font Courier 9][end]");
}

TEST(FoundLinesListing, FourToALineFirstThreePaddedTo24) {
  const std::vector<std::string> entries = {"01-02-03-04-05-06=66%", "01-02-03-04-05-07=67%",
                                            "01-02-03-04-05-08=68%", "01-02-03-04-05-09=69%",
                                            "01-02-03-04-05-10=70%"};
  EXPECT_EQ(FoundListing(entries),
            "[font Courier 9]"
            "<b>01-02-03-04-05-06=66%</b>   "
            "<b>01-02-03-04-05-07=67%</b>   "
            "<b>01-02-03-04-05-08=68%</b>   "
            "<b>01-02-03-04-05-09=69%\n"
            "</b><b>01-02-03-04-05-10=70%</b>   [end]");
}

TEST(FoundLinesListing, EmphasisFollowsThePercentage) {
  EXPECT_EQ(FoundListing({"01-02-03-04-05-06=59%", "01-02-03-04-05-07=80%",
                          "01-02-03-04-05-08=100%", "01-02-03-04-05-09=85%"}),
            "[font Courier 9]"
            "01-02-03-04-05-06=59%   "
            "<b><u>01-02-03-04-05-07=80%</u></b>   "
            "<b><u>01-02-03-04-05-08=100%</u></b>  "
            "<b><u>01-02-03-04-05-09=85%\n"
            "[end]");
}

TEST(FoundLinesListing, OverlongEntryGetsNoPadding) {
  const std::string longEntry(30, 'x');
  EXPECT_EQ(FoundListing({longEntry, "01-02-03-04-05-06=70%"}),
            "[font Courier 9]" + longEntry + "<b>01-02-03-04-05-06=70%</b>   [end]");
}

}  // namespace
}  // namespace bw
