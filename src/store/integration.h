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

// full = true (start-up): rebuilds the index when the marker file is
// missing or `rebuild` is set, counts every real draw, and writes the marker
// unless the last entry looked at is a placeholder or an index file could
// not be written (the next start then rebuilds again). The rebuild gathers
// every file's line in memory and writes each file once.
// full = false (after a draw was appended): the last entry of the draw list
// is always recorded in the index files, then counted; no marker, no progress.
void IntegrateDraws(ProgramState& state, bool full, bool rebuild,
                    const IntegrationProgress& progress = {});

bool IndexMarkerExists(const ProgramState& state);

}  // namespace bw
