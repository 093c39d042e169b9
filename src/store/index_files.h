// The combination index files: for every draw, its six-number set ("S"), its
// six five-number sets with the bonus ("P") and without ("F"), each with a
// count of the draws that produced it. One small one-line file per kind and
// smallest number: "03_S_Lotto.opt" in the program folder.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "model/draw_fields.h"
#include "model/program_state.h"

namespace bw {

enum class IndexKind : char { Six = 'S', FivePlus = 'P', Five = 'F' };

// "03_S_Lotto.opt" for a key starting with "03".
std::string IndexFileName(const std::string& key, IndexKind kind, const std::string& lottoFile);

bool IndexFileExists(const ProgramState& state, const std::string& key, IndexKind kind);
void CreateIndexFile(const ProgramState& state, const std::string& key, IndexKind kind);
void AddToIndexFile(const ProgramState& state, const std::string& key, IndexKind kind);
// Creates or adds, as the file's existence says.
void RecordIndexKey(const ProgramState& state, const std::string& key, IndexKind kind);
// The first line of the key's index file, or "" when it cannot be read.
std::string ReadIndexLine(const ProgramState& state, const std::string& key, IndexKind kind);

void AddSixToIndex(const ProgramState& state, DrawFields& fields);
void AddFivePlusToIndex(const ProgramState& state, DrawFields& fields);
// Sets fields[7] to "00" first, then records the six "F" keys.
void AddFivesToIndex(const ProgramState& state, DrawFields& fields);

// Deletes every "??_?_" + lottoFile file and the index marker file.
void DeleteIndexFiles(const ProgramState& state);

// One index line's entries: key -> count, in file order.
struct IndexEntry {
  std::string key;  // 12 digits
  int count = 0;
};
std::vector<IndexEntry> ParseIndexLine(const std::string& line);
// Count of `key` in an index line as the check reads it: the number after
// the key's "=", or 0 when the key is absent.
int CountInIndexLine(const std::string& line, const std::string& key);

// Builds the lines of every index file in memory for a set of draws, in the
// order recording them one by one would give; written once each by
// WriteIndexFiles. Used by the full rebuild.
class IndexBuilder {
 public:
  void AddDraw(DrawFields fields);
  // Writes every file; returns the number of files that failed.
  int WriteIndexFiles(const ProgramState& state) const;

 private:
  // file name suffix "03_S_" -> (key -> position, entries)
  struct FileContent {
    std::map<std::string, std::size_t> position;
    std::vector<IndexEntry> entries;
  };
  void Record(const std::string& key, IndexKind kind);
  std::map<std::string, FileContent> files_;
};

// Formats entries back into one index line ("030811172538=  1:...").
std::string FormatIndexLine(const std::vector<IndexEntry>& entries);

}  // namespace bw
