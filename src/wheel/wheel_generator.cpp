// SPDX-License-Identifier: GPL-3.0-or-later
#include "wheel/wheel_generator.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <mutex>
#include <random>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace bw {
namespace {

constexpr int kLineSize = 6;
// A direct search walks every m-set on each move; beyond this many the
// guarantee is built from coverings of parts when it can be.
constexpr int64_t kMostDirectSets = 60000;
// Set checks one covering search may spend in each of its two chains: a few
// seconds on a slow machine, and a count rather than a time, so that the same
// seed always gives the same wheel.
constexpr int64_t kChecksPerCovering = 400'000'000;
// The parts of a wheel on many numbers hold long lists of sets, whose checks
// cost more time each, and the proof over all the draws follows: they share
// fewer checks, so that the whole wheel still comes within seconds.
constexpr int64_t kChecksPerPartsWheel = 250'000'000;
// A search that gained no line in a few rounds in a row ends early, so small
// wheels come quickly.
constexpr int64_t kChecksPerSetInRound = 20000;
constexpr int kRoundsWithoutGain = 8;
// The heat of each chain's rounds, from the start of a round to its end. A
// round cooling to cold settles wheels whose moves open many sets at once (a
// guarantee t if m > t); a steady heat, taking a move that opens one set more
// than it settles about once in 50, finds fewer lines for coverings on more
// numbers, where the cold end mostly stood still.
struct Heat {
  double start, end;
};
constexpr int kChains = 2;
constexpr std::array<Heat, kChains> kChainHeats{{{0.26, 0.26}, {0.3, 0.05}}};
constexpr int kLinesLookedAt = 12;

using Masks = std::vector<uint64_t>;

uint64_t Bit(int position) {
  return uint64_t{1} << position;
}

// The m-sets of positions 0..v-1 in ascending order of their masks.
Masks AllSets(int v, int m) {
  Masks sets;
  sets.reserve(static_cast<std::size_t>(Binomial(v, m)));
  for (uint64_t set = Bit(m) - 1; set < Bit(v);) {
    sets.push_back(set);
    const uint64_t lowest = set & -set;
    const uint64_t ripple = set + lowest;
    set = ripple | (((set ^ ripple) >> 2) / lowest);
  }
  return sets;
}

// The work shared by every chain of one wheel's search: the stop flag and the
// progress reports.
class SearchWork {
 public:
  SearchWork(const WheelOptions& options, int64_t total) : options_(options), total_(total) {}
  bool Stopped() const { return options_.stop && options_.stop->load(std::memory_order_relaxed); }
  void Spend(int64_t checks) {
    const int64_t done = done_ += checks;
    if (!options_.progress) return;
    const int percent = static_cast<int>(std::min<int64_t>(100, done * 100 / total_));
    std::lock_guard lock(mutex_);
    if (percent <= reported_) return;
    reported_ = percent;
    options_.progress({percent / 100.0});
  }

 private:
  const WheelOptions& options_;
  const int64_t total_;
  std::atomic<int64_t> done_{0};
  std::mutex mutex_;
  int reported_ = -1;
};

class Random {
 public:
  explicit Random(uint64_t seed) : engine_(seed) {}
  int Below(int count) { return static_cast<int>(engine_() % static_cast<uint64_t>(count)); }
  uint64_t Bits() { return engine_(); }
  double Unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
  int BitOf(uint64_t mask) {  // a random set bit
    for (int skip = Below(std::popcount(mask)); skip > 0; --skip) mask &= mask - 1;
    return std::countr_zero(mask);
  }

 private:
  std::mt19937_64 engine_;
};

// One search for a covering of the m-sets of v positions: every set meets a
// line in t or more positions.
class Covering {
 public:
  Covering(const Masks& sets, int v, int t, int m, uint64_t seed, Heat heat, int64_t budget,
           SearchWork& work)
      : budget_(budget),
        heat_(heat),
        sets_(sets),
        v_(v),
        t_(t),
        m_(m),
        random_(seed),
        work_(work),
        counts_(sets.size(), 0) {
    for (int p = 0; p < 64; ++p)
      for (int i = 0; i < 8; ++i) binomials_.push_back(Binomial(p, i));
  }

