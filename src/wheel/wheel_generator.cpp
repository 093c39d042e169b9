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
// Coverings (m = t) started from whole turns take twice the heat: C(12,6,4)
// then came to 41 lines with every seed tried, where the heat above left it
// at 43 to 45; for m > t the heat above found fewer lines.
constexpr std::array<Heat, kChains> kCoveringHeats{{{0.5, 0.5}, {0.5, 0.1}}};
// A wheel made of whole turns of a few lines (each line shifted round the
// first numbers, one place after another) is found with far fewer moves, and
// is a good start for the search over single lines: on 16 numbers such
// wheels of 11 lines turned round 15 numbers (165 lines) come every time,
// where lines searched one by one from a greedy start ended at 170 to 175.
// Of the few lines, each move changes whole classes of sets: they take more
// heat, and more rounds without a gain before the search gives up. For
// t if m with m > t neither this start nor a greedy one did better on every
// wheel tried: one chain starts each way.
constexpr std::array<Heat, kChains> kTurnHeats{{{2.0, 0.2}, {1.0, 0.3}}};
constexpr int kTurnRoundsWithoutGain = 30;
constexpr int kLinesLookedAt = 12;
// The open sets the greedy start counts its gains on, at most, in all its
// lines together, and after a stop.
constexpr int64_t kGreedyRun = 1 << 15;
constexpr int64_t kGreedyChecks = 1 << 28;
constexpr int64_t kGreedyRunAfterStop = 64;
// The lines weighed for the one to take out next.
constexpr std::size_t kLinesWeighedForRemoval = 256;

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

// The place of an m-set in AllSets: its colex rank, the sum of C(p_i, i).
class SetRank {
 public:
  SetRank() {
    for (int p = 0; p < 64; ++p)
      for (int i = 0; i < 8; ++i) binomials_.push_back(Binomial(p, i));
  }
  int64_t operator()(uint64_t set) const {
    int64_t rank = 0;
    for (int i = 1; set != 0; ++i, set &= set - 1) {
      rank += binomials_[static_cast<std::size_t>(std::countr_zero(set) * 8 + i)];
    }
    return rank;
  }

 private:
  std::vector<int64_t> binomials_;  // C(p, i) at p * 8 + i
};

// The m-sets in classes under the turns of the first `turned` positions (the
// others stay put): a line stands for all its turns, and a search for lines
// that cover the classes has about `turned` times fewer sets and lines to
// move. A turn of one position leaves every set a class of its own, and
// needs no tables.
class SetClasses {
 public:
  SetClasses(const Masks& sets, int turned) : turned_(turned), sets_(sets.size()) {
    if (turned_ == 1) return;
    of_.assign(sets.size(), -1);
    const SetRank rank;
    for (std::size_t i = 0; i < sets.size(); ++i) {
      if (of_[i] >= 0) continue;
      const auto c = static_cast<int32_t>(members_.size());
      members_.push_back(i);
      for (int by = 0; by < turned_; ++by)
        of_[static_cast<std::size_t>(rank(Turn(sets[i], by)))] = c;
    }
  }
  int32_t Of(std::size_t set) const { return turned_ == 1 ? static_cast<int32_t>(set) : of_[set]; }
  std::size_t Member(int32_t c) const {
    return turned_ == 1 ? static_cast<std::size_t>(c) : members_[static_cast<std::size_t>(c)];
  }
  std::size_t Count() const { return turned_ == 1 ? sets_ : members_.size(); }
  int Turns() const { return turned_; }

  // Every turn of the lines, each line once.
  Masks AllTurns(const Masks& lines) const {
    Masks all;
    for (uint64_t line : lines)
      for (int by = 0; by < turned_; ++by) all.push_back(Turn(line, by));
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
  }

  uint64_t Turn(uint64_t set, int by) const {
    const uint64_t ring = Bit(turned_) - 1;
    const uint64_t inside = set & ring;
    return (set & ~ring) | (((inside << by) | (inside >> (turned_ - by))) & ring);
  }

