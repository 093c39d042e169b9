// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/index_lookup.h"

#include <cstdio>

#include "model/numbers.h"

namespace bw {
namespace {

constexpr std::size_t kKeyLength = 12;
constexpr uint64_t kFirstNumberScale = 10'000'000'000ULL;  // 10^10

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The value of twelve digits, or false when `text` is anything else.
bool KeyValue(std::string_view text, uint64_t& value) {
  if (text.size() != kKeyLength) return false;
  value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  return true;
}

int KindSlot(IndexKind kind) {
  switch (kind) {
    case IndexKind::Six:
      return 0;
    case IndexKind::FivePlus:
      return 1;
    case IndexKind::Five:
      break;
  }
  return 2;
}

std::string KeyText(uint64_t value) {
  char text[kKeyLength + 1];
  std::snprintf(text, sizeof text, "%012llu", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace

int64_t FileIndexLookup::Count(IndexKind kind, const std::string& key) {
  return CountInIndexLine(read_(kind, key), key);
}

// Every 12-digit text of the line is a place the key search can stop at,
// so recording the first occurrence of each gives the search's answers.
struct CachedIndexLookup::FileKeys {
  std::unordered_map<uint64_t, int64_t> counts;
  std::vector<uint64_t> order;

  explicit FileKeys(const std::string& line) {
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
      if (i < line.size() && IsDigit(line[i])) continue;
      for (std::size_t p = runStart; p + kKeyLength <= i; ++p) Record(line, p);
      runStart = i + 1;
    }
  }
  void Record(const std::string& line, std::size_t pos) {
    uint64_t value = 0;
    KeyValue(std::string_view(line).substr(pos, kKeyLength), value);
    if (counts.emplace(value, CountAfterKeyAt(line, pos)).second) order.push_back(value);
  }
};

CachedIndexLookup::CachedIndexLookup(IndexLineReader reader) : read_(std::move(reader)) {}

CachedIndexLookup::~CachedIndexLookup() = default;

const CachedIndexLookup::FileKeys& CachedIndexLookup::File(IndexKind kind, int firstNumber) {
  auto& slot = files_[KindSlot(kind)][firstNumber];
  if (!slot) slot = std::make_unique<FileKeys>(read_(kind, TwoDigits(firstNumber)));
  return *slot;
}

int64_t CachedIndexLookup::Count(IndexKind kind, const std::string& key) {
  uint64_t value = 0;
  if (!KeyValue(key, value)) return 0;  // a key that no index line can hold
  const FileKeys& file = File(kind, static_cast<int>(value / kFirstNumberScale));
  const auto found = file.counts.find(value);
  return found == file.counts.end() ? 0 : found->second;
}

void CachedIndexLookup::Forget() {
  for (auto& kindFiles : files_)
    for (auto& file : kindFiles) file.reset();
  ++generation_;
}

std::vector<IndexEntry> CachedIndexLookup::AllEntries(IndexKind kind) {
  std::vector<IndexEntry> entries;
  for (int first = kLowestNumber; first <= kHighestNumber; ++first) {
    const FileKeys& file = File(kind, first);
    for (uint64_t value : file.order)
      if (value / kFirstNumberScale == static_cast<uint64_t>(first))
        entries.push_back({KeyText(value), file.counts.at(value)});
  }
  return entries;
}

}  // namespace bw