  // Repeatedly a line through an open set, filled up with the positions that
  // settle the most open sets with it.
  void Greedy() {
    std::vector<std::size_t> open;
    for (;;) {
      open.clear();
      for (std::size_t i = 0; i < sets_.size(); ++i)
        if (counts_[i] == 0) open.push_back(i);
      if (open.empty()) return;
      const uint64_t seedSet =
          sets_[open[static_cast<std::size_t>(random_.Below(static_cast<int>(open.size())))]];
      uint64_t line = 0;
      for (int i = 0; i < t_; ++i) line |= Bit(random_.BitOf(seedSet & ~line));
      while (std::popcount(line) < kLineSize) {
        std::array<int64_t, 64> gain{};
        for (std::size_t i : open) {
          if (std::popcount(sets_[i] & line) != t_ - 1) continue;
          for (uint64_t rest = sets_[i] & ~line; rest != 0; rest &= rest - 1)
            ++gain[static_cast<std::size_t>(std::countr_zero(rest))];
        }
        int chosen = -1, ties = 0;
        for (int p = 0; p < v_; ++p) {
          if (line & Bit(p)) continue;
          const int64_t best = chosen < 0 ? -1 : gain[static_cast<std::size_t>(chosen)];
          const int64_t here = gain[static_cast<std::size_t>(p)];
          if (here > best) {
            chosen = p, ties = 1;
          } else if (here == best && random_.Below(++ties) == 0) {
            chosen = p;
          }
        }
        line |= Bit(chosen);
      }
      AddLine(line);
      work_.Spend(static_cast<int64_t>(sets_.size()) * (kLineSize - t_ + 1));
    }
  }

  // Takes out lines one by one, each time annealing until the lines cover
  // again (round after round while checks are left); ends at
  // `fewest` lines, when the checks are spent or on stop.
  Masks Shrink(int64_t fewest) {
    Masks best = lines_;
    open_at_.assign(sets_.size(), -1);
    const int64_t round = std::clamp<int64_t>(
        static_cast<int64_t>(sets_.size()) * kChecksPerSetInRound, 1'000'000, budget_ / 16);
    int64_t spent = 0;
    for (int idle = 0; spent < budget_ && idle < kRoundsWithoutGain && !work_.Stopped(); ++idle) {
      if (open_ == 0) {
        if (lines_.size() < best.size()) best = lines_, idle = 0;
        if (static_cast<int64_t>(best.size()) <= fewest) break;
        RemoveLeastNeededLine();
      }
      spent += Anneal(std::min(round, budget_ - spent));
    }
    if (open_ == 0 && lines_.size() < best.size()) best = lines_;
    return best;
  }

 private:
  bool Covers(uint64_t line, uint64_t set) const { return std::popcount(line & set) >= t_; }

  void AddLine(uint64_t line) {
    lines_.push_back(line);
    for (std::size_t i = 0; i < sets_.size(); ++i) {
      if (!Covers(line, sets_[i])) continue;
      if (counts_[i]++ == 0) --open_;
    }
  }

  // The line whose loss opens the fewest sets.
  void RemoveLeastNeededLine() {
    std::vector<int64_t> alone(lines_.size(), 0);
    for (std::size_t i = 0; i < sets_.size(); ++i) {
      if (counts_[i] != 1) continue;
      for (std::size_t l = 0; l < lines_.size(); ++l) {
        if (Covers(lines_[l], sets_[i])) {
          ++alone[l];
          break;
        }
      }
    }
    const auto gone =
        static_cast<std::size_t>(std::min_element(alone.begin(), alone.end()) - alone.begin());
    for (std::size_t i = 0; i < sets_.size(); ++i)
      if (Covers(lines_[gone], sets_[i]) && --counts_[i] == 0) Open(i);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(gone));
    work_.Spend(static_cast<int64_t>(sets_.size() * (lines_.size() + 1)));
  }