 private:
  int turned_;
  std::size_t sets_;
  std::vector<int32_t> of_;           // per set: its class
  std::vector<std::size_t> members_;  // per class: its first set
};

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
// line in t or more positions. It counts the sets by their classes: with
// classes of turns each line stands for all its turns.
class Covering {
 public:
  Covering(const Masks& sets, const SetClasses& classes, int v, int t, int m, uint64_t seed,
           Heat heat, int64_t budget, SearchWork& work)
      : budget_(budget),
        heat_(heat),
        sets_(sets),
        classes_(classes),
        v_(v),
        t_(t),
        m_(m),
        random_(seed),
        work_(work),
        counts_(classes.Count(), 0),
        seen_at_(classes.Count(), -1) {}

  void AddLine(uint64_t line) {
    lines_.push_back(line);
    ForEachSetHeld(line, [&](std::size_t i) {
      if (counts_[Class(i)]++ == 0) --open_;
    });
  }

  // Repeatedly a line through an open set, filled up with the positions that
  // settle the most open sets with it. On millions of sets the gains are
  // counted on a run of the open sets from a random place, and settled sets
  // leave the list in batches; after a stop the runs are short, so that the
  // wheel is complete soon.
  void Greedy() {
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < sets_.size(); ++i)
      if (counts_[Class(i)] == 0) open.push_back(i);
    int64_t linesSinceSweep = 0;
    // Runs short enough that the greedy wheel, of at least this many lines,
    // costs a bounded count of checks.
    const int64_t fewestLines =
        static_cast<int64_t>(sets_.size()) / (setsPerLine_ * classes_.Turns());
    const auto fullRun = static_cast<std::size_t>(std::clamp<int64_t>(
        kGreedyChecks / std::max<int64_t>(1, fewestLines), kGreedyRunAfterStop, kGreedyRun));
    auto isOpen = [&](std::size_t i) { return counts_[Class(i)] == 0; };
    while (open_ > 0) {
      const std::size_t run =
          work_.Stopped() ? static_cast<std::size_t>(kGreedyRunAfterStop) : fullRun;
      if (open.size() <= run ||
          linesSinceSweep * static_cast<int64_t>(run) >= static_cast<int64_t>(open.size())) {
        std::erase_if(open, [&](std::size_t i) { return !isOpen(i); });
        linesSinceSweep = 0;
      }
      std::size_t from = static_cast<std::size_t>(random_.Below(static_cast<int>(open.size())));
      while (!isOpen(open[from])) from = (from + 1) % open.size();
      const uint64_t seedSet = sets_[open[from]];
      uint64_t line = 0;
      for (int i = 0; i < t_; ++i) line |= Bit(random_.BitOf(seedSet & ~line));
      const std::size_t counted = std::min(run, open.size());
      while (std::popcount(line) < kLineSize) {
        std::array<int64_t, 64> gain{};
        for (std::size_t k = 0; k < counted; ++k) {
          const std::size_t i = open[(from + k) % open.size()];
          if (std::popcount(sets_[i] & line) != t_ - 1 || !isOpen(i)) continue;
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
      work_.Spend(static_cast<int64_t>(counted) * (kLineSize - t_ + 1));
      AddLine(line);
      ++linesSinceSweep;
    }
  }

  // Takes out lines one by one, each time annealing until the lines cover
  // again (round after round while checks are left); ends at
  // `fewest` lines, when the checks are spent or on stop.
  Masks Shrink(int64_t fewest, int idleRounds = kRoundsWithoutGain) {
    Masks best = lines_;
    open_at_.assign(classes_.Count(), -1);
    const int64_t round = std::clamp<int64_t>(
        static_cast<int64_t>(classes_.Count()) * kChecksPerSetInRound, 1'000'000, budget_ / 16);
    int64_t spent = 0;
    for (int idle = 0; spent < budget_ && idle < idleRounds && !work_.Stopped(); ++idle) {
      if (open_ == 0) {
        if (lines_.size() < best.size()) best = lines_, idle = 0;
        if (static_cast<int64_t>(best.size()) <= fewest) break;
        spent += RemoveLeastNeededLine();
      }
      spent += Anneal(std::min(round, budget_ - spent));
    }
    if (open_ == 0 && lines_.size() < best.size()) best = lines_;
    return best;
  }

 private:
  std::size_t Class(std::size_t set) const { return static_cast<std::size_t>(classes_.Of(set)); }

  // The line whose loss opens the fewest sets, of all lines or, in a wheel of
  // many, of some picked at random. Walks the sets each line holds, not every
  // set against every line, so a wheel of thousands of lines on millions of
  // sets stays quick. Returns the checks spent.
  int64_t RemoveLeastNeededLine() {
    const std::size_t weighed = std::min(lines_.size(), kLinesWeighedForRemoval);
    const bool all = weighed == lines_.size();
    std::size_t gone = 0;
    int64_t fewestAlone = -1;
    for (std::size_t pick = 0; pick < weighed; ++pick) {
      const std::size_t l =
          all ? pick : static_cast<std::size_t>(random_.Below(static_cast<int>(lines_.size())));
      int64_t alone = 0;
      ForEachSetHeld(lines_[l], [&](std::size_t i) { alone += counts_[Class(i)] == 1; });
      if (fewestAlone < 0 || alone < fewestAlone) gone = l, fewestAlone = alone;
    }
    ForEachSetHeld(lines_[gone], [&](std::size_t i) {
      if (--counts_[Class(i)] == 0) Open(Class(i));
    });
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(gone));
    const int64_t checks = static_cast<int64_t>(weighed + 1) * setsPerLine_;
    work_.Spend(checks);
    return checks;
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
      const auto open = static_cast<int32_t>(
          open_list_[static_cast<std::size_t>(random_.Below(static_cast<int>(open_list_.size())))]);
      const uint64_t target =
          classes_.Turn(sets_[classes_.Member(open)], random_.Below(classes_.Turns()));
      const std::size_t line = LineToMove(target);
      const uint64_t old = lines_[line];
      const uint64_t in = Bit(random_.BitOf(target & ~old));
      const uint64_t out = Bit(random_.BitOf(old & ~target));
      const uint64_t moved = (old | in) & ~out;
      // Sets held by the line before only: through `out`, t shared with the
      // old line; held after only: through `in`, t shared with the moved one.
      lost_.clear();
      gained_.clear();
      ForEachSetMeeting(old, out, in, [&](std::size_t i) { lost_.push_back(Class(i)); });
      ForEachSetMeeting(moved, in, out, [&](std::size_t i) { gained_.push_back(Class(i)); });
      // A class may be lost and gained through different sets of it, or lost
      // twice: each counts once, by its count before and after the move.
      ++stamp_;
      touched_.clear();
      for (const auto* list : {&lost_, &gained_}) {
        for (std::size_t c : *list) {
          if (seen_at_[c] == stamp_) continue;
          seen_at_[c] = stamp_;
          touched_.push_back({c, counts_[c]});
        }
      }
      for (std::size_t c : lost_) --counts_[c];
      for (std::size_t c : gained_) ++counts_[c];
      int64_t delta = 0;
      for (const auto& [c, before] : touched_)
        delta += (before > 0 && counts_[c] == 0) - (before == 0 && counts_[c] > 0);
      // Only a worsening move draws its chance: the others are always taken.
      if (delta > 0) {
        const double heat =
            heat_.start * std::pow(heat_.end / heat_.start,
                                   static_cast<double>(move) / static_cast<double>(moves));
        if (random_.Unit() >= std::exp(-static_cast<double>(delta) / (heat * heatScale_))) {
          for (std::size_t c : lost_) ++counts_[c];
          for (std::size_t c : gained_) --counts_[c];
          continue;
        }
      }
      lines_[line] = moved;
      for (const auto& [c, before] : touched_) {
        if (before > 0 && counts_[c] == 0) Open(c);
        if (before == 0 && counts_[c] > 0) Close(c);
      }
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

  // Calls visit(index) for each m-set holding t or more positions of `line`.
  template <class Visit>
  void ForEachSetHeld(uint64_t line, Visit visit) {
    const uint64_t outside = (Bit(v_) - 1) & ~line;
    auto ranked = [&](uint64_t set) { visit(static_cast<std::size_t>(rank_(set))); };
    for (int inside = t_; inside <= std::min(m_, kLineSize); ++inside) {
      auto withOutside = [&](uint64_t part) {
        ForEachSubset(outside, v_ - kLineSize, m_ - inside, part, ranked);
      };
      ForEachSubset(line, kLineSize, inside, 0, withOutside);
    }
  }

  // Calls visit(index) for each m-set holding `through`, not `without`, and
  // exactly t positions of `line` (which holds `through`, not `without`).
  template <class Visit>
  void ForEachSetMeeting(uint64_t line, uint64_t through, uint64_t without, Visit visit) {
    const uint64_t outside = (Bit(v_) - 1) & ~line & ~without;
    auto ranked = [&](uint64_t set) { visit(static_cast<std::size_t>(rank_(set))); };
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
  const SetClasses& classes_;
  int v_, t_, m_;
  // For m > t a move changes C(v - 7, m - t) times as many sets, and opens
  // sets by the dozen: the heat grows with the square root of that, which
  // found fewer lines than no growth or growth in proportion.
  const int64_t setsPerLine_ = SetsOneLineSettles(v_, {t_, m_});
  const double heatScale_ = std::sqrt(static_cast<double>(Binomial(v_ - kLineSize - 1, m_ - t_)));
  Random random_;
  SearchWork& work_;
  std::vector<int32_t> counts_;  // per class: the lines holding t of one of its sets
  Masks lines_;
  int64_t open_ = static_cast<int64_t>(classes_.Count());  // classes no line holds t of
  std::vector<std::size_t> open_list_;                     // filled once annealing starts
  std::vector<int64_t> open_at_;                           // place in open_list_ or -1
  std::vector<std::size_t> lost_, gained_;
  const SetRank rank_;
  int64_t stamp_ = 0;             // moves weighed so far
  std::vector<int64_t> seen_at_;  // per class: the move that last weighed it
  std::vector<std::pair<std::size_t, int32_t>> touched_;  // classes a move changes, counts before
};

// The fewest lines found by two chains of different seeds, searched side by side.
Masks CoverDirectly(int v, int t, int m, uint64_t seed, int64_t budget, SearchWork& work) {
  const Masks sets = AllSets(v, m);
  const int64_t fewest = WheelLowerBound(v, {t, m});
  std::array<Masks, kChains> found;
  const SetClasses single(sets, 1);
  auto chain = [&](int c) {
    const auto at = static_cast<std::size_t>(c);
    const uint64_t chainSeed = seed * kChains + static_cast<uint64_t>(c);
    const bool turnsFirst = t == m || c == 0;
    const Heat heat = t == m ? kCoveringHeats[at] : kChainHeats[at];
    Covering covering(sets, single, v, t, m, chainSeed, heat,
                      turnsFirst ? budget - budget / 2 : budget, work);
    if (turnsFirst) {
      // Chain c turns all numbers but its last c.
      const SetClasses turned(sets, v - c);
      Covering turns(sets, turned, v, t, m, chainSeed, kTurnHeats[at], budget / 2, work);
      turns.Greedy();
      const Masks few =
          turns.Shrink((fewest + turned.Turns() - 1) / turned.Turns(), kTurnRoundsWithoutGain);
      for (uint64_t line : turned.AllTurns(few)) covering.AddLine(line);
    } else {
      covering.Greedy();
    }
    found[at] = covering.Shrink(fewest);
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
