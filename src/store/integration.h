// SPDX-License-Identifier: GPL-3.0-or-later
// Feeding draws of the draw list to the counting tables and, when the index
// must be built, to the combination index files.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/program_state.h"

namespace bw {

inline constexpr std::string_view kIndexMarkerLine = "WARNING:- DO NOT DELETE THIS FILE.";

// "(i + 1) / count" after each entry of a full integration.
using IntegrationProgress = std::function<void(std::size_t done, std::size_t total)>;

// The splash caption for a progress report: "17 / 1234".
std::string IntegrationCaption(std::size_t done, std::size_t total);

// Start-up: rebuilds the index unless the marker file agrees with the draw
// list and the index files (or when `rebuild` is set), and counts every real
// draw.
void IntegrateDraws(ProgramState& state, bool rebuild, const IntegrationProgress& progress = {});

// Records one entry of the draw list (a placeholder is passed over) in the
// index files and counts it. The caller has withdrawn the marker; it writes
// it again with VouchForIndex once the history holds the entry.
void IntegrateEntry(ProgramState& state, std::size_t entry);

// The full integration for a caller that has already asked the marker:
// counts every real draw and builds the index when `buildIndex` is set.
void IntegrateAllDraws(ProgramState& state, bool buildIndex,
                       const IntegrationProgress& progress = {});

// Deletes the index files and builds them anew from the draw list (the
// counting tables are left alone). Every file's line is gathered in memory
// and written once; the marker is written last, unless the last entry is a
// placeholder or a file could not be written (the next start then rebuilds
// again). True when the index and its marker were written.
bool RebuildIndexFiles(ProgramState& state);

// Writes the marker for the index as it is, unless an index file could not
// be updated since the last build (the marker then stays away and the next
// start rebuilds).
void VouchForIndex(const ProgramState& state);

bool IndexMarkerExists(const ProgramState& state);

}  // namespace bw
