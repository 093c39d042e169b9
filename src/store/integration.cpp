#include "store/integration.h"

#include "model/draw_fields.h"
#include "store/index_files.h"
#include "store/text_file.h"

namespace bw {
namespace {

std::filesystem::path MarkerPath(const ProgramState& state) {
  return state.InFolder(state.LotteryFileName(".dnd"));
}

void IntegrateAll(ProgramState& state, bool rebuild, const IntegrationProgress& progress) {
  state.indexRebuild = rebuild || !IndexMarkerExists(state);
  // The old marker goes with the old index, so a rebuild cut short is redone.
  if (state.indexRebuild) DeleteIndexFiles(state);
  IndexBuilder index;
  std::string date;
  const std::size_t total = state.draws.size();
  for (std::size_t i = 0; i < total; ++i) {
    if (progress) progress(i + 1, total);
    const DrawFields fields = ParseDrawEntry(state.draws[i], &date);
    if (IsPlaceholderEntry(date)) continue;
    if (state.indexRebuild) index.AddDraw(fields);
    state.tables.CountDraw(fields);
  }
  const int failedFiles = state.indexRebuild ? index.WriteIndexFiles(state) : 0;
  if (failedFiles == 0 && !IsPlaceholderEntry(date) && state.lottoFile.size() >= 4) {
    WriteTextLines(MarkerPath(state), {std::string(kIndexMarkerLine)});
  }
}

void IntegrateLast(ProgramState& state) {
  if (state.draws.empty()) return;
  DrawFields fields = ParseDrawEntry(state.draws.back());
  AddSixToIndex(state, fields);
  AddFivePlusToIndex(state, fields);
  AddFivesToIndex(state, fields);
  state.tables.CountDraw(fields);
}

}  // namespace

std::string IntegrationCaption(std::size_t done, std::size_t total) {
  return std::to_string(done) + " / " + std::to_string(total);
}

void IntegrateDraws(ProgramState& state, bool full, bool rebuild,
                    const IntegrationProgress& progress) {
  if (full) {
    IntegrateAll(state, rebuild, progress);
  } else {
    IntegrateLast(state);
  }
}

bool IndexMarkerExists(const ProgramState& state) {
  const std::string marker = state.LotteryFileName(".dnd");
  std::error_code ignored;
  return !marker.empty() && std::filesystem::exists(state.InFolder(marker), ignored);
}

}  // namespace bw
