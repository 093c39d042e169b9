// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/counting_tables.h"

#include <algorithm>
#include <array>

namespace bw {
namespace {

constexpr int N = CountingTables::kSize;

// The six main numbers, or false when one of them cannot index a table.
bool MainNumbers(const DrawFields& fields, std::array<int, 7>& n) {
  bool all = true;
  for (int i = 1; i <= 6; ++i) {
    n[i] = FieldNumber(fields[i]);
    all = all && n[i] >= 0;
  }
  return all;
}

}  // namespace

CountingTables::CountingTables()
    : singles_(new int16_t[N]()),
      doubles_(new int16_t[N * N]()),
      trebles_(new int16_t[N * N * N]()),
      quads_(new int16_t[N * N * N * N]()) {}

void CountingTables::Step(const DrawFields& fields, int16_t step) {
  std::array<int, 7> n{};
  const bool all = MainNumbers(fields, n);
  const auto usable = [&](std::initializer_list<int> slots) {
    if (all) return true;
    for (const int slot : slots)
      if (n[slot] < 0) return false;
    return true;
  };
  for (int i = 1; i <= 6; ++i) {
    if (usable({i})) singles_[n[i]] += step;
    for (int j = i + 1; j <= 6; ++j) {
      if (usable({i, j})) doubles_[n[i] * N + n[j]] += step;
      for (int k = j + 1; k <= 6; ++k) {
        if (usable({i, j, k})) trebles_[(n[i] * N + n[j]) * N + n[k]] += step;
        for (int l = k + 1; l <= 6; ++l)
          if (usable({i, j, k, l})) quads_[((n[i] * N + n[j]) * N + n[k]) * N + n[l]] += step;
      }
    }
  }
}

void CountingTables::Clear() {
  std::fill_n(singles_.get(), N, 0);
  std::fill_n(doubles_.get(), N * N, 0);
  std::fill_n(trebles_.get(), N * N * N, 0);
  std::fill_n(quads_.get(), N * N * N * N, 0);
}

void CountingTables::CountDraw(const DrawFields& fields) {
  Step(fields, 1);
}

void CountingTables::UncountDraw(const DrawFields& fields) {
  Step(fields, -1);
}

}  // namespace bw
