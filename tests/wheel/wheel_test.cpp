// SPDX-License-Identifier: GPL-3.0-or-later
// Wheels checked by a plain walk of their own, different from the prover's:
// every m-set picked with std::prev_permutation over a mask, every line
// compared number by number.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <numeric>

#include "wheel/wheel_generator.h"

namespace bw {
namespace {

std::vector<int> FirstNumbers(int v) {
  std::vector<int> numbers(static_cast<std::size_t>(v));
  std::iota(numbers.begin(), numbers.end(), 1);
  return numbers;
}

int Shared(const Line& line, const std::vector<int>& set) {
  return static_cast<int>(std::count_if(set.begin(), set.end(), [&](int n) {
    return std::find(line.begin(), line.end(), n) != line.end();
  }));
}

int BestShared(const std::vector<Line>& lines, const std::vector<int>& set) {
  int best = 0;
  for (const Line& line : lines) best = std::max(best, Shared(line, set));
  return best;
}

// Calls visit(set) for every m-set of `chosen` in ascending order.
template <class Visit>
void EachSet(const std::vector<int>& chosen, int m, Visit visit) {
  std::vector<bool> picked(chosen.size(), false);
  std::fill_n(picked.begin(), m, true);
  do {
    std::vector<int> set;
    for (std::size_t i = 0; i < chosen.size(); ++i)
      if (picked[i]) set.push_back(chosen[i]);
    visit(set);
  } while (std::prev_permutation(picked.begin(), picked.end()));
}

// The first m-set no line holds t of; empty when there is none.
std::vector<int> FirstMiss(const std::vector<int>& chosen, const std::vector<Line>& lines,
                           WheelGuarantee g) {
  std::vector<int> miss;
  EachSet(chosen, g.m, [&](const std::vector<int>& set) {
    if (miss.empty() && BestShared(lines, set) < g.t) miss = set;
  });
  return miss;
}

struct GeneratedCase {
  int v;
  WheelGuarantee guarantee;
  std::size_t most;
};

TEST(Wheel, GeneratedWheelsHoldTheirGuaranteeInAnIndependentWalk) {
  const GeneratedCase cases[] = {
      {12, {3, 3}, 15},
      {10, {5, 5}, 50},
      {12, {3, 5}, 2},
      {9, {2, 2}, 3},
      {14, {2, 6}, 3},
      // Turned round 8 numbers, some lines come back to themselves early.
      {8, {4, 4}, 7},
      {11, {4, 4}, 32},
  };
  for (const GeneratedCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.guarantee.t << " if " << c.guarantee.m << " on " << c.v);
    const std::vector<int> chosen = FirstNumbers(c.v);
    WheelOptions seven;
    seven.seed = 7;
    const GeneratedWheel wheel = GenerateWheel(chosen, c.guarantee, seven);
    EXPECT_LE(wheel.lines.size(), c.most);
    EXPECT_TRUE(wheel.proof.holds);
    EXPECT_EQ(wheel.proof.setsChecked, Binomial(c.v, c.guarantee.m));
    EXPECT_EQ(FirstMiss(chosen, wheel.lines, c.guarantee), std::vector<int>{});
    for (const Line& line : wheel.lines) EXPECT_TRUE(IsValidLine(line));
    EXPECT_EQ(std::adjacent_find(wheel.lines.begin(), wheel.lines.end()), wheel.lines.end());
    EXPECT_EQ(GenerateWheel(chosen, c.guarantee, seven).lines, wheel.lines);
  }
}

TEST(Wheel, HandMadeWheelsThatFailNameTheSameFirstMissedSet) {
  struct Case {
    std::vector<int> chosen;
    std::vector<Line> lines;
    WheelGuarantee guarantee;
    std::vector<int> firstMiss;
  };
  const std::vector<int> twelve = FirstNumbers(12);
  const Case cases[] = {
      {twelve, {{1, 2, 3, 4, 5, 6}}, {3, 5}, {1, 2, 7, 8, 9}},
      {twelve, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}, {4, 6}, {1, 2, 3, 7, 8, 9}},
      {twelve, {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 7, 8, 9}}, {2, 2}, {1, 10}},
      {{3, 9, 17, 22, 31, 40, 49}, {{3, 9, 17, 22, 31, 40}}, {3, 3}, {3, 9, 49}},
  };
  for (const Case& c : cases) {
    const WheelProof proof = ProveWheel(c.chosen, c.lines, c.guarantee);
    EXPECT_FALSE(proof.holds);
    EXPECT_EQ(proof.firstMiss, c.firstMiss);
    EXPECT_EQ(FirstMiss(c.chosen, c.lines, c.guarantee), c.firstMiss);
  }
}

