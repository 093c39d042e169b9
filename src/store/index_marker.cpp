// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/index_marker.h"

#include <charconv>
#include <fstream>

#include "store/file_error.h"
#include "store/index_files.h"
#include "store/integration.h"
#include "store/text_file.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

// FNV-1a, 64 bits: cheap, and every byte and its place count.
class Checksum {
 public:
  void Add(std::string_view bytes) {
    for (unsigned char c : bytes) value_ = (value_ ^ c) * 0x100000001b3ULL;
  }
  uint64_t Value() const { return value_; }

 private:
  uint64_t value_ = 0xcbf29ce484222325ULL;
};

constexpr std::string_view kDrawsField = "draws=";
constexpr std::string_view kChecksumField = "checksum=";
constexpr std::size_t kPrefixLength = 5;  // "03_S_"

std::string Hex(uint64_t value) {
  char text[17];
  const auto end = std::to_chars(text, text + 16, value, 16).ptr;
  return std::string(text, end);
}

template <typename Number>
bool ParseWhole(std::string_view text, Number& value, int base = 10) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ParseField(std::string_view line, std::string_view field, uint64_t& value, int base) {
  return line.starts_with(field) && ParseWhole(line.substr(field.size()), value, base);
}

// "03_S 1234 89abcdef01234567": the file by its prefix (the rest of its name
// is the lottery's), its size and checksum.
bool ParseFileLine(std::string_view line, IndexStamp& stamp) {
  const std::size_t first = line.find(' '), second = line.find(' ', first + 1);
  if (first != kPrefixLength - 1 || second == std::string_view::npos) return false;
  IndexFileStamp file;
  if (!ParseWhole(line.substr(first + 1, second - first - 1), file.size) ||
      !ParseWhole(line.substr(second + 1), file.checksum, 16))
    return false;
  return stamp.files.emplace(std::string(line.substr(0, first)), file).second;
}

// Checksum of the first `size` bytes; nullopt when they cannot be read.
std::optional<uint64_t> FileChecksum(const fs::path& file, uintmax_t size) {
  std::ifstream in(file, std::ios::binary);
  Checksum sum;
  char buffer[1 << 16];
  while (in && size > 0) {
    in.read(buffer, static_cast<std::streamsize>(std::min<uintmax_t>(size, sizeof buffer)));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got == 0) break;
    sum.Add({buffer, got});
    size -= got;
  }
  if (size != 0) return std::nullopt;
  return sum.Value();
}

// nullopt when an index file cannot be read: such an index is never vouched for.
std::optional<IndexStamp> StampNow(const ProgramState& state) {
  IndexStamp stamp;
  Checksum draws;
  for (const std::string& entry : state.draws) {
    if (IsPlaceholderEntry(entry)) continue;  // "00/00/00" is only ever a date
    ++stamp.draws;
    draws.Add(entry);
    draws.Add("\n");
  }
  stamp.drawChecksum = draws.Value();
  std::error_code error;
  for (fs::directory_iterator it(state.appFolder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (!IsIndexFileOf(name, state.lottoFile)) continue;
    std::error_code sizeError;
    const uintmax_t size = it->file_size(sizeError);
    const auto checksum = sizeError ? std::nullopt : FileChecksum(it->path(), size);
    if (!checksum) return std::nullopt;
    stamp.files[name.substr(0, kPrefixLength - 1)] = {size, *checksum};
  }
  if (error) return std::nullopt;
  return stamp;
}

}  // namespace

std::string IndexMarkerName(const ProgramState& state) {
  return state.LotteryFileName(".dnd");
}

IndexStamp CurrentIndexStamp(const ProgramState& state) {
  return StampNow(state).value_or(IndexStamp{});
}

std::optional<IndexStamp> ReadIndexMarker(const ProgramState& state) {
  if (IndexMarkerName(state).empty()) return std::nullopt;
  const ReadResult marker = ReadTextLines(state.InFolder(IndexMarkerName(state)));
  if (marker.error != 0) return std::nullopt;
  return ParseIndexMarker(marker.lines);
}

std::optional<IndexStamp> ParseIndexMarker(const std::vector<std::string>& lines) {
  IndexStamp stamp;
  if (lines.size() < 3 || lines[0] != kIndexMarkerLine ||
      !ParseField(lines[1], kDrawsField, stamp.draws, 10) ||
      !ParseField(lines[2], kChecksumField, stamp.drawChecksum, 16))
    return std::nullopt;
  for (std::size_t i = 3; i < lines.size(); ++i)
    if (!ParseFileLine(lines[i], stamp)) return std::nullopt;
  return stamp;
}

int16_t WriteIndexMarker(const ProgramState& state) {
  const std::string name = IndexMarkerName(state);
  const std::optional<IndexStamp> stamp = StampNow(state);
  if (name.empty() || !stamp) return kPathFileAccess;
  std::vector<std::string> lines = {std::string(kIndexMarkerLine),
                                    std::string(kDrawsField) + std::to_string(stamp->draws),
                                    std::string(kChecksumField) + Hex(stamp->drawChecksum)};
  for (const auto& [prefix, file] : stamp->files)
    lines.push_back(prefix + " " + std::to_string(file.size) + " " + Hex(file.checksum));
  const fs::path path = state.InFolder(name);
  MakeWritable(path);
  return WriteTextLines(path, lines);
}

void WithdrawIndexMarker(const ProgramState& state) {
  const std::string name = IndexMarkerName(state);
  if (name.empty()) return;
  MakeWritable(state.InFolder(name));
  DeleteFileIfPresent(state.InFolder(name));
}

bool IndexMarkerAgrees(const ProgramState& state) {
  const std::optional<IndexStamp> recorded = ReadIndexMarker(state);
  return recorded && recorded == StampNow(state);
}

}  // namespace bw
