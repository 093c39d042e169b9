// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/random_finder.h"

#include <string>
#include <utility>

#include "model/numbers.h"

namespace bw {
namespace {

// A source that keeps giving odd positions (only a broken one would) must
// not hang the dealing: after this many re-draws the first number is taken.
constexpr int kMaxRedraws = 100'000;

// 1-based position of the second digit of a random number left in the pool.
std::size_t DrawEvenPosition(RandomSource& random, std::size_t poolLength) {
  for (int attempt = 0; attempt < kMaxRedraws; ++attempt) {
    const double r = random.Next();
    if (!(r >= 0.0 && r < 1.0)) continue;
    const auto p = static_cast<std::size_t>(r * static_cast<double>(poolLength)) + 1;
    if (p <= poolLength && !IsOdd(static_cast<int>(p))) return p;
  }
  return 2;
}

}  // namespace

bool IsOdd(int n) {
  const char last = std::to_string(n).back();
  return last == '1' || last == '3' || last == '5' || last == '7' || last == '9';
}

void SortRange(std::array<int, 49>& numbers, int first, int last) {
  if (first < 0) first = 0;
  if (last > 48) last = 48;
  for (int i = first; i < last; ++i)
    for (int j = i + 1; j <= last; ++j)
      if (numbers[j] < numbers[i]) std::swap(numbers[i], numbers[j]);
}

std::array<int, 49> DealRandomSet(RandomSource& random, uint64_t seed) {
  std::string pool;
  for (int n = kLowestNumber; n <= kHighestNumber; ++n) pool += TwoDigits(n);
  random.Seed(seed);

  std::array<int, 49> numbers{};
  for (int i = 0; i < 49 && pool.size() > 2; ++i) {
    const std::size_t p = DrawEvenPosition(random, pool.size());
    numbers[i] = LeadingNumber(std::string_view(pool).substr(p - 2, 2));
    pool.erase(p - 2, 2);
  }
  numbers[48] = LeadingNumber(pool);
  for (int first = 0; first < 48; first += 6) SortRange(numbers, first, first + 5);
  return numbers;
}

}  // namespace bw
