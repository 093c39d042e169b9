// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "analysis/full_system.h"
#include "analysis/random_finder.h"
#include "cli/cli.h"
#include "model/day_number.h"
#include "model/draw_date_rule.h"
#include "model/draw_fields.h"
#include "model/statistics_text.h"
#include "platform/system_services.h"
#include "store/file_error.h"
#include "store/index_files.h"
#include "store/search_position.h"

namespace bw {
namespace {

constexpr int64_t kSearchSlice = 1'000'000;

// The session has already said why the index could not be rebuilt.
void RefuseStaleResults() {
  throw std::runtime_error("no results shown: the index files do not match the history");
}

SingleLineResult TrustedCheck(Session& session, const Line& line,
                              const DateRange& range = DateRange{}) {
  const SingleLineResult result = session.Check(line, range);
  if (result.impossible) RefuseStaleResults();
  return result;
}

std::string ResultRow(const Line& line, const SingleLineResult& result) {
  return FormatResultRow(SystemLineText(line), CaptionsOf(result));
}

std::string ResultRow(Session& session, const Line& line) {
  return ResultRow(line, TrustedCheck(session, line));
}

// A number with a fixed count of decimals, rounded.
std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::vector<int> Numbers(const Line& line) {
  return {line.begin(), line.end()};
}

Record LineResultRecord(const Line& line, const SingleLineResult& result) {
  return {{"line", Numbers(line)},
          {"hits3", int64_t{result.hits3}},
          {"hits4", int64_t{result.hits4}},
          {"hits5", int64_t{result.hits5}},
          {"hits5bonus", int64_t{result.hits5Bonus}},
          {"hits6", int64_t{result.hits6}},
          {"percent", int64_t{result.percent}},
          {"plus", result.plus}};
}

std::array<std::string, 6> Captions(const Line& line) {
  std::array<std::string, 6> captions;
  std::transform(line.begin(), line.end(), captions.begin(),
                 [](int n) { return std::to_string(n); });
  return captions;
}

// The line a search starts from: --from, the saved position, or 1 2 3 4 5 6.
std::optional<Line> SearchStartLine(Session& session, const SearchRequest& request,
                                    std::ostream& err) {
  if (request.from) return request.from;
  const Line firstLine{1, 2, 3, 4, 5, 6};
  if (!request.resume) return firstLine;
  const std::optional<std::string> saved = LoadSearchPosition(session.State());
  if (!saved || saved->empty()) return firstLine;  // as the window takes it up
  const std::array<std::string, 6> captions = CaptionsFromResumeLine(*saved);
  Line line{};
  std::transform(captions.begin(), captions.end(), line.begin(),
                 [](const std::string& caption) { return LeadingNumber(caption); });
  std::sort(line.begin(), line.end());
  if (!IsValidLine(line)) {
    err << "The search position file " << session.State().LotteryFileName(".ful")
        << " does not hold a line of six numbers: \"" << *saved << "\"\n";
    return std::nullopt;
  }
  return line;
}

}  // namespace

ProgressBar::ProgressBar(std::ostream& err, bool enabled, std::string label)
    : err_(err), enabled_(enabled), label_(std::move(label)) {}

ProgressBar::~ProgressBar() {
  if (enabled_ && shownPercent_ >= 0) err_ << "\n" << std::flush;
}

void ProgressBar::Show(double fraction) {
  constexpr int kWidth = 40;
  const int percent = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100);
  if (!enabled_ || percent == shownPercent_) return;
  shownPercent_ = percent;
  const int filled = percent * kWidth / 100;
  err_ << "\r" << label_ << " [" << std::string(filled, '#') << std::string(kWidth - filled, '.')
       << "] " << percent << "%" << std::flush;
}

int RunCheck(Session& session, const CheckRequest& request, std::ostream& out,
             OutputFormat format) {
  std::vector<PercentageCount> distribution;
  if (request.rank)
    distribution = PercentageDistribution(session.DistributionInputFor(request.range));
  RecordWriter records(out, format);
  for (const Line& line : request.lines) {
    const SingleLineResult result = TrustedCheck(session, line, request.range);
    const LineStanding standing = StandingOf(distribution, result.percent);
    if (format != OutputFormat::Text) {
      Record record = LineResultRecord(line, result);
      if (request.rank) {
        record.push_back({"lines_lower", standing.lower});
        record.push_back({"lines_higher", standing.higher});
      }
      records.Write(record);
      continue;
    }
    out << ResultRow(line, result);
    if (request.rank) out << " | " << StandingText(standing);
    out << "\n";
  }
  return kCliOk;
}

