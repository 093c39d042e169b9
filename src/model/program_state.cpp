// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program_state.h"

#include <algorithm>

namespace bw {

std::size_t HistoryReadStatus::ReportedCount() const {
  std::size_t count = 0;
  for (const SetAsideLine& line : setAside) count += line.reason.empty() ? 0 : 1;
  return count;
}

bool IsPlaceholderEntry(std::string_view entry) {
  return entry.find("00/00/00") != std::string_view::npos;
}

void ProgramState::WidenDrawDates(int32_t day) {
  newestDrawDate = std::max(newestDrawDate, day);
  if (oldestDrawDate == 0 || day < oldestDrawDate) oldestDrawDate = day;
}

std::filesystem::path ProgramState::InFolder(std::string_view name) const {
  return appFolder / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string ProgramState::LotteryFileName(std::string_view extension) const {
  if (lottoFile.size() < 4) return {};
  return lottoFile.substr(0, lottoFile.size() - 4) + std::string(extension);
}

}  // namespace bw
