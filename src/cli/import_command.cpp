// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/import_command.h"

#include <algorithm>

#include "app/draw_import.h"
#include "cli/cli.h"
#include "import/result_options.h"
#include "store/file_error.h"

namespace bw {
namespace {

constexpr const char* kSettleHint =
    "settle the shape by hand with --columns date=N,main=N-M,bonus=N|none and "
    "--date-order dmy|mdy|ymd";

int32_t PositiveAmount(const std::string& word, const std::string& what) {
  const bool digits =
      !word.empty() && word.size() <= 9 &&
      std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!digits || std::stol(word) == 0) {
    throw UsageError(what + " needs a whole amount above 0, got \"" + word + "\"");
  }
  return static_cast<int32_t>(std::stol(word));
}

void ReadReturns(const std::string& text, LotterySettings& settings) {
  int32_t LotterySettings::*const fields[] = {&LotterySettings::ret3, &LotterySettings::ret4,
                                              &LotterySettings::ret5, &LotterySettings::ret5p,
                                              &LotterySettings::ret6};
  std::size_t start = 0;
  for (std::size_t k = 0; k < 5; ++k) {
    const std::size_t comma = text.find(',', start);
    if ((comma == std::string::npos) != (k == 4)) {
      throw UsageError("--returns needs five amounts R3,R4,R5,R5P,R6, got \"" + text + "\"");
    }
    settings.*fields[k] = PositiveAmount(text.substr(start, comma - start), "--returns");
    start = comma + 1;
  }
}

// Letters (accented ones too), spaces and "-", as the lottery dialog takes them.
void CheckLotteryName(const std::string& name) {
  const bool plain = name.find_first_not_of(' ') != std::string::npos &&
                     std::all_of(name.begin(), name.end(), [](char c) {
                       return std::isalpha(static_cast<unsigned char>(c)) || c == ' ' || c == '-' ||
                              static_cast<unsigned char>(c) >= 0x80;
                     });
  if (!plain)
    throw UsageError("a lottery name has letters, spaces and \"-\" only: \"" + name + "\"");
}

// The first data rows split into numbered columns, so that --columns can be
// written without counting.
void ShowFirstRows(const DrawMerge& merge, std::ostream& out) {
  const std::size_t shown = std::min<std::size_t>(merge.firstRows.size(), 2);
  if (shown == 0) return;
  out << "the first rows, column by column:\n";
  for (std::size_t r = 0; r < shown; ++r) {
    const SplitRow& row = merge.firstRows[r];
    out << "line " << row.line << ":";
    for (std::size_t c = 0; c < row.fields.size(); ++c) out << " " << c + 1 << "=" << row.fields[c];
    out << "\n";
  }
}

void Report(const DrawMerge& merge, std::ostream& out, std::ostream& err) {
  if (merge.refusal) {
    out << "refused: " << *merge.refusal << "\n";
    if (merge.shapeRefusal || merge.dateOrderOpen) ShowFirstRows(merge, out);
    err << "ballwright-cli: nothing imported";
    if (merge.shapeRefusal) err << "; " << kSettleHint;
    err << "\n";
    return;
  }
  out << "shape: " << DescribeShape(merge.shape) << "\n" << MergeCountsText(merge) << "\n";
  for (const std::string& note : merge.doubleDates) out << note << "\n";
  for (const RowProblem& problem : merge.problems) {
    out << "line " << problem.line << ": " << problem.reason << "\n";
  }
}

// The report, and whether the merge may be written.
bool Reported(const DrawMerge& merge, const ImportRequest& request, std::ostream& out,
              std::ostream& err) {
  Report(merge, out, err);
  if (merge.refusal) return false;
  if (!merge.CanImport(request.skipBad)) {
    err << "ballwright-cli: nothing imported: "
        << CountText(merge.problems.size(), "row has a problem", "rows have problems")
        << " (--skip-bad leaves " << (merge.problems.size() == 1 ? "it" : "them") << " out)\n";
    return false;
  }
  return true;
}

// After the draws are saved: the date order for the next import.
int KeepDateOrder(Session& session, const DrawMerge& merge, std::ostream& err) {
  if (RememberDateOrder(session, merge)) return kCliOk;
  const ProgramState& state = session.State();
  err << "ballwright-cli: the draws were imported, but the date order could not be kept in "
      << state.InFolder(state.LotteryFileName(".ini")).string() << ": "
      << FileErrorText(state.fileErrorNumber) << "\n";
  return kCliDataError;
}

}  // namespace

