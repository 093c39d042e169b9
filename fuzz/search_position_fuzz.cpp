// The search position reader on any file, and the line a resumed search
// would start from.
#include <algorithm>

#include "analysis/all_lines_search.h"
#include "fuzz_support.h"
#include "store/search_position.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace bw;
  fuzz::WriteInput("Fuzz.ful", data, size);
  const ProgramState& state = fuzz::FuzzState();
  const std::optional<std::string> saved = LoadSearchPosition(state);
  if (!saved) return 0;
  const std::array<std::string, 6> captions = CaptionsFromResumeLine(*saved);
  Line line{};
  std::transform(captions.begin(), captions.end(), line.begin(),
                 [](const std::string& caption) { return LeadingNumber(caption); });
  std::sort(line.begin(), line.end());
  if (const std::optional<Line> first = FirstLineToCheck(line)) LineRank(*first);
  return 0;
}
