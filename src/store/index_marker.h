// SPDX-License-Identifier: GPL-3.0-or-later
// The index marker file ("Lotto.dnd"). Its first line is the old warning;
// the lines after it record what the combination index files were built
// from: the number of real draws taken in, a checksum of those draw entries,
// and the size and checksum of every index file. The marker is written last
// (after the index files, and after an added draw also after the history),
// and the index is trusted only while all of it agrees with the draw list
// and the folder; anything else, an old marker without these lines included,
// means a rebuild.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/program_state.h"

namespace bw {

struct IndexFileStamp {
  uintmax_t size = 0;
  uint64_t checksum = 0;
  bool operator==(const IndexFileStamp&) const = default;
};

struct IndexStamp {
  uint64_t draws = 0;  // real draws, placeholders left out
  uint64_t drawChecksum = 0;
  std::map<std::string, IndexFileStamp> files;  // "03_S_Lotto.opt" -> stamp
  bool operator==(const IndexStamp&) const = default;
};

// The stamp of the draw list and of the index files now in the folder.
IndexStamp CurrentIndexStamp(const ProgramState& state);

// The marker's record; nullopt when it is missing, unreadable, old or damaged.
std::optional<IndexStamp> ReadIndexMarker(const ProgramState& state);
// The same from the marker's lines.
std::optional<IndexStamp> ParseIndexMarker(const std::vector<std::string>& lines);

// Writes the marker for the draw list and the index files as they are now.
// Returns 0 or the error number.
int16_t WriteIndexMarker(const ProgramState& state);

// Deletes the marker before the index files change, so that a run cut short
// leaves no marker vouching for them.
void WithdrawIndexMarker(const ProgramState& state);

// True when the marker exists and agrees with the draw list and the folder.
bool IndexMarkerAgrees(const ProgramState& state);

// "Lotto.dnd" for "Lotto.opt"; empty when the lottery file name is too short.
std::string IndexMarkerName(const ProgramState& state);

}  // namespace bw
