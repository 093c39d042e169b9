// SPDX-License-Identifier: GPL-3.0-or-later
#include "wheel/wheel_proof.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <functional>
#include <system_error>
#include <thread>

namespace bw {
namespace {

constexpr int kMaxLevel = 6;

// For each chosen position, the lines holding it, as bit sets over the lines.
struct LineSets {
  int words = 1;
  std::vector<uint64_t> byPosition;  // position * words + word
  const uint64_t* Of(int position) const {
    return byPosition.data() + static_cast<std::size_t>(position) * words;
  }
};

LineSets LineSetsOf(int v, const std::vector<uint64_t>& masks) {
  LineSets sets;
  sets.words = std::max<int>(1, static_cast<int>((masks.size() + 63) / 64));
  sets.byPosition.assign(static_cast<std::size_t>(v) * sets.words, 0);
  for (std::size_t line = 0; line < masks.size(); ++line) {
    for (int p = 0; p < v; ++p) {
      if (masks[line] >> p & 1) {
        sets.byPosition[static_cast<std::size_t>(p) * sets.words + line / 64] |= uint64_t{1}
                                                                                 << (line % 64);
      }
    }
  }
  return sets;
}

// levels[k - 1]: the lines holding at least k of the numbers walked so far.
// Adding a position lifts the lines holding it one level.
void Lift(const LineSets& sets, int position, int top, const uint64_t* from, uint64_t* to) {
  const int w = sets.words;
  const uint64_t* lines = sets.Of(position);
  for (int k = top; k >= 1; --k) {
    for (int i = 0; i < w; ++i) {
      const uint64_t below = k == 1 ? ~uint64_t{0} : from[(k - 2) * w + i];
      to[(k - 1) * w + i] = from[(k - 1) * w + i] | (below & lines[i]);
    }
  }
}

bool Any(const uint64_t* words, int count) {
  for (int i = 0; i < count; ++i)
    if (words[i] != 0) return true;
  return false;
}

// Runs slice(first) for every first position 0..count-1 on all cores.
void ForEachSlice(int count, const std::function<void(int)>& slice) {
  std::atomic<int> next{0};
  auto work = [&] {
    for (int first = next++; first < count; first = next++) slice(first);
  };
  const int threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
  std::vector<std::thread> workers;
  for (int i = 1; i < threads; ++i) {
    try {
      workers.emplace_back(work);
    } catch (const std::system_error&) {  // no thread to be had: the rest is done here
      break;
    }
  }
  work();
  for (std::thread& worker : workers) worker.join();
}

struct ProofWalk {
  const LineSets& sets;
  int v, t, m;
  std::vector<uint64_t> levels;  // per depth: t levels of `words`
  std::vector<int> walked;

  // False at the first m-set no line holds t of (left in `walked`).
  bool Walk(int depth, int from) {
    const int w = sets.words;
    const uint64_t* here = levels.data() + static_cast<std::size_t>(depth) * t * w;
    uint64_t* next = levels.data() + static_cast<std::size_t>(depth + 1) * t * w;
    for (int p = from; p <= v - (m - depth); ++p) {
      Lift(sets, p, t, here, next);
      if (Any(next + (t - 1) * w, w)) continue;  // every m-set through here is settled
      walked[depth] = p;
      if (depth + 1 == m) return false;
      if (!Walk(depth + 1, p + 1)) return false;
    }
    return true;
  }
};

}  // namespace

std::vector<uint64_t> PositionMasks(const std::vector<int>& chosen,
                                    const std::vector<Line>& lines) {
  std::vector<uint64_t> masks;
  for (const Line& line : lines) {
    uint64_t mask = 0;
    for (int number : line) {
      const auto at = std::lower_bound(chosen.begin(), chosen.end(), number);
      if (at != chosen.end() && *at == number) mask |= uint64_t{1} << (at - chosen.begin());
    }
    masks.push_back(mask);
  }
  return masks;
}

WheelProof ProveWheel(const std::vector<int>& chosen, const std::vector<Line>& lines,
                      WheelGuarantee g) {
  const int v = static_cast<int>(chosen.size());
  const LineSets sets = LineSetsOf(v, PositionMasks(chosen, lines));
  const int slices = v - g.m + 1;
  std::vector<std::vector<int>> misses(static_cast<std::size_t>(std::max(slices, 0)));
  std::atomic<int> firstMissSlice{slices};
  ForEachSlice(slices, [&](int first) {
    if (first > firstMissSlice.load()) return;  // an earlier set already fails
    ProofWalk walk{sets, v, g.t, g.m, {}, std::vector<int>(static_cast<std::size_t>(g.m))};
    walk.levels.assign(static_cast<std::size_t>(g.m + 1) * g.t * sets.words, 0);
    Lift(sets, first, g.t, walk.levels.data(), walk.levels.data() + g.t * sets.words);
    walk.walked[0] = first;
    const bool settled = Any(walk.levels.data() + (2 * g.t - 1) * sets.words, sets.words) ||
                         (g.m > 1 && walk.Walk(1, first + 1));
    if (settled) return;
    for (int p : walk.walked) misses[static_cast<std::size_t>(first)].push_back(chosen[p]);
    for (int seen = firstMissSlice.load(); first < seen;) {
      if (firstMissSlice.compare_exchange_weak(seen, first)) break;
    }
  });
  WheelProof proof;
  proof.holds = firstMissSlice.load() == slices;
  if (proof.holds) {
    proof.setsChecked = Binomial(v, g.m);
  } else {
    proof.firstMiss = misses[static_cast<std::size_t>(firstMissSlice.load())];
  }
  return proof;
}

namespace {

// best[d][h]: the d-sets of the chosen numbers whose best line holds h.
using HitCounts = std::array<std::array<int64_t, kMaxLevel + 1>, kMaxLevel + 1>;

struct PictureWalk {
  const LineSets& sets;
  int v;
  std::vector<uint64_t> levels;
  HitCounts counts{};