TEST(Wheel, PictureAgreesWithEveryDrawCountedOneByOne) {
  const std::vector<std::vector<Line>> wheels = {
      {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}},
      {{2, 9, 17, 30, 41, 49}, {2, 9, 11, 30, 33, 45}, {5, 11, 17, 33, 41, 45}},
  };
  for (const std::vector<Line>& lines : wheels) {
    std::vector<int> chosen;
    for (const Line& line : lines) chosen.insert(chosen.end(), line.begin(), line.end());
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    const WheelPicture picture = PictureOfWheel(chosen, lines, {2, 2});

    // Every draw of six from 49, as a bit mask of its numbers.
    std::vector<uint64_t> masks;
    for (const Line& line : lines) {
      masks.push_back(0);
      for (int n : line) masks.back() |= uint64_t{1} << n;
    }
    std::array<int64_t, 4> winning{};
    const auto count = [&](uint64_t draw) {
      int best = 0;
      for (uint64_t mask : masks) best = std::max(best, std::popcount(mask & draw));
      for (int h = 3; h <= best; ++h) ++winning[static_cast<std::size_t>(h - 3)];
    };
    for (int a = 1; a <= 44; ++a)
      for (int b = a + 1; b <= 45; ++b)
        for (int c = b + 1; c <= 46; ++c)
          for (int d = c + 1; d <= 47; ++d)
            for (int e = d + 1; e <= 48; ++e)
              for (int f = e + 1; f <= 49; ++f)
                count(uint64_t{1} << a | uint64_t{1} << b | uint64_t{1} << c | uint64_t{1} << d |
                      uint64_t{1} << e | uint64_t{1} << f);
    EXPECT_EQ(picture.drawsWinning, winning);
    ASSERT_EQ(picture.rows.size(), 5u);
    for (const WheelHitRow& row : picture.rows) {
      int worst = 6;
      int64_t total = 0, sets = 0;
      EachSet(chosen, row.m, [&](const std::vector<int>& set) {
        const int best = BestShared(lines, set);
        worst = std::min(worst, best), total += best, ++sets;
      });
      EXPECT_EQ(row.worst, worst) << row.m;
      EXPECT_DOUBLE_EQ(row.average, static_cast<double>(total) / static_cast<double>(sets));
    }
  }
}

TEST(Wheel, LowerBoundsAndGuaranteesRefused) {
  struct Bound {
    int v;
    WheelGuarantee guarantee;
    int64_t lines;
  };
  const Bound bounds[] = {{12, {3, 3}, 15}, {10, {5, 5}, 50}, {49, {2, 6}, 19}, {16, {4, 4}, 144},
                          {12, {4, 6}, 4},  {12, {3, 5}, 2},  {20, {3, 3}, 64}};
  for (const Bound& b : bounds) EXPECT_EQ(WheelLowerBound(b.v, b.guarantee), b.lines) << b.v;

  struct Refused {
    int v;
    WheelGuarantee guarantee;
    const char* reason;
  };
  const Refused refused[] = {{6, {3, 6}, "7 to 49"},          {50, {3, 6}, "7 to 49"},
                             {12, {1, 6}, "at least 2"},      {12, {4, 3}, "more than M"},
                             {12, {3, 7}, "at most 6"},       {12, {6, 6}, "at most 5"},
                             {7, {5, 6}, "one line already"}, {8, {2, 4}, "one line already"}};
  for (const Refused& r : refused) {
    EXPECT_NE(WheelProblem(r.v, r.guarantee).find(r.reason), std::string::npos) << r.reason;
    if (r.v <= 49) {
      EXPECT_THROW(GenerateWheel(FirstNumbers(r.v), r.guarantee), std::invalid_argument);
    }
  }
  EXPECT_EQ(WheelProblem(9, {3, 4}), "");
}

TEST(Wheel, StopKeepsAProvedWheelAndProgressOnlyGrows) {
  const std::atomic<bool> stop{true};
  std::vector<double> reported;
  WheelOptions options;
  options.stop = &stop;
  options.progress = [&](const WheelProgress& p) { reported.push_back(p.done); };
  const GeneratedWheel wheel = GenerateWheel(FirstNumbers(20), {3, 3}, options);
  EXPECT_TRUE(wheel.stopped);
  EXPECT_TRUE(wheel.proof.holds);
  EXPECT_EQ(FirstMiss(FirstNumbers(20), wheel.lines, {3, 3}), std::vector<int>{});
  EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
}

}  // namespace
}  // namespace bw
