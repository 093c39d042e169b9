#include "model/statistics_text.h"

#include "model/numbers.h"

namespace bw {
namespace {

std::string CountText(int count) {
  return "=" + RightAligned(count, 3) + "x";
}

bool IsNumber(int number) {
  return number >= kLowestNumber && number <= kHighestNumber;
}

}  // namespace

std::vector<std::string> FillSinglesText(const CountingTables& tables) {
  std::vector<std::string> lines;
  for (int a = kLowestNumber; a <= kHighestNumber; ++a) {
    lines.push_back("  " + TwoDigits(a) + CountText(tables.Single(a)));
  }
  return lines;
}

std::vector<std::string> FillDoublesText(const CountingTables& tables, int number) {
  std::vector<std::string> lines;
  if (!IsNumber(number)) return lines;
  for (int b = number + 1; b <= kHighestNumber; ++b) {
    lines.push_back("  " + TwoDigits(number) + "-" + TwoDigits(b) +
                    CountText(tables.Double(number, b)));
  }
  return lines;
}

std::vector<std::string> FillTreblesText(const CountingTables& tables, int number) {
  std::vector<std::string> lines;
  if (!IsNumber(number)) return lines;
  for (int b = number + 1; b < kHighestNumber; ++b) {
    for (int c = b + 1; c <= kHighestNumber; ++c) {
      lines.push_back("  " + TwoDigits(number) + "-" + TwoDigits(b) + "-" + TwoDigits(c) +
                      CountText(tables.Treble(number, b, c)));
    }
  }
  return lines;
}

void GetAllNumbers(SelectedNumbers& selected) {
  for (std::size_t i = 1; i <= 11; ++i) {
    for (std::size_t j = i + 1; j <= 12; ++j) {
      const int old = LeadingNumber(selected[i]);
      if (LeadingNumber(selected[j]) < old) {
        selected[i] = selected[j];
        selected[j] = std::to_string(old);
      }
    }
  }
  selected[0].clear();
  for (std::size_t i = 1; i <= 12; ++i) {
    if (LeadingNumber(selected[i]) <= 0) continue;
    selected[0] += selected[i];
    if (i < 12) selected[0] += "-";
  }
}

}  // namespace bw
