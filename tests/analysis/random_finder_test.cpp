#include "analysis/random_finder.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <set>

namespace bw {
namespace {

// Plays a script of values, then a seeded generator; or one stuck value.
struct ScriptedRandom : RandomSource {
  explicit ScriptedRandom(std::deque<double> values = {}) : script(std::move(values)) {}
  void Seed(uint64_t seed) override { generator.seed(seeds.emplace_back(seed)); }
  double Next() override {
    if (stuck) return *stuck;
    if (script.empty()) return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
    const double value = script.front();
    script.pop_front();
    return value;
  }
  std::deque<double> script;
  std::optional<double> stuck;
  std::vector<uint64_t> seeds;
  std::mt19937_64 generator;
};

// Every number 1..49 once, each line of six ascending.
void ExpectWellDealt(const std::array<int, 49>& numbers) {
  const std::set<int> all(numbers.begin(), numbers.end());
  EXPECT_TRUE(all.size() == 49u && *all.begin() == 1 && *all.rbegin() == 49);
  for (int first = 0; first < 48; first += 6)
    EXPECT_TRUE(std::is_sorted(numbers.begin() + first, numbers.begin() + first + 6)) << first;
}

TEST(DealRandomSet, EveryNumberOnceTheSeedDecidesAndOddPositionsAreDrawnAgain) {
  for (uint64_t seed : {1u, 123456u}) {
    ScriptedRandom random, again;
    const auto numbers = DealRandomSet(random, seed);
    ExpectWellDealt(numbers);
    EXPECT_EQ(random.seeds, std::vector<uint64_t>{seed});
    EXPECT_EQ(DealRandomSet(again, seed), numbers);
  }
  for (double value : {0.0, 1.0, -3.0, std::numeric_limits<double>::quiet_NaN()}) {
    ScriptedRandom stuck;  // a broken source must not hang
    stuck.stuck = value;
    ExpectWellDealt(DealRandomSet(stuck, 0));
  }
  // 0.0 and 0.01 fall on position 1 (odd); 0.015 on 2: the number 1.
  // Then 0.99 of the 96 left is position 96: the number 49.
  ScriptedRandom scripted({0.0, 0.01, 0.015, 0.99});
  const auto numbers = DealRandomSet(scripted, 5);
  EXPECT_EQ((std::array{numbers[0], numbers[5]}), (std::array{1, 49}));
}

}  // namespace
}  // namespace bw
