#include "analysis/history_support.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace bw::test {
namespace {

char KindLetter(IndexKind kind) {
  return static_cast<char>(kind);
}

std::string Entry(const std::string& key, int count) {
  char text[32];
  std::snprintf(text, sizeof text, "%s=%3d:", key.c_str(), count);
  return text;
}

}  // namespace

MemoryHistory::MemoryHistory(const std::vector<TestDraw>& draws) {
  for (const TestDraw& draw : draws) AddDraw(draw);
}

void MemoryHistory::AddDraw(const TestDraw& draw) {
  draws_.push_back(draw);
  DrawFields fields;
  for (int i = 0; i < 6; ++i) fields[i + 1] = TwoDigits(draw.main[i]);
  fields[7] = TwoDigits(draw.bonus);
  tables_.CountDraw(fields);
  Record(IndexKind::Six, LineKey(draw.main));
  for (int left = 5; left >= 0; --left) {
    std::string five;
    for (int i = 0; i < 6; ++i)
      if (i != left) five += TwoDigits(draw.main[i]);
    Record(IndexKind::FivePlus, five + TwoDigits(draw.bonus));
    Record(IndexKind::Five, five + "00");
  }
}

void MemoryHistory::Record(IndexKind kind, const std::string& key) {
  std::string& line = lines_[KindLetter(kind) + key.substr(0, 2)];
  const std::size_t pos = line.find(key);
  if (pos == std::string::npos) {
    line += Entry(key, 1);
    return;
  }
  const int count = std::stoi(line.substr(pos + 13, 3)) + 1;
  line.replace(pos, 17, Entry(key, count));
}

void MemoryHistory::SetIndexLine(IndexKind kind, const std::string& firstTwo,
                                 const std::string& line) {
  lines_[KindLetter(kind) + firstTwo] = line;
}

IndexLineReader MemoryHistory::Reader() const {
  return [this](IndexKind kind, const std::string& key) {
    const auto found = lines_.find(KindLetter(kind) + key.substr(0, 2));
    return found == lines_.end() ? std::string() : found->second;
  };
}

SingleLineResult ExpectedResult(const Line& line, const std::vector<TestDraw>& draws,
                                const LotterySettings& returns) {
  SingleLineResult expected;
  for (const TestDraw& draw : draws) {
    int onLine = 0;
    for (int n : draw.main) onLine += static_cast<int>(std::count(line.begin(), line.end(), n));
    const bool bonusOnLine = std::count(line.begin(), line.end(), draw.bonus) > 0;
    if (onLine == 3) ++expected.hits3;
    if (onLine == 4) ++expected.hits4;
    if (onLine == 5 && bonusOnLine) ++expected.hits5Bonus;
    if (onLine == 5 && !bonusOnLine) ++expected.hits5;
    if (onLine == 6) ++expected.hits6;
  }
  const double money =
      double(expected.hits3) * returns.ret3 + double(expected.hits4) * returns.ret4;
  if (!draws.empty()) expected.percent = static_cast<int>((100.0 / draws.size()) * money);
  expected.plus = expected.hits5 * returns.ret5 > 0 || expected.hits5Bonus * returns.ret5p > 0 ||
                  expected.hits6 * returns.ret6 > 0;
  return expected;
}

std::vector<TestDraw> RandomDraws(int count, unsigned seed) {
  std::mt19937 generator(seed);
  std::vector<TestDraw> draws;
  for (int d = 0; d < count; ++d) {
    std::vector<int> pool(49);
    for (int n = 0; n < 49; ++n) pool[n] = n + 1;
    std::shuffle(pool.begin(), pool.end(), generator);
    TestDraw draw;
    std::copy(pool.begin(), pool.begin() + 6, draw.main.begin());
    std::sort(draw.main.begin(), draw.main.end());
    draw.bonus = pool[6];
    draws.push_back(draw);
  }
  return draws;
}

}  // namespace bw::test
