// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/reports.h"

#include <tuple>

#include <gtest/gtest.h>

namespace bw {
namespace {

// Result rows: the percentage right-aligned in columns 37 to 40, then the marker.
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

TEST(FullSystemReport, LayoutThresholdAndEmphasis) {
  const std::string row60 = "01-02-03-04-05-12 | 10|  2|  |  |  |  60%";
  const std::string row79 = "01-02-03-04-05-13 | 10|  2|  |  |  |  79%";
  const std::string row59 = "01-02-03-04-05-14 | 10|  2|  |  |  |  59%";
  // Rows, threshold, body: bold from 60, underlined from 80, spaces never underlined,
  // two rows to a line with an odd one left on the last.
  const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
      {{}, 66, ""},
      {{kRow65, kRow66, kRow12Plus}, 66, "<b>  " + kRow66 + "</b>    " + "  " + kRow12Plus + "\n"},
      {{kRow49, kRow65, kRow12Plus, kRow66, kRow49},
       0,
       "  " + kRow49 + "    " + "<b>  " + kRow65 + "\n</b>" + "  " + kRow12Plus + "   " + "<b>  " +
           kRow66 + "\n</b>" + "  " + kRow49 + "    "},
      {{row59, row60, row79, kRow80, kRow100},
       0,
       "  " + row59 + "    " + "<b>  " + row60 + "\n</b>" + "<b>  " + row79 + "</b>    " +
           "<b><u>  " + kRow80 + "\n</b></u>" + "<b><u>  " + kRow100 + "</b></u>    "},
      {{"", "abc"}, 0, "      " + std::string("  abc\n")},
      {{"", "abc"}, 1, ""}};
  for (const auto& [rows, threshold, body] : cases) {
    RecordingSurface surface;
    PrintFullSystemReport(surface, rows, kNumbers, threshold);
    EXPECT_EQ(surface.Text(), kTitleAndHeader + body + "[end]");
  }
}

TEST(FoundLinesListing, FourToALineFirstThreePaddedTo24) {
  const std::string longEntry(30, 'x');
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, ""},
      {{"01-02-03-04-05-06=66%", "01-02-03-04-05-07=67%", "01-02-03-04-05-08=68%",
        "01-02-03-04-05-09=69%", "01-02-03-04-05-10=70%"},
       "<b>01-02-03-04-05-06=66%</b>   <b>01-02-03-04-05-07=67%</b>   "
       "<b>01-02-03-04-05-08=68%</b>   <b>01-02-03-04-05-09=69%\n</b>"
       "<b>01-02-03-04-05-10=70%</b>   "},
      // Plain below 60, underlined from 80; a long entry gets no padding.
      {{"01-02-03-04-05-06=59%", "01-02-03-04-05-07=80%", "01-02-03-04-05-08=100%",
        "01-02-03-04-05-09=85%"},
       "01-02-03-04-05-06=59%   <b><u>01-02-03-04-05-07=80%</u></b>   "
       "<b><u>01-02-03-04-05-08=100%</u></b>  <b><u>01-02-03-04-05-09=85%\n"},
      {{longEntry, "01-02-03-04-05-06=70%"}, longEntry + "<b>01-02-03-04-05-06=70%</b>   "}};
  for (const auto& [entries, body] : cases) {
    RecordingSurface surface;
    PrintFoundLines(surface, entries);
    EXPECT_EQ(surface.Text(), "[font Courier 9]" + body + "[end]") << entries.size();
  }
}

}  // namespace
}  // namespace bw
