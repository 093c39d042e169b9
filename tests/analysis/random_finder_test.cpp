#include "analysis/random_finder.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <set>

namespace bw {
namespace {

// Plays a script of values, then a seeded generator.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::deque<double> script = {}) : script_(std::move(script)) {}
  void Seed(uint64_t seed) override {
    generator_.seed(seed);
    seeds.push_back(seed);
  }
  double Next() override {
    if (script_.empty()) return std::uniform_real_distribution<double>(0.0, 1.0)(generator_);
    const double value = script_.front();
    script_.pop_front();
    return value;
  }
  std::vector<uint64_t> seeds;

 private:
  std::deque<double> script_;
  std::mt19937_64 generator_;
};

class StuckRandom : public RandomSource {
 public:
  explicit StuckRandom(double value) : value_(value) {}
  void Seed(uint64_t) override {}
  double Next() override { return value_; }

 private:
  double value_;
};

void ExpectWellDealt(const std::array<int, 49>& numbers) {
  EXPECT_EQ(std::set<int>(numbers.begin(), numbers.end()).size(), 49u);
  for (int n : numbers) {
    EXPECT_GE(n, 1);
    EXPECT_LE(n, 49);
  }
  for (int first = 0; first < 48; first += 6)
    EXPECT_TRUE(std::is_sorted(numbers.begin() + first, numbers.begin() + first + 6));
}

TEST(IsOdd, LooksAtTheLastDigit) {
  EXPECT_FALSE(IsOdd(10));
  EXPECT_TRUE(IsOdd(7));
  EXPECT_TRUE(IsOdd(49));
  EXPECT_FALSE(IsOdd(0));
  EXPECT_FALSE(IsOdd(98));
}

TEST(DealRandomSet, EveryNumberOnceLinesAscending) {
  for (uint64_t seed : {1u, 2u, 99u, 123456u}) {
    ScriptedRandom random;
    const auto numbers = DealRandomSet(random, seed);
    ExpectWellDealt(numbers);
    EXPECT_EQ(random.seeds, std::vector<uint64_t>{seed});
    ScriptedRandom again;
    EXPECT_EQ(DealRandomSet(again, seed), numbers);  // the seed decides the set
  }
}

TEST(DealRandomSet, OddPositionsAreDrawnAgain) {
  // 0.0 and 0.01 fall on position 1 (odd); 0.015 on 2: the number 1.
  // Then 0.99 of the 96 left is position 96: the number 49.
  ScriptedRandom random({0.0, 0.01, 0.015, 0.99});
  const auto numbers = DealRandomSet(random, 5);
  ExpectWellDealt(numbers);
  EXPECT_EQ(numbers[0], 1);
  EXPECT_EQ(numbers[5], 49);
}

TEST(DealRandomSet, NotPlacedNumberIsTheOneLeftInThePool) {
  // Always the first number of the pool: 1..48 are dealt, 49 is left.
  std::deque<double> script;
  for (int left = 49; left > 1; --left) script.push_back(1.5 / (2 * left));  // position 2
  ScriptedRandom random(script);
  const auto numbers = DealRandomSet(random, 1);
  for (int i = 0; i < 48; ++i) EXPECT_EQ(numbers[i], i + 1);
  EXPECT_EQ(numbers[48], 49);
}

TEST(DealRandomSet, BrokenSourceDoesNotHang) {
  for (double value : {0.0, 1.0, -3.0, std::numeric_limits<double>::quiet_NaN()}) {
    StuckRandom random(value);
    ExpectWellDealt(DealRandomSet(random, 0));
  }
}

TEST(SortRange, SortsOnlyTheRange) {
  std::array<int, 49> numbers{};
  for (int i = 0; i < 49; ++i) numbers[i] = 49 - i;
  SortRange(numbers, 6, 11);
  EXPECT_EQ(numbers[5], 44);
  EXPECT_EQ(numbers[6], 38);
  EXPECT_EQ(numbers[11], 43);
  EXPECT_EQ(numbers[12], 37);
  SortRange(numbers, -5, 60);  // out of range ends are clipped
  EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end()));
}

}  // namespace
}  // namespace bw
