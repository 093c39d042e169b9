// SPDX-License-Identifier: GPL-3.0-or-later
// The search position reader on any bytes, in memory, and the line a
// resumed search would start from.
#include <algorithm>

#include "analysis/all_lines_search.h"
#include "fuzz_support.h"
#include "store/search_position.h"
#include "store/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace bw;
  const std::vector<std::string> lines = LinesFromFileBytes(fuzz::AsText(data, size));
  if (lines.empty()) return 0;
  const std::array<std::string, 6> captions =
      CaptionsFromResumeLine(std::string(TrimBlanks(lines.front())));
  Line line{};
  std::transform(captions.begin(), captions.end(), line.begin(),
                 [](const std::string& caption) { return LeadingNumber(caption); });
  std::sort(line.begin(), line.end());
  if (const std::optional<Line> first = FirstLineToCheck(line)) LineRank(*first);
  return 0;
}
