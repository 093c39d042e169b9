// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/all_lines_search.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <map>
#include <system_error>
#include <thread>

#include "analysis/single_line_check.h"

namespace bw {
namespace {

// Slices shorter than this are not worth a second thread.
constexpr int64_t kMinLinesPerThread = 100'000;

// A line with five-plus-bonus or six hits, as one item per index entry that
// reaches it: rank << 34 | kind << 32 | count (two's complement).
enum SpecialKind : uint64_t { kFivePlus = 1, kSix = 2 };
constexpr int kRankShift = 34;

uint64_t SpecialItem(int64_t rank, SpecialKind kind, int64_t count) {
  return static_cast<uint64_t>(rank) << kRankShift | kind << 32 | static_cast<uint32_t>(count);
}
int64_t ItemRank(uint64_t item) {
  return static_cast<int64_t>(item >> kRankShift);
}

// The numbers of a 12-digit key; false when a pair is not two digits.
bool KeyNumbers(const std::string& key, std::array<int, 6>& numbers) {
  if (key.size() != 12) return false;
  for (int i = 0; i < 6; ++i) {
    const char high = key[2 * i], low = key[2 * i + 1];
    if (high < '0' || high > '9' || low < '0' || low > '9') return false;
    numbers[i] = (high - '0') * 10 + (low - '0');
  }
  return true;
}

// The first five numbers of a key, when they are a set a check looks up.
bool IsFiveSet(const std::array<int, 6>& numbers) {
  for (int i = 0; i < 5; ++i)
    if (numbers[i] < kLowestNumber || numbers[i] > kHighestNumber ||
        (i > 0 && numbers[i] <= numbers[i - 1]))
      return false;
  return true;
}

// `five` with `extra` put in its place; false when extra is already there.
bool LineWith(const std::array<int, 6>& five, int extra, Line& line) {
  int out = 0;
  bool placed = false;
  for (int i = 0; i < 5; ++i) {
    if (five[i] == extra) return false;
    if (!placed && extra < five[i]) {
      line[out++] = extra;
      placed = true;
    }
    line[out++] = five[i];
  }
  if (!placed) line[out] = extra;
  return true;
}

// What a sweep does with each line: Exact() for a line whose percentage is
// known, Money() for one whose percentage follows from its 3- and 4-hit money.
// line[5] is only set by the sink when it keeps the line.
class FoundSink {
 public:
  FoundSink(int64_t leastFoundMoney, int32_t drawCount)
      : least_(leastFoundMoney), drawCount_(drawCount) {}
  void Exact(Line& line, int f, int percent) {
    if (percent < kFoundThreshold) return;
    line[5] = f;
    found.push_back({line, percent});
  }
  void Money(Line& line, int f, int64_t money) {
    if (money >= least_) Exact(line, f, PercentOfMoney(money, drawCount_));
  }
  std::vector<FoundLine> found;

 private:
  int64_t least_;
  int32_t drawCount_;
};

// Counts the lines at each percentage. Most lines are counted by their money,
// which turns into a percentage once for all lines of the same money.
class PercentSink {
 public:
  explicit PercentSink(int32_t drawCount)
      : drawCount_(drawCount), byMoney_(kMoneySlots, 0), byPercent_(kPercentSlots, 0) {}
  void Exact(Line&, int, int percent) {
    if (percent >= 0 && percent < kPercentSlots)
      ++byPercent_[static_cast<std::size_t>(percent)];
    else
      ++rare_[percent];
  }
  void Money(Line& line, int f, int64_t money) {
    if (money >= 0 && money < kMoneySlots)
      ++byMoney_[static_cast<std::size_t>(money)];
    else
      Exact(line, f, PercentOfMoney(money, drawCount_));
  }
  void AddTo(std::map<int, int64_t>& counts) const {
    for (int money = 0; money < kMoneySlots; ++money)
      if (const int64_t lines = byMoney_[static_cast<std::size_t>(money)])
        counts[PercentOfMoney(money, drawCount_)] += lines;
    for (int percent = 0; percent < kPercentSlots; ++percent)
      if (const int64_t lines = byPercent_[static_cast<std::size_t>(percent)])
        counts[percent] += lines;
    for (const auto& [percent, lines] : rare_) counts[percent] += lines;
  }

