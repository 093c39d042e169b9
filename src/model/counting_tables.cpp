#include "model/counting_tables.h"

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

void CountingTables::CountSingles(const DrawFields& fields) {
  for (int i = 1; i <= 6; ++i) {
    const int a = FieldNumber(fields[i]);
    if (a >= 0) ++singles_[a];
  }
}

void CountingTables::CountDoubles(const DrawFields& fields) {
  std::array<int, 7> n{};
  const bool all = MainNumbers(fields, n);
  for (int i = 1; i <= 5; ++i)
    for (int j = i + 1; j <= 6; ++j)
      if (all || (n[i] >= 0 && n[j] >= 0)) ++doubles_[n[i] * N + n[j]];
}

void CountingTables::CountTrebles(const DrawFields& fields) {
  std::array<int, 7> n{};
  const bool all = MainNumbers(fields, n);
  for (int i = 1; i <= 4; ++i)
    for (int j = i + 1; j <= 5; ++j)
      for (int k = j + 1; k <= 6; ++k)
        if (all || (n[i] >= 0 && n[j] >= 0 && n[k] >= 0))
          ++trebles_[(n[i] * N + n[j]) * N + n[k]];
}

void CountingTables::CountQuads(const DrawFields& fields) {
  std::array<int, 7> n{};
  const bool all = MainNumbers(fields, n);
  for (int i = 1; i <= 3; ++i)
    for (int j = i + 1; j <= 4; ++j)
      for (int k = j + 1; k <= 5; ++k)
        for (int l = k + 1; l <= 6; ++l)
          if (all || (n[i] >= 0 && n[j] >= 0 && n[k] >= 0 && n[l] >= 0))
            ++quads_[((n[i] * N + n[j]) * N + n[k]) * N + n[l]];
}

void CountingTables::CountDraw(const DrawFields& fields) {
  CountQuads(fields);
  CountTrebles(fields);
  CountDoubles(fields);
  CountSingles(fields);
}

}  // namespace bw
