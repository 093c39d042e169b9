// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/search_position.h"

#include "model/numbers.h"
#include "store/text_file.h"

namespace bw {
namespace {

std::filesystem::path PositionPath(const ProgramState& state) {
  return state.InFolder(state.LotteryFileName(".ful"));
}

}  // namespace

bool SaveSearchPosition(const ProgramState& state, const std::array<std::string, 6>& captions) {
  std::string text;
  for (const std::string& caption : captions) {
    const int value = LeadingNumber(caption);
    if (value == 0) return false;
    if (value < 10) text += "0";
    text += std::string(TrimBlanks(caption)) + " ";
  }
  if (state.LotteryFileName(".ful").empty()) return false;
  const auto file = PositionPath(state);
  return MakeWritable(file) == 0 && WriteTextLines(file, {std::string(TrimBlanks(text))}) == 0;
}

std::optional<std::string> LoadSearchPosition(const ProgramState& state) {
  if (state.LotteryFileName(".ful").empty()) return std::nullopt;
  const ReadResult file = ReadTextLines(PositionPath(state));
  if (file.error != 0 || file.lines.empty()) return std::nullopt;
  return std::string(TrimBlanks(file.lines.front()));
}

std::array<std::string, 6> CaptionsFromResumeLine(const std::string& resumeLine) {
  std::array<std::string, 6> captions;
  for (std::size_t k = 0; k < captions.size(); ++k) {
    const std::size_t start = 3 * k;
    std::string field = start < resumeLine.size() ? resumeLine.substr(start, 2) : "";
    if (!field.empty() && field.front() == '0') field.erase(0, 1);
    captions[k] = LeadingNumber(field) == 0 ? "" : field;
  }
  return captions;
}

}  // namespace bw
