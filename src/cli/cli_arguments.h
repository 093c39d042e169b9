// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the command line's words into checked requests. Every mistake is a
// UsageError naming the problem; nothing here touches a file.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "analysis/draw_range.h"
#include "cli/history_command.h"
#include "cli/lines_command.h"
#include "cli/record_writer.h"
#include "cli/wheel_command.h"
#include "import/result_file.h"
#include "model/day_number.h"
#include "model/numbers.h"
#include "model/program_state.h"

namespace bw {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CheckRequest {
  std::vector<Line> lines;  // each ascending
  DateRange range;
  bool rank = false;  // add each line's standing among all lines
};
struct HitsRequest {
  Line line{};  // ascending
  DateRange range;
};
struct FrequencyRequest {
  DateRange range;
};
struct DistributionRequest {
  DateRange range;
};
struct SystemRequest {
  std::array<int, 12> numbers{};  // as given
};
struct RandomRequest {};
struct SearchRequest {
  std::optional<Line> from;
  std::optional<int64_t> maxLines;
  bool resume = false;
};
struct StatsRequest {
  enum class Kind { Singles, Doubles, Trebles } kind = Kind::Singles;
  int number = 1;
};
struct AddRequest {
  CalendarDate date;
  Line numbers{};  // ascending
  std::optional<int> bonus;
  bool sameDay = false;  // --same-day: the lottery drew twice on that date
};
// import FILE [--skip-bad] [--dry-run] [--columns ...] [--date-order ...]
// [--since D] [--until D] [--new NAME --stake S --returns R3,R4,R5,R5P,R6] (read in
// import_command.cpp).
struct ImportRequest {
  std::filesystem::path file;
  bool skipBad = false;
  bool dryRun = false;
  ImportOptions options;
  std::optional<std::string> newLottery;
  LotterySettings settings;  // of the new lottery: stake and returns
};
ImportRequest ParseImport(const std::vector<std::string>& words);
const std::string& ImportUsage();

// Takes --since and --until (dd/mm/yyyy) out of `words`; the rest is left.
DateRange TakeDateRange(std::vector<std::string>& words);

struct HelpRequest {
  std::string command;  // empty for the whole usage
};
struct VersionRequest {};
struct WhereRequest {};  // print the lottery folder

using CliRequest =
    std::variant<HelpRequest, VersionRequest, WhereRequest, CheckRequest, SystemRequest,
                 RandomRequest, SearchRequest, StatsRequest, AddRequest, HitsRequest,
                 FrequencyRequest, DistributionRequest, ImportRequest, HistoryRequest,
                 LinesRequest, WheelRequest>;

struct CliInvocation {
  std::optional<std::filesystem::path> folder;
  std::optional<std::string> lottery;
  OutputFormat format = OutputFormat::Text;
  CliRequest request;
};

// args without the program file.
CliInvocation ParseCliArguments(const std::vector<std::string>& args);

// A lottery number 1..49 written in decimal ("7" or "07").
int ParseLotteryNumber(const std::string& word);

// Numbers that must all differ, in the order given.
std::vector<int> ParseDistinctNumbers(const std::vector<std::string>& words);

// Six different numbers as an ascending line.
Line ParseLine(const std::vector<std::string>& words);

const std::string& CliUsage();

}  // namespace bw
