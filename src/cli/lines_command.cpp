// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/lines_command.h"

#include <algorithm>
#include <stdexcept>

#include "analysis/full_system.h"
#include "app/session.h"
#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "model/day_number.h"
#include "model/draw_fields.h"
#include "store/file_error.h"
#include "ticket/ticket.h"

namespace bw {
namespace {

std::string DateText(int32_t day) {
  return FormatDrawDate(DateOfDayNumber(day));
}

int32_t ParseDay(const std::string& option, const std::vector<std::string>& words, std::size_t& i) {
  if (i + 1 >= words.size()) throw UsageError(option + " needs a date DD/MM/YYYY");
  const auto date = ParseDrawDate(words[++i]);
  if (!date) throw UsageError("not a date (DD/MM/YYYY): \"" + words[i] + "\"");
  return DayNumber(*date);
}

int ParseCount(const std::vector<std::string>& words, std::size_t& i) {
  const std::string word = i + 1 < words.size() ? words[++i] : "";
  const bool digits =
      !word.empty() && word.size() <= 6 &&
      std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!digits || std::stoi(word) == 0) {
    throw UsageError("--last needs a count of draws of 1 or more, got \"" + word + "\"");
  }
  return std::stoi(word);
}

void ExpectNothing(const std::vector<std::string>& words, const std::string& command) {
  if (!words.empty()) throw UsageError(command + " does not take \"" + words[0] + "\"");
}

LinesRequest ParseAddOrRemove(LinesRequest request, const std::vector<std::string>& words) {
  const bool add = request.kind == LinesRequest::Kind::Add;
  std::vector<std::string> numbers;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (add && words[i] == "--label") {
      if (i + 1 >= words.size()) throw UsageError("--label needs a text");
      request.label = words[++i];
    } else if (add && words[i] == "--since") {
      request.since = ParseDay("--since", words, i);
    } else if (words[i].starts_with("--")) {
      throw UsageError("unknown lines option \"" + words[i] + "\"");
    } else {
      numbers.push_back(words[i]);
    }
  }
  request.numbers = ParseLine(numbers);
  return request;
}

std::vector<int> Numbers(const Line& line) {
  return {line.begin(), line.end()};
}

// The file's damaged lines, said once; nullopt when it cannot be read.
std::optional<LinesRead> ReadLines(const LinesBook& book, std::ostream& err) {
  LinesRead read = book.Read();
  if (read.error != 0) {
    err << "ballwright-cli: " << book.File().string() << " could not be read ("
        << FileErrorText(read.error) << ")\n";
    return std::nullopt;
  }
  for (const std::string& problem : read.Problems(book.File().filename().string()))
    err << "ballwright-cli: " << problem << "\n";
  if (read.lines.empty()) err << "ballwright-cli: no saved lines (add one with lines add)\n";
  return read;
}

std::string SinceText(const SavedLine& line) {
  return line.since ? DateText(*line.since) : "";
}

int RunList(const LinesRead& read, std::ostream& out, OutputFormat format) {
  RecordWriter records(out, format);
  for (const SavedLine& line : read.lines) {
    if (format != OutputFormat::Text) {
      records.Write(
          {{"line", Numbers(line.numbers)}, {"label", line.label}, {"since", SinceText(line)}});
      continue;
    }
    out << SystemLineText(line.numbers);
    if (line.since || !line.label.empty()) out << " | " << SinceText(line);
    if (!line.label.empty()) out << " | " << line.label;
    out << "\n";
  }
  return kCliOk;
}

// The draws asked for, oldest first.
std::vector<DatedDraw> DrawsToCheck(Session& session, const LinesRequest& request) {
  const std::vector<DatedDraw>& all = session.DatedDraws();
  std::vector<DatedDraw> chosen;
  if (request.draw) {
    std::copy_if(all.begin(), all.end(), std::back_inserter(chosen),
                 [&](const DatedDraw& d) { return d.day == *request.draw; });
    if (chosen.empty()) {
      throw std::runtime_error("the history holds no draw of " + DateText(*request.draw));
    }
    return chosen;
  }
  std::vector<DatedDraw> sorted = all;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const DatedDraw& a, const DatedDraw& b) { return a.day < b.day; });
  const std::size_t count = std::min<std::size_t>(sorted.size(), request.last.value_or(1));
  return {sorted.end() - static_cast<std::ptrdiff_t>(count), sorted.end()};
}

std::string DrawText(const std::string& entry) {
  std::string date;
  const DrawFields fields = ParseDrawEntry(entry, &date);
  std::string text = date + ":";
  for (int k = 1; k <= 6; ++k) text += " " + fields[k];
  if (fields[7] != "00") text += " + " + fields[7];
  return text;
}

int RunCheckLines(Session& session, const LinesRequest& request, const LinesRead& read,
                  std::ostream& out, std::ostream& err, OutputFormat format) {
  const LotterySettings& settings = session.State().settings;
  RecordWriter records(out, format);
  for (const DatedDraw& draw : DrawsToCheck(session, request)) {
    const std::vector<LineInDraw> outcomes = CheckLinesInDraw(read.lines, draw, settings);
    if (format == OutputFormat::Text) {
      out << "Draw of " << DrawText(session.State().draws[draw.listIndex]) << "\n";
    }
    for (std::size_t i = 0; i < read.lines.size(); ++i) {
      const SavedLine& line = read.lines[i];
      if (format != OutputFormat::Text) {
        records.Write({{"line", Numbers(line.numbers)},
                       {"label", line.label},
                       {"date", DateText(draw.day)},
                       {"class", ClassText(outcomes[i].hitClass)},
                       {"return", outcomes[i].ret}});
        continue;
      }
      const std::string hitClass = ClassText(outcomes[i].hitClass);
      out << SystemLineText(line.numbers) << " | " << (hitClass.empty() ? "-" : hitClass) << " | "
          << outcomes[i].ret;
      if (!line.label.empty()) out << " | " << line.label;
      out << "\n";
    }
    if (!read.lines.empty()) {
      (format == OutputFormat::Text ? out : err)
          << WinningsSentence(WinningsOf(read.lines, draw, settings)) << "\n";
    }
  }
  return kCliOk;
}