 private:
  static constexpr int kMoneySlots = 1 << 16, kPercentSlots = 1024;
  int32_t drawCount_;
  std::vector<int64_t> byMoney_, byPercent_;
  std::map<int, int64_t> rare_;  // percentages beyond the slots
};

// Keeps the percentage of the last line it is given.
class LastPercentSink {
 public:
  explicit LastPercentSink(int32_t drawCount) : drawCount_(drawCount) {}
  void Exact(Line&, int, int percent) { percent_ = percent; }
  void Money(Line&, int, int64_t money) { percent_ = PercentOfMoney(money, drawCount_); }
  int Percent() const { return percent_; }

 private:
  int32_t drawCount_;
  int percent_ = 0;
};

}  // namespace

struct AllLinesSearch::Engine {
  const CountingTables& tables;
  IndexEntrySource& index;
  int32_t drawCount;
  LotterySettings returns;
  int threads;
  // The least 3- and 4-hit money whose percentage reaches the threshold.
  int64_t leastFoundMoney = std::numeric_limits<int64_t>::max();
  // "F" counts of every set of five by its rank, after kRowMargin entries so
  // that a row over the last number may start before the first set.
  static constexpr int kRowMargin = 64;
  std::vector<int32_t> fiveCounts;
  std::vector<std::size_t> fivesSet;  // the places of fiveCounts that hold a count
  std::vector<uint64_t> specials;     // sorted by rank
  unsigned generation = 0;
  // An index count outside 0..drawCount, or a line result no history can
  // give, was met: nothing this engine finds can be trusted.
  mutable std::atomic<bool> impossible{false};

  Engine(const CountingTables& t, IndexEntrySource& i, int32_t draws, const LotterySettings& r,
         int threadCount)
      : tables(t), index(i), drawCount(draws), returns(r), threads(std::max(1, threadCount)) {
    FindLeastFoundMoney();
    CollectSpecials();
  }

  // The counts of the sets q1 q2 q3 q4 x, indexed by x (x > q4).
  const int32_t* FiveRow(int q1, int q2, int q3, int q4) const {
    return fiveCounts.data() + kRowMargin + FiveSetRank({q1, q2, q3, q4, q4 + 1}) - (q4 + 1);
  }
  // The percentage (100 / draws) * money is monotone in the money, so one
  // whole amount divides found from not found exactly.
  void FindLeastFoundMoney() {
    if (drawCount <= 0) return;
    const auto reaches = [&](int64_t money) {
      return (100.0 / drawCount) * static_cast<double>(money) >= kFoundThreshold;
    };
    int64_t money = int64_t{kFoundThreshold} * drawCount / 100 - 2;
    while (!reaches(money)) ++money;
    while (reaches(money - 1)) --money;
    leastFoundMoney = money;
  }

  // Index counts are untrusted: one that no history of drawCount draws can
  // hold marks the index as damaged and is left out.
  bool Plausible(const IndexEntry& entry) const {
    const bool plausible = entry.count >= 0 && entry.count <= drawCount;
    if (!plausible) impossible = true;
    return plausible;
  }

  void CollectSpecials() {
    generation = index.Generation();
    impossible = false;  // a new index: what the old one held no longer counts
    // Made once; later only the counts set before are cleared (the index of
    // a history holds few of the 1.9 million sets).
    if (fiveCounts.empty()) fiveCounts.assign(kFiveSetCount + kRowMargin, 0);
    for (const std::size_t place : fivesSet) fiveCounts[place] = 0;
    fivesSet.clear();
    specials.clear();
    std::array<int, 6> numbers{};
    Line line{};
    // Each key comes once, so a set's count is its one entry's.
    for (const IndexEntry& entry : index.AllEntries(IndexKind::Five))
      if (KeyNumbers(entry.key, numbers) && numbers[5] == 0 && IsFiveSet(numbers) &&
          Plausible(entry)) {
        const std::size_t place = kRowMargin + FiveSetRank({numbers[0], numbers[1], numbers[2],
                                                            numbers[3], numbers[4]});
        fiveCounts[place] = static_cast<int32_t>(entry.count);
        fivesSet.push_back(place);
      }
    for (const IndexEntry& entry : index.AllEntries(IndexKind::Six))
      if (entry.count != 0 && KeyNumbers(entry.key, numbers) && IsValidLine(numbers) &&
          Plausible(entry))
        specials.push_back(SpecialItem(LineRank(numbers), kSix, entry.count));
    for (const IndexEntry& entry : index.AllEntries(IndexKind::FivePlus))
      if (entry.count != 0 && KeyNumbers(entry.key, numbers) && IsFiveSet(numbers) &&
          numbers[5] >= kLowestNumber && numbers[5] <= kHighestNumber &&
          LineWith(numbers, numbers[5], line) && Plausible(entry))
        specials.push_back(SpecialItem(LineRank(line), kFivePlus, entry.count));
    std::sort(specials.begin(), specials.end());
  }