  // Moves one position of a line so that it comes nearer an open set; a move
  // opening more sets than it settles is taken with a chance that falls
  // steeply with the sets it opens, and as the round cools. Returns the
  // checks spent.
  int64_t Anneal(int64_t checks) {
    const int64_t perMove = MoveCost();
    const int64_t moves = std::max<int64_t>(1, checks / perMove);
    int64_t move = 0;
    for (; move < moves && open_ > 0; ++move) {
      if ((move & 255) == 0) {
        if (work_.Stopped()) break;
        work_.Spend(256 * perMove);
      }
      const uint64_t target = sets_[open_list_[static_cast<std::size_t>(
          random_.Below(static_cast<int>(open_list_.size())))]];
      const std::size_t line = LineToMove(target);
      const uint64_t old = lines_[line];
      const uint64_t in = Bit(random_.BitOf(target & ~old));
      const uint64_t out = Bit(random_.BitOf(old & ~target));
      const uint64_t moved = (old | in) & ~out;
      // Sets held by the line before only: through `out`, t shared with the
      // old line; held after only: through `in`, t shared with the moved one.
      int64_t delta = 0;
      lost_.clear();
      gained_.clear();
      ForEachSetMeeting(old, out, in, [&](std::size_t i) {
        lost_.push_back(i);
        if (counts_[i] == 1) ++delta;
      });
      ForEachSetMeeting(moved, in, out, [&](std::size_t i) {
        gained_.push_back(i);
        if (counts_[i] == 0) --delta;
      });
      // Only a worsening move draws its chance: the others are always taken.
      if (delta > 0) {
        const double heat =
            heat_.start * std::pow(heat_.end / heat_.start,
                                   static_cast<double>(move) / static_cast<double>(moves));
        if (random_.Unit() >= std::exp(-static_cast<double>(delta) / (heat * heatScale_))) continue;
      }
      lines_[line] = moved;
      for (std::size_t i : lost_)
        if (--counts_[i] == 0) Open(i);
      for (std::size_t i : gained_)
        if (counts_[i]++ == 0) Close(i);
    }
    return move * perMove;
  }

  // The line nearest the open set of a few picked at random, each pick 16
  // random bits (a fraction of a draw: this runs on every move).
  std::size_t LineToMove(uint64_t target) {
    const uint64_t count = lines_.size();
    std::size_t line = 0;
    int nearest = -1;
    uint64_t bits = 0;
    for (int pick = 0; pick < kLinesLookedAt; ++pick, bits >>= 16) {
      if (pick % 4 == 0) bits = random_.Bits();
      const auto l = static_cast<std::size_t>(((bits & 0xFFFF) * count) >> 16);
      int shared = 0;  // counted by hand: a bit count may be a library call
      for (uint64_t both = lines_[l] & target; both != 0; both &= both - 1) ++shared;
      if (shared > nearest) nearest = shared, line = l;
    }
    return line;
  }

  // The checks one move costs: the sets it may change, and the lines.
  int64_t MoveCost() const {
    return 2 * Binomial(kLineSize - 1, t_ - 1) * Binomial(v_ - kLineSize - 1, m_ - t_) +
           kLinesLookedAt;
  }

  // Calls visit(index) for each m-set holding `through`, not `without`, and
  // exactly t positions of `line` (which holds `through`, not `without`).
  template <class Visit>
  void ForEachSetMeeting(uint64_t line, uint64_t through, uint64_t without, Visit visit) {
    const uint64_t outside = (Bit(v_) - 1) & ~line & ~without;
    auto ranked = [&](uint64_t set) { visit(static_cast<std::size_t>(Rank(set))); };
    auto withOutside = [&](uint64_t part) {
      ForEachSubset(outside, v_ - kLineSize - 1, m_ - t_, part, ranked);
    };
    ForEachSubset(line & ~through, kLineSize - 1, t_ - 1, through, withOutside);
  }