int RunHits(Session& session, const HitsRequest& request, std::ostream& out, std::ostream& err,
            OutputFormat format) {
  const LineHits hits = session.Hits(request.line, request.range);
  RecordWriter records(out, format);
  for (const LineHit& hit : hits.hits) {
    if (format == OutputFormat::Text) {
      out << hit.entry << " | " << HitClassName(hit.hitClass) << "\n";
      continue;
    }
    Record record = DrawRecord(hit.entry);
    record.push_back({"class", std::string(HitClassName(hit.hitClass))});
    record.push_back({"return", hit.ret});
    records.Write(record);
  }
  const HitTotals& totals = hits.totals;
  std::ostream& summary = format == OutputFormat::Text ? out : err;
  summary << "total: " << totals.draws << " draws, staked " << totals.staked << ", returned "
          << totals.returned << "\n";
  summary << "balance: " << totals.balance << "\n";
  return kCliOk;
}

int RunFrequency(Session& session, const FrequencyRequest& request, std::ostream& out,
                 std::ostream& err, OutputFormat format) {
  const NumberFrequency frequency = session.Frequency(request.range);
  RecordWriter records(out, format);
  for (const NumberCount& count : frequency.numbers) {
    if (format == OutputFormat::Text) {
      out << TwoDigits(count.number) << " " << count.mainCount << " " << count.since << "\n";
      continue;
    }
    records.Write({{"number", int64_t{count.number}},
                   {"count", int64_t{count.mainCount}},
                   {"bonus_count", int64_t{count.bonusCount}},
                   {"since", int64_t{count.since}}});
  }
  const FairnessTest& test = frequency.fairness;
  (format == OutputFormat::Text ? out : err)
      << "chi-square " << Fixed(test.statistic, 2) << " on " << test.degreesOfFreedom
      << " degrees of freedom, p = " << Fixed(test.p, 3) << "\n";
  return kCliOk;
}

int RunDistribution(Session& session, const DistributionRequest& request, std::ostream& out,
                    OutputFormat format) {
  RecordWriter records(out, format);
  for (const PercentageCount& count :
       PercentageDistribution(session.DistributionInputFor(request.range))) {
    if (format == OutputFormat::Text)
      out << count.percent << " " << count.lines << "\n";
    else
      records.Write({{"percent", int64_t{count.percent}}, {"lines", count.lines}});
  }
  return kCliOk;
}

int RunSystem(Session& session, const SystemRequest& request, std::ostream& out, std::ostream& err,
              OutputFormat format) {
  std::array<std::string, 13> selected;
  for (std::size_t i = 0; i < request.numbers.size(); ++i) {
    selected[i + 1] = std::to_string(request.numbers[i]);
  }
  const std::vector<Line> lines = BuildSystemLines(selected, session.SystemPatterns());
  SystemCounters counters;
  SystemRunHooks hooks;
  hooks.letEventsRun = [] {};
  hooks.stopRequested = [] { return false; };
  RecordWriter records(out, format);
  hooks.onRow = [&](int i, const std::string& row, const SingleLineResult& result) {
    if (format == OutputFormat::Text) {
      out << row << "\n";
    } else {
      records.Write(LineResultRecord(lines[static_cast<std::size_t>(i)], result));
    }
  };
  RunFullSystem(
      lines, [&session](const Line& line) { return TrustedCheck(session, line); }, counters, hooks);
  (format == OutputFormat::Text ? out : err)
      << counters.analysed << " lines: " << counters.from50to65 << " at 50 to 65%, "
      << counters.atLeast66 << " at 66% or more\n";
  return kCliOk;
}

int RunRandom(Session& session, std::ostream& out) {
  MersenneRandom random;
  const std::array<int, 49> dealt = DealRandomSet(random, session.SystemClock().SeedFromClock());
  for (int n = 0; n < 8; ++n) {
    Line line{};
    std::copy_n(dealt.begin() + n * 6, 6, line.begin());
    out << "Line " << n + 1 << "  " << ResultRow(session, line) << "\n";
  }
  out << "Not placed   >> " << dealt[48] << "\n";
  return kCliOk;
}