std::string TotalsText(const HitTotals& totals) {
  return std::to_string(totals.draws) + " draws, staked " + std::to_string(totals.staked) +
         ", returned " + std::to_string(totals.returned);
}

int RunHistory(Session& session, const LinesRequest& request, const LinesRead& read,
               std::ostream& out, std::ostream& err, OutputFormat format) {
  const TicketBacktest ticket =
      BacktestTicket(read.lines, session.DrawsIn(request.range), session.State().settings);
  RecordWriter records(out, format);
  for (std::size_t i = 0; i < read.lines.size(); ++i) {
    const SavedLine& line = read.lines[i];
    const TicketLineResult& result = ticket.lines[i];
    if (format != OutputFormat::Text) {
      const SingleLineResult& r = result.result;
      records.Write({{"line", Numbers(line.numbers)},
                     {"label", line.label},
                     {"since", SinceText(line)},
                     {"draws", result.totals.draws},
                     {"hits3", int64_t{r.hits3}},
                     {"hits4", int64_t{r.hits4}},
                     {"hits5", int64_t{r.hits5}},
                     {"hits5bonus", int64_t{r.hits5Bonus}},
                     {"hits6", int64_t{r.hits6}},
                     {"percent", int64_t{r.percent}},
                     {"plus", r.plus},
                     {"staked", result.totals.staked},
                     {"returned", result.totals.returned},
                     {"balance", result.totals.balance}});
      continue;
    }
    out << FormatResultRow(SystemLineText(line.numbers), CaptionsOf(result.result)) << " | "
        << TotalsText(result.totals) << ", balance " << result.totals.balance;
    if (!line.label.empty()) out << " | " << line.label;
    out << "\n";
  }
  std::ostream& summary = format == OutputFormat::Text ? out : err;
  const RawHits& hits = ticket.hits;
  summary << "hits: 3: " << hits.hits3 << ", 4: " << hits.hits4 << ", 5: " << hits.hits5
          << ", 5+: " << hits.hits5Bonus << ", 6: " << hits.hits6 << "\n";
  summary << "total: " << TotalsText(ticket.totals) << "\n";
  summary << "balance: " << ticket.totals.balance << "\n";
  return kCliOk;
}

int RunChange(const LinesBook& book, const LinesRequest& request, std::ostream& out,
              std::ostream& err) {
  LinesBook writer = book;
  const bool add = request.kind == LinesRequest::Kind::Add;
  const std::string refusal = add ? writer.Add({request.numbers, request.label, request.since})
                                  : writer.Remove(request.numbers);
  if (!refusal.empty()) {
    err << "ballwright-cli: " << refusal << "\n";
    return kCliDataError;
  }
  out << (add ? "Added " : "Removed ") << SystemLineText(request.numbers) << "\n";
  return kCliOk;
}

}  // namespace

LinesRequest ParseLines(std::vector<std::string> words) {
  if (words.empty()) throw UsageError("lines needs list, add, remove, check or history");
  const std::string sub = words[0];
  words.erase(words.begin());
  LinesRequest request;
  if (sub == "list") {
    ExpectNothing(words, "lines list");
    return request;
  }
  if (sub == "add" || sub == "remove") {
    request.kind = sub == "add" ? LinesRequest::Kind::Add : LinesRequest::Kind::Remove;
    return ParseAddOrRemove(request, words);
  }
  if (sub == "check") {
    request.kind = LinesRequest::Kind::Check;
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (words[i] == "--draw" && !request.draw) {
        request.draw = ParseDay("--draw", words, i);
      } else if (words[i] == "--last" && !request.last) {
        request.last = ParseCount(words, i);
      } else {
        throw UsageError("lines check takes --draw DD/MM/YYYY or --last N, not \"" + words[i] +
                         "\"");
      }
    }
    if (request.draw && request.last) throw UsageError("give --draw or --last, not both");
    return request;
  }
  if (sub == "history") {
    request.kind = LinesRequest::Kind::History;
    request.range = TakeDateRange(words);
    ExpectNothing(words, "lines history");
    return request;
  }
  throw UsageError("unknown lines command \"" + sub + "\" (list, add, remove, check or history)");
}

int RunLines(Session& session, const LinesRequest& request, std::ostream& out, std::ostream& err,
             OutputFormat format) {
  const LinesBook book(session.State());
  if (request.Writes()) {
    for (const std::string& problem : book.Read().Problems(book.File().filename().string()))
      err << "ballwright-cli: " << problem << "\n";
    return RunChange(book, request, out, err);
  }
  const std::optional<LinesRead> read = ReadLines(book, err);
  if (!read) return kCliDataError;
  switch (request.kind) {
    case LinesRequest::Kind::Check:
      return RunCheckLines(session, request, *read, out, err, format);
    case LinesRequest::Kind::History:
      return RunHistory(session, request, *read, out, err, format);
    default:
      return RunList(*read, out, format);
  }
}

}  // namespace bw
