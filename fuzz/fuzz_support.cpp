// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_support.h"

namespace bw::fuzz {

ProgramState& FuzzState() {
  static ProgramState state;
  state.lottoFile = "Fuzz.opt";
  state.settings = {};
  state.settingsProblem.clear();
  state.draws.clear();
  state.historyRead = {};
  state.oldestDrawDate = state.newestDrawDate = 0;
  return state;
}

}  // namespace bw::fuzz
