// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/history_command.h"

#include <algorithm>

#include "app/history_edit.h"
#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "model/draw_fields.h"
#include "model/numbers.h"

namespace bw {
namespace {

const std::string kUsage =
    "history needs list [--since D] [--until D], edit DD/MM/YYYY N1..N6 [BONUS] [--was N1..N6] "
    "or delete DD/MM/YYYY [--was N1..N6]";

// Takes "--was N1..N6" out of `words`.
std::optional<Line> TakeWas(std::vector<std::string>& words) {
  const auto at = std::find(words.begin(), words.end(), "--was");
  if (at == words.end()) return std::nullopt;
  if (words.end() - at < 7) throw UsageError("--was needs the six numbers of the draw meant");
  const Line line = ParseLine({at + 1, at + 7});
  words.erase(at, at + 7);
  if (std::find(words.begin(), words.end(), "--was") != words.end())
    throw UsageError("--was given twice");
  return line;
}

CalendarDate TakeDate(const std::vector<std::string>& words, const std::string& sub) {
  if (words.empty()) throw UsageError("history " + sub + " needs the date DD/MM/YYYY of the draw");
  const auto date = ParseDrawDate(words[0]);
  if (!date) throw UsageError("not a draw date (DD/MM/YYYY): \"" + words[0] + "\"");
  return *date;
}

bool SameNumbers(const std::string& entry, const Line& line) {
  const DrawFields fields = ParseDrawEntry(entry);
  for (int k = 0; k < 6; ++k)
    if (FieldNumber(fields[k + 1]) != line[k]) return false;
  return true;
}

// The entry the request means; throws with the reason when none or two.
std::size_t EntryMeant(const Session& session, const HistoryRequest& request) {
  const std::string date = FormatDrawDate(request.date);
  const DrawList& draws = session.State().draws;
  std::vector<std::size_t> found = EntriesOfDate(draws, date);
  if (found.empty()) throw std::runtime_error("the history holds no draw of " + date);
  if (request.was) {
    std::erase_if(found, [&](std::size_t i) { return !SameNumbers(draws[i], *request.was); });
    if (found.empty())
      throw std::runtime_error("the history holds no draw of " + date +
                               " with the numbers of --was");
  }
  if (found.size() > 1)
    throw UsageError("the history holds " + std::to_string(found.size()) + " draws of " + date +
                     "; give --was and the six numbers of the one meant");
  return found[0];
}

// A history line as shown: without the blank a draw without bonus ends in.
std::string Shown(const std::string& entry) {
  return std::string(TrimBlanks(entry));
}

std::string Plain(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    if (text[i] == '\n') {
      if (!plain.empty() && plain.back() != ' ') plain += ' ';
      continue;
    }
    plain += text[i];
  }
  return plain;
}

int ListHistory(Session& session, const HistoryRequest& request, std::ostream& out,
                OutputFormat format) {
  RecordWriter records(out, format);
  const DrawList& draws = session.State().draws;
  for (const DatedDraw& draw : session.DrawsIn(request.range)) {
    const std::string& entry = draws[draw.listIndex];
    if (format == OutputFormat::Text) {
      out << Shown(entry) << "\n";
    } else {
      records.Write(DrawRecord(entry));
    }
  }
  return kCliOk;
}

}  // namespace

Record DrawRecord(const std::string& entry) {
  std::string date;
  const DrawFields fields = ParseDrawEntry(entry, &date);
  std::vector<int> numbers;
  for (int k = 1; k <= 6; ++k) numbers.push_back(FieldNumber(fields[k]));
  return {{"date", date},
          {"numbers", numbers},
          {"bonus", int64_t{std::max(FieldNumber(fields[7]), 0)}}};
}

HistoryRequest ParseHistory(std::vector<std::string> words) {
  if (words.empty()) throw UsageError(kUsage);
  HistoryRequest request;
  const std::string sub = words[0];
  words.erase(words.begin());
  if (sub == "list") {
    request.range = TakeDateRange(words);
    if (!words.empty()) throw UsageError("history list takes only --since and --until");
    return request;
  }
  if (sub != "edit" && sub != "delete") throw UsageError(kUsage);
  request.was = TakeWas(words);
  for (const std::string& word : words)
    if (word.starts_with("--"))
      throw UsageError("unknown history " + sub + " option \"" + word + "\"");
  request.date = TakeDate(words, sub);
  const std::vector<std::string> numberWords(words.begin() + 1, words.end());
  if (sub == "delete") {
    request.kind = HistoryRequest::Kind::Delete;
    if (!numberWords.empty())
      throw UsageError("history delete takes a date only (and --was N1..N6 for one of two draws)");
    return request;
  }
  request.kind = HistoryRequest::Kind::Edit;
  if (numberWords.size() != 6 && numberWords.size() != 7) {
    throw UsageError(
        "history edit needs six numbers and a bonus number if the lottery has one, "
        "got " +
        std::to_string(numberWords.size()) + " numbers");
  }
  const std::vector<int> numbers = ParseDistinctNumbers(numberWords);
  std::copy_n(numbers.begin(), 6, request.numbers.begin());
  std::sort(request.numbers.begin(), request.numbers.end());
  if (numbers.size() == 7) request.bonus = numbers[6];
  return request;
}

bool WritesHistory(const HistoryRequest& request) {
  return request.kind != HistoryRequest::Kind::List;
}

int RunHistory(Session& session, const HistoryRequest& request, std::ostream& out,
               std::ostream& err, OutputFormat format) {
  if (request.kind == HistoryRequest::Kind::List) return ListHistory(session, request, out, format);
  const bool useBonus = session.State().settings.useBonus;
  if (request.kind == HistoryRequest::Kind::Edit && useBonus != request.bonus.has_value()) {
    throw UsageError(useBonus ? "this lottery needs a bonus number"
                              : "this lottery draws no bonus number");
  }
  const std::size_t at = EntryMeant(session, request);
  const std::string was = session.State().draws[at];
  const PlannedEdit planned =
      request.kind == HistoryRequest::Kind::Delete
          ? PlanDeletion(session, at)
          : PlanCorrection(session, at,
                           FormatDrawEntry(request.date, request.numbers, request.bonus));
  if (planned.refusal) {
    err << "ballwright-cli: " << Plain(planned.refusal->text) << " Nothing was changed.\n";
    return kCliDataError;
  }
  const std::string done = planned.edit.added
                               ? "Corrected " + Shown(was) + " to " + Shown(*planned.edit.added)
                               : "Deleted " + Shown(was);
  return ReportHistoryChange(session, ApplyHistoryEdit(session, planned.edit), done,
                             "the draw was not changed in ", out, err);
}

}  // namespace bw
