// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/index_files.h"

#include <algorithm>
#include <tuple>

#include "model/numbers.h"
#include "store/index_marker.h"
#include "store/text_file.h"

namespace bw {
namespace {

constexpr std::size_t kKeyLength = 12;
constexpr std::size_t kCountWidth = 3;

std::string FilePrefix(const std::string& key, IndexKind kind) {
  return key.substr(0, 2) + "_" + static_cast<char>(kind) + "_";
}

std::filesystem::path IndexPath(const ProgramState& state, const std::string& key, IndexKind kind) {
  return state.InFolder(IndexFileName(key, kind, state.lottoFile));
}

std::string Entry(const std::string& key, int64_t count) {
  return key.substr(0, kKeyLength) + "=" + RightAligned(count, kCountWidth) + ":";
}

bool RecordAll(const ProgramState& state, const std::vector<std::string>& keys, IndexKind kind) {
  bool written = true;
  for (const std::string& key : keys) written = RecordIndexKey(state, key, kind) == 0 && written;
  return written;
}

// The whole number of an index count: blanks, an optional sign, digits. The
// magnitude stops growing at 10^15 so that no damaged text can overflow it.
int64_t CountValue(std::string_view text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return 0;
  const bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+') ++i;
  constexpr int64_t kCap = 1'000'000'000'000'000;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min(kCap, value * 10 + (text[i] - '0'));
  return negative ? -value : value;
}

}  // namespace

std::string IndexFileName(const std::string& key, IndexKind kind, const std::string& lottoFile) {
  return FilePrefix(key, kind) + lottoFile;
}

bool IsIndexFileOf(const std::string& name, const std::string& lottoFile) {
  return name.size() == 5 + lottoFile.size() && name[2] == '_' && name[4] == '_' &&
         name.compare(5, std::string::npos, lottoFile) == 0;
}

bool IndexFileExists(const ProgramState& state, const std::string& key, IndexKind kind) {
  std::error_code ignored;
  return std::filesystem::exists(IndexPath(state, key, kind), ignored);
}

int16_t CreateIndexFile(const ProgramState& state, const std::string& key, IndexKind kind) {
  return WriteTextLines(IndexPath(state, key, kind), {Entry(key, 1)});
}

std::string WithKeyAdded(std::string line, const std::string& key) {
  const std::size_t position = line.find(key.substr(0, kKeyLength));
  if (position == std::string::npos) {
    line += Entry(key, 1);
  } else {
    const std::size_t countStart = position + kKeyLength + 1;
    const int64_t count = CountAfterKeyAt(line, position) + 1;
    const std::size_t colon = line.find(':', countStart);
    const std::string rest = colon == std::string::npos ? "" : line.substr(colon + 1);
    // The key and its "=" (put back when a damaged line lost it), the count,
    // then the entries after this one.
    line =
        line.substr(0, position + kKeyLength) + "=" + RightAligned(count, kCountWidth) + ":" + rest;
  }
  return line;
}

int16_t AddToIndexFile(const ProgramState& state, const std::string& key, IndexKind kind) {
  return WriteTextLines(IndexPath(state, key, kind),
                        {WithKeyAdded(ReadIndexLine(state, key, kind), key)});
}

int16_t RecordIndexKey(const ProgramState& state, const std::string& key, IndexKind kind) {
  if (key.size() < kKeyLength) return 0;
  if (IndexFileExists(state, key, kind)) return AddToIndexFile(state, key, kind);
  return CreateIndexFile(state, key, kind);
}

std::string ReadIndexLine(const ProgramState& state, const std::string& key, IndexKind kind) {
  if (key.size() < 2) return {};
  const ReadResult file = ReadTextLines(IndexPath(state, key, kind));
  return file.error == 0 && !file.lines.empty() ? file.lines.front() : std::string();
}

std::string SixKey(const DrawFields& fields) {
  std::string key;
  for (int i = 1; i <= 6; ++i) key += fields[i];
  return key;
}

std::vector<std::string> FiveKeys(const DrawFields& fields) {
  std::vector<std::string> keys;
  keys.reserve(6);
  // Leaving out one position, from the last to the first, gives the
  // five-element subsets in lexicographic order.
  for (int left = 6; left >= 1; --left) {
    std::string key;
    for (int i = 1; i <= 6; ++i) {
      if (i != left) key += fields[i];
    }
    keys.push_back(key + fields[7]);
  }
  return keys;
}

bool AddSixToIndex(const ProgramState& state, DrawFields& fields) {
  return RecordIndexKey(state, SixKey(fields), IndexKind::Six) == 0;
}

bool AddFivePlusToIndex(const ProgramState& state, DrawFields& fields) {
  return RecordAll(state, FiveKeys(fields), IndexKind::FivePlus);
}

bool AddFivesToIndex(const ProgramState& state, DrawFields& fields) {
  fields[7] = "00";
  return RecordAll(state, FiveKeys(fields), IndexKind::Five);
}

void DeleteIndexFiles(const ProgramState& state) {
  if (state.lottoFile.empty()) return;
  // The marker goes first: it must never vouch for a half-deleted index.
  WithdrawIndexMarker(state);
  std::error_code error;
  std::vector<std::filesystem::path> doomed;
  for (std::filesystem::directory_iterator it(state.appFolder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    // with the new files that writes cut short by a kill left behind
    const std::string written = name.substr(0, name.find(kUnfinishedEnding));
    if (IsIndexFileOf(written, state.lottoFile)) doomed.push_back(*it);
  }
  for (const auto& file : doomed) {
    if (MakeWritable(file) == 0) DeleteFileIfPresent(file);
  }
}

int64_t CountInIndexLine(std::string_view line, std::string_view key) {
  if (key.empty()) return 0;
  const std::size_t position = line.find(key.substr(0, kKeyLength));
  return position == std::string_view::npos ? 0 : CountAfterKeyAt(line, position);
}

int64_t CountAfterKeyAt(std::string_view line, std::size_t keyPosition) {
  const std::size_t countStart = keyPosition + kKeyLength + 1;
  return countStart < line.size() ? CountValue(line.substr(countStart)) : 0;
}

std::string FormatIndexLine(const std::vector<IndexEntry>& entries) {
  std::string line;
  line.reserve(entries.size() * 17);
  for (const IndexEntry& entry : entries) line += Entry(entry.key, entry.count);
  return line;
}

void IndexBuilder::AddDraw(DrawFields fields) {
  Record(SixKey(fields), IndexKind::Six);
  for (const std::string& key : FiveKeys(fields)) Record(key, IndexKind::FivePlus);
  fields[7] = "00";
  for (const std::string& key : FiveKeys(fields)) Record(key, IndexKind::Five);
}

void IndexBuilder::Record(const std::string& key, IndexKind kind) {
  if (key.size() < kKeyLength) return;
  const auto byte = [&key](std::size_t i) { return static_cast<unsigned char>(key[i]); };
  const uint32_t fileSlot = static_cast<uint32_t>(kind) << 16 | byte(0) << 8 | byte(1);
  FileContent& file = files_[fileSlot];
  if (file.prefix.empty()) file.prefix = FilePrefix(key, kind);
  PackedKey packed;
  for (std::size_t i = 0; i < 8; ++i) packed.head = packed.head << 8 | byte(i);
  for (std::size_t i = 8; i < kKeyLength; ++i) packed.tail = packed.tail << 8 | byte(i);
  packed.order = static_cast<uint32_t>(file.keys.size());
  file.keys.push_back(packed);
}

std::vector<IndexEntry> IndexBuilder::EntriesOf(const std::vector<PackedKey>& keys) {
  // Equal keys side by side, each run in the order recorded: the run's first
  // key is where the entry stands in the file and carries the run's count.
  std::vector<PackedKey> sorted = keys;
  std::sort(sorted.begin(), sorted.end(), [](const PackedKey& a, const PackedKey& b) {
    return std::tie(a.head, a.tail, a.order) < std::tie(b.head, b.tail, b.order);
  });
  std::vector<int64_t> countAt(keys.size(), 0);
  for (std::size_t i = 0; i < sorted.size();) {
    std::size_t end = i + 1;
    while (end < sorted.size() && sorted[end].head == sorted[i].head &&
           sorted[end].tail == sorted[i].tail)
      ++end;
    countAt[sorted[i].order] = static_cast<int64_t>(end - i);
    i = end;
  }
  std::vector<IndexEntry> entries;
  for (std::size_t at = 0; at < keys.size(); ++at) {
    if (countAt[at] == 0) continue;
    std::string text(kKeyLength, ' ');
    for (std::size_t k = 0; k < 8; ++k) text[k] = static_cast<char>(keys[at].head >> (56 - 8 * k));
    for (std::size_t k = 8; k < kKeyLength; ++k)
      text[k] = static_cast<char>(keys[at].tail >> (8 * (kKeyLength - 1 - k)));
    entries.push_back({std::move(text), countAt[at]});
  }
  return entries;
}

int IndexBuilder::WriteIndexFiles(const ProgramState& state) const {
  int failed = 0;
  for (const auto& [slot, content] : files_) {
    const auto file = state.InFolder(content.prefix + state.lottoFile);
    if (WriteTextLines(file, {FormatIndexLine(EntriesOf(content.keys))}) != 0) ++failed;
  }
  return failed;
}

}  // namespace bw
