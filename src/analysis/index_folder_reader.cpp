// SPDX-License-Identifier: GPL-3.0-or-later
// The look-ups on the program folder's index files, kept apart so that code
// which reads index lines from elsewhere does not need the file store.
#include "analysis/index_lookup.h"

namespace bw {

IndexLineReader FolderIndexReader(const ProgramState& state) {
  const ProgramState* folder = &state;
  return [folder](IndexKind kind, const std::string& key) {
    return ReadIndexLine(*folder, key, kind);
  };
}

FileIndexLookup::FileIndexLookup(const ProgramState& state) : read_(FolderIndexReader(state)) {}

CachedIndexLookup::CachedIndexLookup(const ProgramState& state)
    : CachedIndexLookup(FolderIndexReader(state)) {}

}  // namespace bw