  // The result of a line from its table sums and its special items.
  SingleLineResult Exact(int64_t hits3, int64_t hits4, int64_t hits5, const uint64_t* item,
                         const uint64_t* end) const {
    RawHits raw;
    raw.hits3 = hits3;
    raw.hits4 = hits4;
    raw.hits5 = hits5;
    for (; item != end; ++item) {
      const int count = static_cast<int32_t>(static_cast<uint32_t>(*item));
      if (((*item >> 32) & 3) == kSix)
        raw.hits6 += count;
      else
        raw.hits5Bonus += count;
    }
    SingleLineResult result = ResultFromRawHits(raw, drawCount, returns);
    if (result.impossible) impossible = true;
    return result;
  }

  // What the lines of one run a b c d e f share: the sums of the sets
  // without f, and the rows over f of the sets with it.
  struct RunSums {
    int64_t three = 0, four = 0, five = 0;
    const int32_t *pairsWithF = nullptr, *triplesWithF = nullptr;  // within a b c d
    std::array<const int16_t*, 4> treblesWithEF{};                 // x e f
    std::array<const int16_t*, 6> quadsWithEF{};                   // x y e f
    std::array<const int32_t*, 5> fivesWithF{};                    // four of a b c d e, f
  };
  // Checks `line` with f from fLo to fHi; rank and the special items move on.
  template <class Sink>
  void CheckRun(const RunSums& sums, Line line, int fLo, int fHi, int64_t& rank,
                const uint64_t*& special, Sink& sink) const;
  template <class Sink>
  void Sweep(int64_t firstRank, int64_t count, Sink& sink) const;
  // Sweeps `count` lines from `firstRank` split over the threads, one sink
  // made by makeSink() for each part, in order.
  template <class MakeSink>
  auto SweepInParts(int64_t firstRank, int64_t count, MakeSink makeSink);
  SliceResult Slice(const Line& from, int64_t maxLines, std::vector<FoundLine>& found);
  std::vector<PercentageCount> CountPercentages(int64_t firstRank, int64_t count);
};

template <class Sink>
void AllLinesSearch::Engine::CheckRun(const RunSums& sums, Line line, int fLo, int fHi,
                                      int64_t& rank, const uint64_t*& special, Sink& sink) const {
  // Local copies: stores through the references or the vector would make
  // every row pointer be read again for each line.
  const auto [t0, t1, t2, t3] = sums.treblesWithEF;
  const auto [q0, q1, q2, q3, q4, q5] = sums.quadsWithEF;
  const auto [v0, v1, v2, v3, v4] = sums.fivesWithF;
  const int32_t *pairs = sums.pairsWithF, *triples = sums.triplesWithF;
  const int64_t three = sums.three, four = sums.four, five = sums.five;
  const int64_t ret3 = returns.ret3, ret4 = returns.ret4;
  const uint64_t* const specialsEnd = specials.data() + specials.size();
  const uint64_t* item = special;
  int64_t r = rank;
  int64_t nextSpecial = item != specialsEnd ? ItemRank(*item) : -1;
  for (int f = fLo; f <= fHi; ++f, ++r) {
    // 64-bit sums: no count of a history, damaged or huge, can wrap them.
    const int64_t h3 = three + pairs[f] + t0[f] + t1[f] + t2[f] + t3[f];
    const int64_t h4 = four + triples[f] + q0[f] + q1[f] + q2[f] + q3[f] + q4[f] + q5[f];
    const int64_t h5 = five + v0[f] + v1[f] + v2[f] + v3[f] + v4[f];
    if (r == nextSpecial || h5 != 0) {
      const uint64_t* last = item;
      while (last != specialsEnd && ItemRank(*last) == r) ++last;
      sink.Exact(line, f, Exact(h3, h4, h5, item, last).percent);
      item = last;
      if (item != specialsEnd) nextSpecial = ItemRank(*item);
      continue;
    }
    // No five or six: only the fours are peeled off the threes.
    sink.Money(line, f, ret3 * (h3 - 4 * std::max<int64_t>(h4, 0)) + ret4 * h4);
  }
  rank = r;
  special = item;
}

// Lines in order from `firstRank`. Along a run only the last number f
// moves, so the sets without f are summed once per run, and the rows over f
// of the sets with it are summed once per level of the prefix a b c d.
template <class Sink>
void AllLinesSearch::Engine::Sweep(int64_t firstRank, int64_t count, Sink& sink) const {
  constexpr int N = CountingTables::kSize;
  const CountingTables& t = tables;
  const Line s = LineAtRank(firstRank);
  int64_t rank = firstRank;
  const int64_t endRank = firstRank + count;
  const uint64_t* special = std::lower_bound(specials.data(), specials.data() + specials.size(),
                                             static_cast<uint64_t>(firstRank) << kRankShift);

  alignas(64) int32_t p3c[N], p4c[N], p3d[N], p4d[N];
  RunSums sums;
  sums.pairsWithF = p3d;
  sums.triplesWithF = p4d;
  bool resume = true;  // the loops start at `s` once, then run in full
  for (int a = s[0]; a <= 44; ++a) {
    for (int b = resume ? s[1] : a + 1; b <= 45; ++b) {
      for (int c = resume ? s[2] : b + 1; c <= 46; ++c) {
        const int16_t *tab = t.TrebleRow(a, b), *tac = t.TrebleRow(a, c), *tbc = t.TrebleRow(b, c),
                      *qabc = t.QuadRow(a, b, c);
        for (int x = c + 1; x < N; ++x) {
          p3c[x] = tab[x] + tac[x] + tbc[x];
          p4c[x] = qabc[x];
        }
        for (int d = resume ? s[3] : c + 1; d <= 47; ++d) {
          const int16_t *tad = t.TrebleRow(a, d), *tbd = t.TrebleRow(b, d),
                        *tcd = t.TrebleRow(c, d), *qabd = t.QuadRow(a, b, d),
                        *qacd = t.QuadRow(a, c, d), *qbcd = t.QuadRow(b, c, d);
          for (int x = d + 1; x < N; ++x) {
            p3d[x] = p3c[x] + tad[x] + tbd[x] + tcd[x];
            p4d[x] = p4c[x] + qabd[x] + qacd[x] + qbcd[x];
          }
          const int64_t three = int64_t{tab[c]} + tab[d] + tac[d] + tbc[d];
          const int32_t* fabcd = FiveRow(a, b, c, d);
          const int firstE = resume ? s[4] : d + 1;
          // Rows of the sets x y z e _ move on by 48 - e sets when e grows.
          sums.fivesWithF = {fabcd, FiveRow(a, b, c, firstE), FiveRow(a, b, d, firstE),
                             FiveRow(a, c, d, firstE), FiveRow(b, c, d, firstE)};
          for (int e = firstE; e <= 48; ++e) {
            sums.treblesWithEF = {t.TrebleRow(a, e), t.TrebleRow(b, e), t.TrebleRow(c, e),
                                  t.TrebleRow(d, e)};
            sums.quadsWithEF = {t.QuadRow(a, b, e), t.QuadRow(a, c, e), t.QuadRow(a, d, e),
                                t.QuadRow(b, c, e), t.QuadRow(b, d, e), t.QuadRow(c, d, e)};
            sums.three = three + tab[e] + tac[e] + tad[e] + tbc[e] + tbd[e] + tcd[e];
            sums.four = int64_t{qabc[d]} + qabc[e] + qabd[e] + qacd[e] + qbcd[e];
            sums.five = fabcd[e];
            const int fLo = resume ? s[5] : e + 1;
            resume = false;
            const int fHi = static_cast<int>(std::min<int64_t>(49, fLo + (endRank - rank) - 1));
            CheckRun(sums, {a, b, c, d, e, 0}, fLo, fHi, rank, special, sink);
            if (rank >= endRank) return;
            for (int k = 1; k < 5; ++k) sums.fivesWithF[k] += 48 - e;
          }
        }
      }
    }
  }
}

template <class MakeSink>
auto AllLinesSearch::Engine::SweepInParts(int64_t firstRank, int64_t count, MakeSink makeSink) {
  if (index.Generation() != generation) CollectSpecials();
  const int parts = static_cast<int>(
      std::clamp<int64_t>(count / kMinLinesPerThread, 1, static_cast<int64_t>(threads)));
  std::vector<decltype(makeSink())> sinks;
  for (int part = 0; part < parts; ++part) sinks.push_back(makeSink());
  std::vector<std::thread> workers;
  for (int part = 1; part < parts; ++part) {
    const int64_t begin = firstRank + count * part / parts;
    const int64_t end = firstRank + count * (part + 1) / parts;
    auto& sink = sinks[static_cast<std::size_t>(part)];
    try {
      workers.emplace_back([this, begin, end, &sink] { Sweep(begin, end - begin, sink); });
    } catch (const std::system_error&) {  // no thread to be had: sweep it here
      Sweep(begin, end - begin, sink);
    }
  }
  Sweep(firstRank, count / parts, sinks[0]);
  for (auto& worker : workers) worker.join();
  return sinks;
}

SliceResult AllLinesSearch::Engine::Slice(const Line& from, int64_t maxLines,
                                          std::vector<FoundLine>& found) {
  SliceResult slice;
  const int64_t firstRank = LineRank(from);
  if (firstRank < 0 || maxLines <= 0) {
    slice.next = firstRank < 0 ? std::nullopt : std::optional<Line>(from);
    return slice;
  }
  const int64_t count = std::min(maxLines, kAllLinesCount - firstRank);
  for (FoundSink& part :
       SweepInParts(firstRank, count, [this] { return FoundSink(leastFoundMoney, drawCount); }))
    found.insert(found.end(), part.found.begin(), part.found.end());

  slice.checked = count;
  const int64_t lastRank = firstRank + count - 1;
  slice.lastChecked = LineAtRank(lastRank);
  LastPercentSink last(drawCount);
  Sweep(lastRank, 1, last);
  slice.lastPercent = last.Percent();
  slice.impossible = impossible;
  Line next = slice.lastChecked;
  if (NextLine(next)) slice.next = next;
  return slice;
}

std::vector<PercentageCount> AllLinesSearch::Engine::CountPercentages(int64_t firstRank,
                                                                      int64_t count) {
  firstRank = std::clamp<int64_t>(firstRank, 0, kAllLinesCount);
  count = std::clamp<int64_t>(count, 0, kAllLinesCount - firstRank);
  std::map<int, int64_t> counts;
  if (count > 0) {
    for (const PercentSink& part :
         SweepInParts(firstRank, count, [this] { return PercentSink(drawCount); }))
      part.AddTo(counts);
  }
  std::vector<PercentageCount> result;
  for (const auto& [percent, lines] : counts) result.push_back({percent, lines});
  return result;
}

AllLinesSearch::AllLinesSearch(const CountingTables& tables, IndexEntrySource& index,
                               int32_t drawCount, const LotterySettings& returns, int threads)
    : engine_(std::make_unique<Engine>(tables, index, drawCount, returns, threads)) {}

AllLinesSearch::~AllLinesSearch() = default;

SliceResult AllLinesSearch::CheckSlice(const Line& from, int64_t maxLines,
                                       std::vector<FoundLine>& found) {
  return engine_->Slice(from, maxLines, found);
}

std::vector<PercentageCount> AllLinesSearch::CountPercentages(int64_t firstRank, int64_t count) {
  return engine_->CountPercentages(firstRank, count);
}

}  // namespace bw
