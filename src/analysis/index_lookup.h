// SPDX-License-Identifier: GPL-3.0-or-later
// How the line check reads counts from the combination index files. Two
// readers give the same counts: one reads the file anew for every look-up,
// the other reads each file once and is told when a draw was added.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
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
  virtual int64_t Count(IndexKind kind, const std::string& key) = 0;
};

// The whole first line of the index file that holds `key` (selected by its
// first two characters) for `kind`; "" when it cannot be read.
using IndexLineReader = std::function<std::string(IndexKind kind, const std::string& key)>;

// Reads the index files of the program folder (ReadIndexLine). The state
// must outlive the reader.
IndexLineReader FolderIndexReader(const ProgramState& state);

// Reads the key's index file at every look-up.
class FileIndexLookup : public IndexLookup {
 public:
  explicit FileIndexLookup(const ProgramState& state);
  explicit FileIndexLookup(IndexLineReader reader) : read_(std::move(reader)) {}
  int64_t Count(IndexKind kind, const std::string& key) override;

 private:
  IndexLineReader read_;
};

// Every index entry a check of a line can find, by kind, for engines that
// derive their own data from them; Generation() changes whenever they may.
class IndexEntrySource {
 public:
  virtual ~IndexEntrySource() = default;
  virtual std::vector<IndexEntry> AllEntries(IndexKind kind) = 0;
  virtual unsigned Generation() const = 0;
};

// Reads each index file once; Forget() drops what a newly added draw changed
// (call it after the draw was integrated).
class CachedIndexLookup : public IndexLookup, public IndexEntrySource {
 public:
  explicit CachedIndexLookup(const ProgramState& state);
  explicit CachedIndexLookup(IndexLineReader reader);
  ~CachedIndexLookup() override;
  int64_t Count(IndexKind kind, const std::string& key) override;
  void Forget();  // everything is read anew on next use
  // Every key of one kind that a check of a line of numbers 1..49 can find:
  // the keys of the files "01".."49" that start with their file's number,
  // each once with the count the check reads. Reads any file not read yet.
  std::vector<IndexEntry> AllEntries(IndexKind kind) override;
  // Bumped by Forget(); engines that derive data from the entries compare it.
  unsigned Generation() const override { return generation_; }

 private:
  // Keys as 12-digit numbers -> count, in order of first occurrence.
  struct FileKeys;
  const FileKeys& File(IndexKind kind, int firstNumber);
  IndexLineReader read_;
  // [kind][first number 0..99], filled on first use.
  std::array<std::array<std::unique_ptr<FileKeys>, 100>, 3> files_;
  unsigned generation_ = 0;
};

}  // namespace bw
