// SPDX-License-Identifier: GPL-3.0-or-later
// How often each number, pair, set of three and set of four was drawn among
// the six main numbers of the loaded history. Dense tables indexed directly by
// the numbers 1..49 (index 0 never filled); only ascending index tuples are
// ever counted. The four-number table is 12.5 MB, so the tables live on the
// heap and the object is move-only.
#pragma once

#include <cstdint>
#include <memory>

#include "model/draw_fields.h"

namespace bw {

class CountingTables {
 public:
  static constexpr int kSize = 50;
  // The counts are 16-bit, so a history holds at most this many draws: more
  // than a century of daily draws, and no count can wrap.
  static constexpr int32_t kMaxDraws = 32767;

  CountingTables();
  CountingTables(CountingTables&&) noexcept = default;
  CountingTables& operator=(CountingTables&&) noexcept = default;

  // Adds one draw to every table; a field outside 0..49 skips only the
  // counts it is part of.
  void CountDraw(const DrawFields& fields);
  // Takes a draw counted before out again.
  void UncountDraw(const DrawFields& fields);
  // Every count back to 0, in the memory the tables already have.
  void Clear();

  int16_t Single(int a) const { return singles_[a]; }
  int16_t Double(int a, int b) const { return doubles_[a * kSize + b]; }
  int16_t Treble(int a, int b, int c) const { return trebles_[(a * kSize + b) * kSize + c]; }
  int16_t Quad(int a, int b, int c, int d) const {
    return quads_[((a * kSize + b) * kSize + c) * kSize + d];
  }
  // Contiguous rows over the last index, for engines that sweep it.
  const int16_t* TrebleRow(int a, int b) const { return &trebles_[(a * kSize + b) * kSize]; }
  const int16_t* QuadRow(int a, int b, int c) const {
    return &quads_[((a * kSize + b) * kSize + c) * kSize];
  }

 private:
  void Step(const DrawFields& fields, int16_t step);

  std::unique_ptr<int16_t[]> singles_, doubles_, trebles_, quads_;
};

}  // namespace bw
