// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/integration.h"

#include "model/draw_fields.h"
#include "store/index_files.h"
#include "store/index_marker.h"
#include "store/text_file.h"

namespace bw {
namespace {

// Calls onDraw for every real draw of the list, in order, reporting progress
// per entry. True when the last entry looked at is a placeholder.
template <typename OnDraw>
bool ForEachRealDraw(const ProgramState& state, const IntegrationProgress& progress,
                     OnDraw onDraw) {
  std::string date;
  const std::size_t total = state.draws.size();
  for (std::size_t i = 0; i < total; ++i) {
    if (progress) progress(i + 1, total);
    const DrawFields fields = ParseDrawEntry(state.draws[i], &date);
    if (!IsPlaceholderEntry(date)) onDraw(fields);
  }
  return IsPlaceholderEntry(date);
}

bool WriteRebuiltIndex(ProgramState& state, const IndexBuilder& index, bool lastIsPlaceholder) {
  DeleteIndexFiles(state);  // the marker first, then the old files
  state.indexWriteFailed = index.WriteIndexFiles(state) != 0;
  if (state.indexWriteFailed || lastIsPlaceholder) return false;
  return WriteIndexMarker(state) == 0;
}

}  // namespace

void IntegrateEntry(ProgramState& state, std::size_t entry) {
  std::string date;
  DrawFields fields = ParseDrawEntry(state.draws[entry], &date);
  if (IsPlaceholderEntry(date)) return;
  const bool six = AddSixToIndex(state, fields);
  const bool fivePlus = AddFivePlusToIndex(state, fields);
  const bool five = AddFivesToIndex(state, fields);
  if (!(six && fivePlus && five)) state.indexWriteFailed = true;
  state.tables.CountDraw(fields);
}

std::string IntegrationCaption(std::size_t done, std::size_t total) {
  return std::to_string(done) + " / " + std::to_string(total);
}

void IntegrateDraws(ProgramState& state, bool rebuild, const IntegrationProgress& progress) {
  IntegrateAllDraws(state, rebuild || !IndexMarkerAgrees(state), progress);
}

void IntegrateAllDraws(ProgramState& state, bool buildIndex, const IntegrationProgress& progress) {
  state.indexRebuild = buildIndex;
  IndexBuilder index;
  const bool lastIsPlaceholder = ForEachRealDraw(state, progress, [&](const DrawFields& fields) {
    if (buildIndex) index.AddDraw(fields);
    state.tables.CountDraw(fields);
  });
  if (buildIndex) WriteRebuiltIndex(state, index, lastIsPlaceholder);
}

bool RebuildIndexFiles(ProgramState& state) {
  IndexBuilder index;
  const bool lastIsPlaceholder =
      ForEachRealDraw(state, {}, [&](const DrawFields& fields) { index.AddDraw(fields); });
  return WriteRebuiltIndex(state, index, lastIsPlaceholder);
}

void VouchForIndex(const ProgramState& state) {
  // A placeholder holds "00/00/00" in its date, and no other entry holds it.
  if (!state.indexWriteFailed && !state.draws.empty() && !IsPlaceholderEntry(state.draws.back()))
    WriteIndexMarker(state);
}

bool IndexMarkerExists(const ProgramState& state) {
  const std::string marker = IndexMarkerName(state);
  std::error_code ignored;
  return !marker.empty() && std::filesystem::exists(state.InFolder(marker), ignored);
}

}  // namespace bw