int RunSearch(Session& session, const SearchRequest& request, std::ostream& out, std::ostream& err,
              bool progress, OutputFormat format) {
  const std::optional<Line> start = SearchStartLine(session, request, err);
  if (!start) return kCliDataError;
  std::optional<Line> next = FirstLineToCheck(*start);
  const int64_t available = next ? kAllLinesCount - LineRank(*next) : 0;
  const int64_t total = std::min(available, request.maxLines.value_or(available));
  int64_t checked = 0;
  int64_t foundCount = 0;
  std::optional<Line> lastChecked;
  std::vector<FoundLine> found;
  RecordWriter records(out, format);
  const auto list = [&](const FoundLine& line) {
    if (format == OutputFormat::Text) {
      out << FoundLineEntry(line.line, line.percent) << "\n";
    } else {
      records.Write({{"line", Numbers(line.line)}, {"percent", int64_t{line.percent}}});
    }
  };
  ProgressBar bar(err, progress, "Searching");
  const auto checkFromNext = [&](int64_t lines) {
    const SliceResult slice = session.CheckSlice(*next, lines, found);
    if (slice.impossible) RefuseStaleResults();
    for (const FoundLine& line : found) list(line);
    foundCount += static_cast<int64_t>(found.size());
    found.clear();
    checked += slice.checked;
    if (slice.checked > 0) lastChecked = slice.lastChecked;
    next = slice.next;
    return slice.checked > 0;
  };
  while (next && checked < total) {
    if (!checkFromNext(std::min(kSearchSlice, total - checked))) break;
    if (request.resume) {
      // The position is the next line not yet checked, as the window saves it,
      // so a resumed search repeats and skips nothing. A saved line ending in
      // 49 is passed over on resume, so such lines are checked now.
      while (next && (*next)[5] == 49) checkFromNext(1);
      if (!SaveSearchPosition(session.State(), Captions(next ? *next : *lastChecked))) {
        const ProgramState& state = session.State();
        throw std::runtime_error("the search position could not be saved in " +
                                 state.InFolder(state.LotteryFileName(".ful")).string() + " (" +
                                 FileErrorText(kPathFileAccess) +
                                 "); the lines checked so far would be checked again");
      }
    }
    bar.Show(std::min(1.0, static_cast<double>(checked) / static_cast<double>(total)));
  }
  std::ostream& summary = format == OutputFormat::Text ? out : err;
  summary << "checked " << checked << " lines, found " << foundCount;
  if (lastChecked) summary << ", last line reached " << SystemLineText(*lastChecked);
  summary << "\n";
  return kCliOk;
}

int RunStats(Session& session, const StatsRequest& request, std::ostream& out,
             OutputFormat format) {
  const CountingTables& tables = session.State().tables;
  std::vector<NumberSetCount> sets;
  switch (request.kind) {
    case StatsRequest::Kind::Singles:
      sets = SinglesCounts(tables);
      break;
    case StatsRequest::Kind::Doubles:
      sets = DoublesCounts(tables, request.number);
      break;
    case StatsRequest::Kind::Trebles:
      sets = TreblesCounts(tables, request.number);
      break;
  }
  if (format == OutputFormat::Text) {
    for (const std::string& line : StatisticsText(sets)) out << line << "\n";
    return kCliOk;
  }
  RecordWriter records(out, format);
  for (const NumberSetCount& set : sets) {
    records.Write({{"numbers", set.numbers}, {"count", int64_t{set.count}}});
  }
  return kCliOk;
}

std::string NewDrawEntry(const AddRequest& request) {
  return FormatDrawEntry(request.date, request.numbers, request.bonus);
}

// Why the draw may not be added as asked, or empty.
std::string AddRefusal(Session& session, const AddRequest& request, const std::string& entry) {
  const int32_t today = session.SystemClock().TodayDayNumber();
  if (const auto refusal = DrawDateRefusal(DayNumber(request.date), today)) {
    return "the draw of " + FormatDrawDate(request.date) + " is not added: " + *refusal;
  }
  switch (session.PlaceNewDraw(entry).kind) {
    case DrawPlacement::SameDraw:
      return "the history holds this draw of " + FormatDrawDate(request.date) +
             " already; nothing was added";
    case DrawPlacement::SecondOfDay:
      if (request.sameDay) break;
      return "the history holds another draw of " + FormatDrawDate(request.date) +
             "; nothing was added (give --same-day if the lottery drew twice that day)";
    default:
      break;
  }
  return "";
}

int RunAdd(Session& session, const AddRequest& request, std::ostream& out, std::ostream& err) {
  const std::string entry = NewDrawEntry(request);
  if (const std::string refusal = AddRefusal(session, request, entry); !refusal.empty()) {
    err << "ballwright-cli: " << refusal << "\n";
    return kCliDataError;
  }
  return ReportHistoryChange(session, session.AddDraw(entry), "Added " + entry,
                             "the draw was not added to ", out, err);
}

int ReportHistoryChange(const Session& session, const HistoryChangeResult& result,
                        const std::string& done, const std::string& notDone, std::ostream& out,
                        std::ostream& err) {
  switch (result.save) {
    case HistorySaveOutcome::Failed:
      return kCliDataError;  // the save said why; the history is as it was
    case HistorySaveOutcome::SavedBeside:
      err << "ballwright-cli: " << notDone << session.State().lottoFile << ": it was saved in "
          << result.besideFile << " with the rest of the draws read\n";
      return kCliDataError;
    case HistorySaveOutcome::Saved:
      break;
  }
  out << done << "\n";
  if (!result.indexComplete) {
    err << "ballwright-cli: the change was saved, but the index could not be brought up to date; "
           "no count can be shown until the folder has room and can be written\n";
    return kCliDataError;
  }
  return kCliOk;
}

}  // namespace bw