  int Best(const uint64_t* at) const {
    for (int k = kMaxLevel; k >= 1; --k)
      if (Any(at + (k - 1) * sets.words, sets.words)) return k;
    return 0;
  }
  void Walk(int depth, int from) {
    const int w = sets.words;
    const uint64_t* here = levels.data() + static_cast<std::size_t>(depth) * kMaxLevel * w;
    uint64_t* next = levels.data() + static_cast<std::size_t>(depth + 1) * kMaxLevel * w;
    for (int p = from; p < v; ++p) {
      Lift(sets, p, std::min(depth + 1, kMaxLevel), here, next);
      for (int k = depth + 2; k <= kMaxLevel; ++k) std::fill_n(next + (k - 1) * w, w, 0);
      ++counts[static_cast<std::size_t>(depth + 1)][static_cast<std::size_t>(Best(next))];
      if (depth + 1 < kMaxLevel) Walk(depth + 1, p + 1);
    }
  }
};

}  // namespace

double WheelPicture::Chance(int atLeast) const {
  return static_cast<double>(drawsWinning[static_cast<std::size_t>(atLeast - 3)]) /
         static_cast<double>(Binomial(kHighestNumber, kMaxLevel));
}

WheelPicture PictureOfWheel(const std::vector<int>& chosen, const std::vector<Line>& lines,
                            WheelGuarantee g) {
  const int v = static_cast<int>(chosen.size());
  const LineSets sets = LineSetsOf(v, PositionMasks(chosen, lines));
  std::vector<HitCounts> bySlice(static_cast<std::size_t>(v));
  ForEachSlice(v, [&](int first) {
    PictureWalk walk{sets, v, {}, {}};
    walk.levels.assign(static_cast<std::size_t>(kMaxLevel + 2) * kMaxLevel * sets.words, 0);
    uint64_t* one = walk.levels.data() + kMaxLevel * sets.words;
    Lift(sets, first, 1, walk.levels.data(), one);
    ++walk.counts[1][static_cast<std::size_t>(walk.Best(one))];
    walk.Walk(1, first + 1);
    bySlice[static_cast<std::size_t>(first)] = walk.counts;
  });
  HitCounts counts{};
  counts[0][0] = 1;
  for (const HitCounts& slice : bySlice)
    for (std::size_t d = 0; d <= kMaxLevel; ++d)
      for (std::size_t h = 0; h <= kMaxLevel; ++h) counts[d][h] += slice[d][h];

  WheelPicture picture;
  for (int m = g.t; m <= kMaxLevel; ++m) {
    WheelHitRow row{m, 0, 0};
    const auto& byHit = counts[static_cast<std::size_t>(m)];
    int64_t sets = 0, total = 0;
    for (int h = kMaxLevel; h >= 0; --h) {
      const int64_t n = byHit[static_cast<std::size_t>(h)];
      if (n > 0) row.worst = h;
      sets += n;
      total += n * h;
    }
    row.average = sets > 0 ? static_cast<double>(total) / static_cast<double>(sets) : 0;
    picture.rows.push_back(row);
  }
  // A draw with d numbers among the chosen ones: the other 6 - d come from
  // the 49 - v numbers left, and the lines hold only chosen numbers.
  for (int d = 0; d <= kMaxLevel; ++d) {
    const int64_t draws = Binomial(kHighestNumber - v, kMaxLevel - d);
    for (int h = 3; h <= kMaxLevel; ++h) {
      for (int best = h; best <= kMaxLevel; ++best) {
        picture.drawsWinning[static_cast<std::size_t>(h - 3)] +=
            counts[static_cast<std::size_t>(d)][static_cast<std::size_t>(best)] * draws;
      }
    }
  }
  return picture;
}

}  // namespace bw
