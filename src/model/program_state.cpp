#include "model/program_state.h"

namespace bw {

std::size_t HistoryReadStatus::ReportedCount() const {
  std::size_t count = 0;
  for (const SetAsideLine& line : setAside) count += line.reason.empty() ? 0 : 1;
  return count;
}

bool IsPlaceholderEntry(std::string_view entry) {
  return entry.find("00/00/00") != std::string_view::npos;
}

std::filesystem::path ProgramState::InFolder(std::string_view name) const {
  return appFolder / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string ProgramState::LotteryFileName(std::string_view extension) const {
  if (lottoFile.size() < 4) return {};
  return lottoFile.substr(0, lottoFile.size() - 4) + std::string(extension);
}

}  // namespace bw
