// SPDX-License-Identifier: GPL-3.0-or-later
// The combination index files: for every draw, its six-number set ("S"), its
// six five-number sets with the bonus ("P") and without ("F"), each with a
// count of the draws that produced it. One small one-line file per kind and
// smallest number: "03_S_Lotto.opt" in the program folder. An entry is the
// 12-digit key, "=", the count right-aligned in three characters, ":"; counts
// of 1000 and more keep all their digits, so an entry ends at its ":".
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/draw_fields.h"
#include "model/program_state.h"

namespace bw {

enum class IndexKind : char { Six = 'S', FivePlus = 'P', Five = 'F' };

// "03_S_Lotto.opt" for a key starting with "03".
std::string IndexFileName(const std::string& key, IndexKind kind, const std::string& lottoFile);

bool IndexFileExists(const ProgramState& state, const std::string& key, IndexKind kind);
// These three return 0 or the error number of the failed write.
int16_t CreateIndexFile(const ProgramState& state, const std::string& key, IndexKind kind);
int16_t AddToIndexFile(const ProgramState& state, const std::string& key, IndexKind kind);
// Creates or adds, as the file's existence says. Keys shorter than 12
// characters (a malformed draw) are not recorded.
int16_t RecordIndexKey(const ProgramState& state, const std::string& key, IndexKind kind);
// The first line of the key's index file, or "" when it cannot be read.
std::string ReadIndexLine(const ProgramState& state, const std::string& key, IndexKind kind);

// Each returns false when a key could not be written.
bool AddSixToIndex(const ProgramState& state, DrawFields& fields);
bool AddFivePlusToIndex(const ProgramState& state, DrawFields& fields);
// Sets fields[7] to "00" first, then records the six "F" keys.
bool AddFivesToIndex(const ProgramState& state, DrawFields& fields);

// The "S" key of a draw, and its six five-number keys (each followed by the
// bonus slot fields[7]) in the order they are recorded.
std::string SixKey(const DrawFields& fields);
std::vector<std::string> FiveKeys(const DrawFields& fields);

// "??_?_" + lottoFile, "?" standing for any one character.
bool IsIndexFileOf(const std::string& name, const std::string& lottoFile);

// Deletes every "??_?_" + lottoFile file and the index marker file; read-only
// files are made writable first, files that cannot be deleted are skipped.
void DeleteIndexFiles(const ProgramState& state);

// One index line's entries: key -> count, in file order.
struct IndexEntry {
  std::string key;  // 12 digits
  int64_t count = 0;
  bool operator==(const IndexEntry&) const = default;
};
// The index line with one more draw of `key`: its count raised, or a new
// entry at the end.
std::string WithKeyAdded(std::string line, const std::string& key);
// Count of `key` in an index line as the check reads it: the first place the
// key's twelve digits occur, then the number after its "=" (13 characters on);
// 0 when the key is absent or a damaged line holds no count there. Counts are
// untrusted input: a damaged one may be negative or huge (its magnitude is
// capped far below overflow), and the check treats such counts as damage.
int64_t CountInIndexLine(std::string_view line, std::string_view key);
// The count of the entry whose key starts at `keyPosition`.
int64_t CountAfterKeyAt(std::string_view line, std::size_t keyPosition);

// Formats entries back into one index line ("030811172538=  1:...").
std::string FormatIndexLine(const std::vector<IndexEntry>& entries);

// Builds the lines of every index file in memory for a set of draws, in the
// order recording them one by one would give; written once each by
// WriteIndexFiles. Used by the full rebuild.
class IndexBuilder {
 public:
  // Records the draw's "S", "P" and "F" keys as the three Add*ToIndex do.
  void AddDraw(DrawFields fields);
  // Writes every file; returns the number of files that failed.
  int WriteIndexFiles(const ProgramState& state) const;

 private:
  // A key's twelve characters as two whole numbers, so that a rebuild
  // (some 13 keys a draw) gathers them without a string or a hash node each.
  struct PackedKey {
    uint64_t head = 0;   // characters 1..8
    uint32_t tail = 0;   // characters 9..12
    uint32_t order = 0;  // when the key was recorded in its file
  };
  struct FileContent {
    std::string prefix;  // "03_S_"
    std::vector<PackedKey> keys;
  };
  void Record(const std::string& key, IndexKind kind);
  // The entries of a file: its keys counted, in the order they first came.
  static std::vector<IndexEntry> EntriesOf(const std::vector<PackedKey>& keys);
  // The kind and the key's first two characters -> content.
  std::unordered_map<uint32_t, FileContent> files_;
};

}  // namespace bw