  // Calls visit(base | subset) for the k-subsets of `from`, which holds
  // `size` positions (counted by the caller: this runs on every move, and a
  // bit count may be a library call).
  template <class Visit>
  static void ForEachSubset(uint64_t from, int size, int k, uint64_t base, Visit& visit) {
    if (k == 0) {
      visit(base);
      return;
    }
    for (uint64_t rest = from; size >= k; rest &= rest - 1, --size) {
      const uint64_t low = rest & -rest;
      ForEachSubset(rest & ~low, size - 1, k - 1, base | low, visit);
    }
  }

  // The place of a set in AllSets: the colex rank, sum of C(p_i, i).
  int64_t Rank(uint64_t set) const {
    int64_t rank = 0;
    for (int i = 1; set != 0; ++i, set &= set - 1) {
      rank += binomials_[static_cast<std::size_t>(std::countr_zero(set) * 8 + i)];
    }
    return rank;
  }

  void Open(std::size_t i) {
    ++open_;
    open_at_[i] = static_cast<int64_t>(open_list_.size());
    open_list_.push_back(i);
  }
  void Close(std::size_t i) {
    --open_;
    const auto at = static_cast<std::size_t>(open_at_[i]);
    open_list_[at] = open_list_.back();
    open_at_[open_list_[at]] = static_cast<int64_t>(at);
    open_list_.pop_back();
    open_at_[i] = -1;
  }

  const int64_t budget_;  // set checks this search may spend
  const Heat heat_;
  const Masks& sets_;
  int v_, t_, m_;
  // For m > t a move changes C(v - 7, m - t) times as many sets, and opens
  // sets by the dozen: the heat grows with the square root of that, which
  // found fewer lines than no growth or growth in proportion.
  const double heatScale_ = std::sqrt(static_cast<double>(Binomial(v_ - kLineSize - 1, m_ - t_)));
  Random random_;
  SearchWork& work_;
  std::vector<int32_t> counts_;  // per set: the lines holding t of it
  Masks lines_;
  int64_t open_ = static_cast<int64_t>(sets_.size());  // sets no line holds t of
  std::vector<std::size_t> open_list_;                 // filled once annealing starts
  std::vector<int64_t> open_at_;                       // place in open_list_ or -1
  std::vector<std::size_t> lost_, gained_;
  std::vector<int64_t> binomials_;  // C(p, i) at p * 8 + i
};

// The fewest lines found by two chains of different seeds, searched side by side.
Masks CoverDirectly(int v, int t, int m, uint64_t seed, int64_t budget, SearchWork& work) {
  const Masks sets = AllSets(v, m);
  const int64_t fewest = WheelLowerBound(v, {t, m});
  std::array<Masks, kChains> found;
  auto chain = [&](int c) {
    Covering covering(sets, v, t, m, seed * kChains + static_cast<uint64_t>(c),
                      kChainHeats[static_cast<std::size_t>(c)], budget, work);
    covering.Greedy();
    found[static_cast<std::size_t>(c)] = covering.Shrink(fewest);
  };
  std::vector<std::thread> helpers;
  for (int c = 1; c < kChains; ++c) {
    try {
      helpers.emplace_back(chain, c);
    } catch (const std::system_error&) {  // no thread to be had: run it here
      chain(c);
    }
  }
  chain(0);
  for (std::thread& helper : helpers) helper.join();
  return *std::min_element(found.begin(), found.end(),
                           [](const Masks& a, const Masks& b) { return a.size() < b.size(); });
}

struct Part {
  int size;
  WheelGuarantee guarantee;
};

