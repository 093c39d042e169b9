// How the line check reads counts from the combination index files. Two
// readers give the same counts: one reads the file anew for every look-up,
// the other reads each file once and is told when a draw was added.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "model/program_state.h"
#include "store/index_files.h"

namespace bw {

class IndexLookup {
 public:
  virtual ~IndexLookup() = default;
  // Count of the 12-digit key in the index file of its kind and first
  // number; 0 when the key or the file is missing.
  virtual int Count(IndexKind kind, const std::string& key) = 0;
};

// Reads the key's index file at every look-up.
class FileIndexLookup : public IndexLookup {
 public:
  explicit FileIndexLookup(const ProgramState& state) : state_(state) {}
  int Count(IndexKind kind, const std::string& key) override;

 private:
  const ProgramState& state_;
};

// Reads each index file once; Forget() drops what a newly added draw changed
// (call it after the draw was integrated).
class CachedIndexLookup : public IndexLookup {
 public:
  explicit CachedIndexLookup(const ProgramState& state) : state_(state) {}
  int Count(IndexKind kind, const std::string& key) override;
  void Forget();  // everything is read anew on next use
  // All entries of one kind, reading any file not read yet (for the search).
  std::vector<IndexEntry> AllEntries(IndexKind kind);
  // Bumped by Forget(); engines that derive data from the entries compare it.
  unsigned Generation() const { return generation_; }

 private:
  const std::unordered_map<std::string, int>& File(IndexKind kind, const std::string& firstTwo);
  const ProgramState& state_;
  std::unordered_map<std::string, std::unordered_map<std::string, int>> files_;
  unsigned generation_ = 0;
};

}  // namespace bw