ImportRequest ParseImport(const std::vector<std::string>& words) {
  if (words.empty() || words[0].starts_with("--")) throw UsageError("import needs a FILE");
  ImportRequest request;
  request.file = words[0];
  std::vector<std::string> rest(words.begin() + 1, words.end());
  const DateRange range = TakeDateRange(rest);
  request.options.since = range.since;
  request.options.until = range.until;
  std::optional<std::string> stake, returns;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const std::string& word = rest[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= rest.size()) throw UsageError(word + " needs a value");
      return rest[++i];
    };
    if (word == "--skip-bad") {
      request.skipBad = true;
    } else if (word == "--dry-run") {
      request.dryRun = true;
    } else if (word == "--columns") {
      auto choice = ParseColumnChoice(value());
      if (auto* wrong = std::get_if<std::string>(&choice)) throw UsageError(*wrong);
      request.options.columns = std::get<ColumnChoice>(choice);
    } else if (word == "--date-order") {
      const std::string order = value();
      request.options.dateOrder = ParseDateOrder(order);
      if (!request.options.dateOrder)
        throw UsageError("--date-order is dmy, mdy or ymd, got \"" + order + "\"");
    } else if (word == "--new") {
      request.newLottery = value();
      CheckLotteryName(*request.newLottery);
    } else if (word == "--stake") {
      stake = value();
    } else if (word == "--returns") {
      returns = value();
    } else {
      throw UsageError("unknown import option \"" + word + "\"");
    }
  }
  if (request.newLottery.has_value() != (stake && returns) ||
      (!request.newLottery && (stake || returns))) {
    throw UsageError("--new NAME goes with --stake S and --returns R3,R4,R5,R5P,R6");
  }
  if (stake) request.settings.stake = PositiveAmount(*stake, "--stake");
  if (returns) ReadReturns(*returns, request.settings);
  return request;
}

int RunImport(Session& session, const ImportRequest& request, bool historyReadToEnd,
              std::ostream& out, std::ostream& err) {
  if (!historyReadToEnd) {
    err << "ballwright-cli: the history " << session.State().lottoFile
        << " was not read to its end; nothing imported, so none of it is lost\n";
    return kCliDataError;
  }
  const DrawMerge merge = PlanImport(session, request.file, request.options);
  if (!Reported(merge, request, out, err)) return kCliDataError;
  if (request.dryRun) return kCliOk;
  const HistoryChangeResult imported = ImportIntoCurrent(session, merge);
  if (imported.save == HistorySaveOutcome::Failed) return kCliDataError;  // said why
  if (imported.save == HistorySaveOutcome::SavedBeside) {
    err << "ballwright-cli: nothing imported into " << session.State().lottoFile
        << ": the draws were saved in " << imported.besideFile << "\n";
    return kCliDataError;
  }
  if (!imported.indexComplete) {
    err << "ballwright-cli: the draws were saved in " << session.State().lottoFile
        << ", but the index could not be rebuilt, so no count can be shown until the folder "
           "has room and can be written\n";
    return kCliDataError;
  }
  return KeepDateOrder(session, merge, err);
}

int RunImportNew(Session& session, const ImportRequest& request, std::ostream& out,
                 std::ostream& err) {
  const ProgramState& state = session.State();
  const std::string& name = *request.newLottery;
  std::error_code ignored;
  if (std::filesystem::exists(state.InFolder(name + ".opt"), ignored) ||
      std::filesystem::exists(state.InFolder(name + ".ini"), ignored)) {
    throw UsageError("the lottery \"" + name + "\" exists already (import into it with --lottery)");
  }
  const DrawMerge merge = PlanImport(session, request.file, request.options, /*newLottery=*/true);
  if (!Reported(merge, request, out, err)) return kCliDataError;
  if (request.dryRun) return kCliOk;
  std::string error;
  if (!CreateLotteryFromDraws(session, name, request.settings, merge, error)) {
    err << "ballwright-cli: " << error << "\n";
    return kCliDataError;
  }
  return kCliOk;
}

}  // namespace bw