// Parts of the numbers such that one of them holds what its own wheel needs of
// any m drawn numbers; each at least a line long. With p parts of t-if-t
// coverings that holds when m > p (t - 1). Two parts need less: when the first
// holds at most t - 1 of the drawn numbers the second holds m - t + 1, so a
// t-if-(m - t + 1) wheel on the second does, and it has far fewer lines than
// a covering. Two parts are sized for the smallest sum of their lower bounds,
// more parts evenly.
std::vector<Part> Parts(int v, int t, int m) {
  const int parts = std::min((m - 1) / (t - 1), v / kLineSize);
  if (parts < 2) return {};
  std::vector<Part> sizes;
  if (parts == 2) {
    const WheelGuarantee first{t, t}, second{t, m - t + 1};
    int best = 0;
    int64_t bestLines = 0;
    for (int a = kLineSize + 1; v - a > kLineSize; ++a) {
      if (!WheelProblem(v - a, second).empty() || Binomial(v - a, second.m) > kMostDirectSets) {
        continue;
      }
      const int64_t lines = WheelLowerBound(a, first) + WheelLowerBound(v - a, second);
      if (best == 0 || lines < bestLines) best = a, bestLines = lines;
    }
    if (best == 0) return {};
    return {{best, first}, {v - best, second}};
  }
  for (int i = 0; i < parts; ++i) sizes.push_back({v / parts + (i < v % parts ? 1 : 0), {t, t}});
  return sizes;
}

// The parts' wheels side by side; the parts share `budget` checks, so a large
// wheel takes no longer than a small one.
Masks CoverParts(const std::vector<Part>& parts, uint64_t seed, int64_t budget, SearchWork& work) {
  const int64_t share = budget / static_cast<int64_t>(parts.size());
  Masks lines;
  int first = 0;
  for (const Part& part : parts) {
    for (uint64_t line :
         CoverDirectly(part.size, part.guarantee.t, part.guarantee.m, seed, share, work)) {
      lines.push_back(line << first);
    }
    first += part.size;
  }
  return lines;
}

// Parts win on many numbers and a direct search on few; in between both are
// searched and the smaller wheel is kept.
Masks Cover(int v, WheelGuarantee g, const WheelOptions& options) {
  const std::vector<Part> parts = g.m > g.t ? Parts(v, g.t, g.m) : std::vector<Part>{};
  const bool direct = parts.empty() || Binomial(v, g.m) <= kMostDirectSets;
  SearchWork work(options, kChains * ((direct ? kChecksPerCovering : 0) +
                                      (parts.empty() ? 0 : kChecksPerPartsWheel)));
  if (!direct) return CoverParts(parts, options.seed, kChecksPerPartsWheel, work);
  Masks lines = CoverDirectly(v, g.t, g.m, options.seed, kChecksPerCovering, work);
  if (parts.empty()) return lines;
  Masks fromParts = CoverParts(parts, options.seed, kChecksPerPartsWheel, work);
  return fromParts.size() < lines.size() ? fromParts : lines;
}

}  // namespace

GeneratedWheel GenerateWheel(const std::vector<int>& chosen, WheelGuarantee guarantee,
                             const WheelOptions& options) {
  const int v = static_cast<int>(chosen.size());
  if (const std::string problem = WheelProblem(v, guarantee); !problem.empty()) {
    throw std::invalid_argument(problem);
  }
  GeneratedWheel wheel;
  for (uint64_t mask : Cover(v, guarantee, options)) {
    Line line{};
    std::size_t at = 0;
    for (int p = 0; p < v; ++p)
      if (mask & Bit(p)) line[at++] = chosen[static_cast<std::size_t>(p)];
    wheel.lines.push_back(line);
  }
  std::sort(wheel.lines.begin(), wheel.lines.end());
  wheel.stopped = options.stop && options.stop->load();
  wheel.proof = ProveWheel(chosen, wheel.lines, guarantee);
  if (!wheel.proof.holds) throw std::logic_error("a built wheel failed its proof");
  wheel.lowerBound = WheelLowerBound(v, guarantee);
  return wheel;
}

}  // namespace bw
