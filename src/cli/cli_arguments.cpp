// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_arguments.h"

#include <algorithm>
#include <set>

namespace bw {
namespace {

bool AllDigits(const std::string& word) {
  return !word.empty() &&
         std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Quoted(const std::string& word) {
  return "\"" + word + "\"";
}

// Takes the words after position `at` that a command reads.
std::vector<std::string> Rest(const std::vector<std::string>& words, std::size_t at) {
  return {words.begin() + static_cast<std::ptrdiff_t>(std::min(at, words.size())), words.end()};
}

void ExpectCount(const std::vector<std::string>& words, std::size_t count,
                 const std::string& what) {
  if (words.size() != count) {
    throw UsageError(what + " needs " + std::to_string(count) + " numbers, got " +
                     std::to_string(words.size()));
  }
}

// Takes a flag out of `words`; true when it was there.
bool TakeFlag(std::vector<std::string>& words, const std::string& flag) {
  const auto found = std::remove(words.begin(), words.end(), flag);
  const bool taken = found != words.end();
  words.erase(found, words.end());
  return taken;
}

void ExpectNoOptions(const std::vector<std::string>& words, const std::string& command) {
  for (const std::string& word : words)
    if (word.starts_with("--")) throw UsageError("unknown " + command + " option " + Quoted(word));
}

CheckRequest ParseCheck(std::vector<std::string> words) {
  CheckRequest request;
  request.range = TakeDateRange(words);
  request.rank = TakeFlag(words, "--rank");
  ExpectNoOptions(words, "check");
  if (words.empty() || words.size() % 6 != 0) {
    throw UsageError("check needs six numbers for each line, got " + std::to_string(words.size()));
  }
  for (std::size_t i = 0; i < words.size(); i += 6) {
    request.lines.push_back(ParseLine({words.begin() + static_cast<std::ptrdiff_t>(i),
                                       words.begin() + static_cast<std::ptrdiff_t>(i + 6)}));
  }
  return request;
}

SystemRequest ParseSystem(const std::vector<std::string>& words) {
  ExpectCount(words, 12, "system");
  const std::vector<int> numbers = ParseDistinctNumbers(words);
  SystemRequest request;
  std::copy(numbers.begin(), numbers.end(), request.numbers.begin());
  return request;
}

int64_t ParseLineCount(const std::string& word) {
  constexpr std::size_t kMaxDigits = 12;
  if (!AllDigits(word) || word.size() > kMaxDigits || std::stoll(word) == 0) {
    throw UsageError("--lines needs a count of 1 or more, got " + Quoted(word));
  }
  return std::stoll(word);
}

SearchRequest ParseSearch(const std::vector<std::string>& words) {
  SearchRequest request;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--from") {
      if (request.from) throw UsageError("--from given twice");
      if (words.size() - i - 1 < 6) throw UsageError("--from needs six numbers");
      request.from = ParseLine({words.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                words.begin() + static_cast<std::ptrdiff_t>(i + 7)});
      i += 6;
    } else if (word == "--lines") {
      if (request.maxLines) throw UsageError("--lines given twice");
      if (i + 1 >= words.size()) throw UsageError("--lines needs a count");
      request.maxLines = ParseLineCount(words[++i]);
    } else if (word == "--resume") {
      request.resume = true;
    } else {
      throw UsageError("unknown search option " + Quoted(word));
    }
  }
  if (request.from && request.resume) {
    throw UsageError("--from and --resume cannot be used together");
  }
  return request;
}

StatsRequest ParseStats(const std::vector<std::string>& words) {
  if (words.empty()) throw UsageError("stats needs singles, doubles N or trebles N");
  StatsRequest request;
  if (words[0] == "singles") {
    if (words.size() != 1) throw UsageError("stats singles takes no number");
    return request;
  }
  if (words[0] == "doubles") {
    request.kind = StatsRequest::Kind::Doubles;
  } else if (words[0] == "trebles") {
    request.kind = StatsRequest::Kind::Trebles;
  } else {
    throw UsageError("unknown statistics list " + Quoted(words[0]) +
                     " (singles, doubles or trebles)");
  }
  if (words.size() != 2) throw UsageError("stats " + words[0] + " needs one number");
  request.number = ParseLotteryNumber(words[1]);
  return request;
}

AddRequest ParseAdd(std::vector<std::string> words) {
  AddRequest request;
  request.sameDay = TakeFlag(words, "--same-day");
  if (words.empty()) throw UsageError("add needs a date DD/MM/YYYY and six numbers");
  const auto date = ParseDrawDate(words[0]);
  if (!date) throw UsageError("not a draw date (DD/MM/YYYY): " + Quoted(words[0]));
  const std::vector<std::string> numberWords = Rest(words, 1);
  if (numberWords.size() != 6 && numberWords.size() != 7) {
    throw UsageError("add needs six numbers and a bonus number if the lottery has one, got " +
                     std::to_string(numberWords.size()) + " numbers");
  }
  const std::vector<int> numbers = ParseDistinctNumbers(numberWords);
  request.date = *date;
  std::copy_n(numbers.begin(), 6, request.numbers.begin());
  std::sort(request.numbers.begin(), request.numbers.end());
  if (numbers.size() == 7) request.bonus = numbers[6];
  return request;
}

HitsRequest ParseHits(std::vector<std::string> words) {
  HitsRequest request;
  request.range = TakeDateRange(words);
  ExpectNoOptions(words, "hits");
  request.line = ParseLine(words);
  return request;
}

// A command whose only arguments are a date range.
DateRange ParseRangeOnly(std::vector<std::string> words, const std::string& command) {
  const DateRange range = TakeDateRange(words);
  if (!words.empty()) throw UsageError(command + " takes only --since and --until");
  return range;
}

CliRequest ParseCommand(const std::string& command, const std::vector<std::string>& words) {
  if (command == "check") return ParseCheck(words);
  if (command == "system") return ParseSystem(words);
  if (command == "random") {
    if (!words.empty()) throw UsageError("random takes no arguments");
    return RandomRequest{};
  }
  if (command == "search") return ParseSearch(words);
  if (command == "stats") return ParseStats(words);
  if (command == "add") return ParseAdd(words);
  if (command == "hits") return ParseHits(words);
  if (command == "frequency") return FrequencyRequest{ParseRangeOnly(words, command)};
  if (command == "distribution") return DistributionRequest{ParseRangeOnly(words, command)};
  if (command == "history") return ParseHistory(words);
  if (command == "lines") return ParseLines(words);
  if (command == "wheel") return ParseWheel(words);
  if (command == "import") {
    const bool help = std::any_of(words.begin(), words.end(),
                                  [](const std::string& w) { return w == "--help" || w == "-h"; });
    if (help) return HelpRequest{"import"};
    return ParseImport(words);
  }
  throw UsageError("unknown command " + Quoted(command) + " (try --help)");
}

std::string OptionValue(const std::vector<std::string>& args, std::size_t i) {
  if (i + 1 >= args.size() || args[i + 1].empty()) {
    throw UsageError(args[i] + " needs a value");
  }
  return args[i + 1];
}

OutputFormat ParseFormat(const std::string& word) {
  if (word == "csv") return OutputFormat::Csv;
  if (word == "json") return OutputFormat::Json;
  if (word == "text") return OutputFormat::Text;
  throw UsageError("unknown format " + Quoted(word) + " (text, csv or json)");
}

// Reads "--format NAME" at `i`; true when it was there.
bool TakeFormat(const std::vector<std::string>& args, std::size_t& i,
                std::optional<OutputFormat>& format) {
  if (i >= args.size() || args[i] != "--format") return false;
  if (format) throw UsageError("--format given twice");
  format = ParseFormat(OptionValue(args, i));
  i += 2;
  return true;
}

bool ListsRecords(const CliRequest& request) {
  if (const auto* history = std::get_if<HistoryRequest>(&request)) return !WritesHistory(*history);
  if (const auto* lines = std::get_if<LinesRequest>(&request)) return !lines->Writes();
  return !std::holds_alternative<RandomRequest>(request) &&
         !std::holds_alternative<AddRequest>(request) &&
         !std::holds_alternative<ImportRequest>(request);
}

}  // namespace

// Takes --since and --until (dd/mm/yyyy) out of `words`; the rest is left.
DateRange TakeDateRange(std::vector<std::string>& words) {
  DateRange range;
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word != "--since" && word != "--until") {
      rest.push_back(word);
      continue;
    }
    std::optional<int32_t>& end = word == "--since" ? range.since : range.until;
    if (end) throw UsageError(word + " given twice");
    if (i + 1 >= words.size()) throw UsageError(word + " needs a date DD/MM/YYYY");
    const auto date = ParseDrawDate(words[++i]);
    if (!date) throw UsageError("not a date (DD/MM/YYYY): " + Quoted(words[i]));
    end = DayNumber(*date);
  }
  if (range.since && range.until && *range.since > *range.until) {
    throw UsageError("--since is after --until");
  }
  words = std::move(rest);
  return range;
}

int ParseLotteryNumber(const std::string& word) {
  if (!AllDigits(word) || word.size() > 2 || std::stoi(word) < kLowestNumber ||
      std::stoi(word) > kHighestNumber) {
    throw UsageError("not a number from 1 to 49: " + Quoted(word));
  }
  return std::stoi(word);
}

std::vector<int> ParseDistinctNumbers(const std::vector<std::string>& words) {
  std::vector<int> numbers;
  std::set<int> seen;
  for (const std::string& word : words) {
    const int number = ParseLotteryNumber(word);
    if (!seen.insert(number).second) {
      throw UsageError("number " + std::to_string(number) + " given twice");
    }
    numbers.push_back(number);
  }
  return numbers;
}

Line ParseLine(const std::vector<std::string>& words) {
  ExpectCount(words, 6, "a line");
  const std::vector<int> numbers = ParseDistinctNumbers(words);
  Line line{};
  std::copy(numbers.begin(), numbers.end(), line.begin());
  std::sort(line.begin(), line.end());
  return line;
}

CliInvocation ParseCliArguments(const std::vector<std::string>& args) {
  CliInvocation invocation;
  std::optional<OutputFormat> format;
  bool where = false;
  std::size_t i = 0;
  while (i < args.size()) {
    if (TakeFormat(args, i, format)) continue;
    const std::string& word = args[i];
    if (word == "--help" || word == "-h") {
      invocation.request = HelpRequest{};
      return invocation;
    }
    if (word == "--version") {
      invocation.request = VersionRequest{};
      return invocation;
    }
    if (word == "--where") {
      where = true;
      ++i;
      continue;
    }
    if (word == "--folder") {
      invocation.folder = OptionValue(args, i);
    } else if (word == "--lottery") {
      invocation.lottery = OptionValue(args, i);
    } else if (word.starts_with("-")) {
      throw UsageError("unknown option " + Quoted(word) + " (try --help)");
    } else {
      break;
    }
    i += 2;
  }
  if (where) {
    if (i < args.size()) throw UsageError("--where takes no command");
    invocation.request = WhereRequest{};
    return invocation;
  }
  if (i >= args.size()) throw UsageError("no command given (try --help)");
  const std::string& command = args[i++];
  // The format may also follow the command, before its numbers; commands with
  // subcommands or options take it anywhere after the command.
  TakeFormat(args, i, format);
  std::vector<std::string> words = Rest(args, i);
  const bool formatAnywhere = command == "history" || command == "lines" || command == "wheel";
  for (std::size_t at = 0; formatAnywhere && at < words.size();) {
    if (std::size_t end = at; TakeFormat(words, end, format)) {
      words.erase(words.begin() + static_cast<std::ptrdiff_t>(at),
                  words.begin() + static_cast<std::ptrdiff_t>(end));
    } else {
      ++at;
    }
  }
  if (std::find(words.begin(), words.end(), "--format") != words.end()) {
    throw UsageError("--format goes before the numbers");
  }
  invocation.request = ParseCommand(command, words);
  invocation.format = format.value_or(OutputFormat::Text);
  if (invocation.format != OutputFormat::Text && !ListsRecords(invocation.request)) {
    const bool hasSubcommand = (command == "history" || command == "lines") && !words.empty();
    throw UsageError((hasSubcommand ? command + " " + words.front() : command) +
                     " has no --format (random, add, import, history edit, history delete, "
                     "lines add and lines remove list no records)");
  }
  return invocation;
}

const std::string& CliUsage() {
  static const std::string usage =
      "Usage: ballwright-cli [--folder DIR] [--lottery NAME] COMMAND [--format F] ...\n"
      "       ballwright-cli --help | --version\n"
      "       ballwright-cli [--folder DIR] --where\n"
      "\n"
      "  --folder DIR     folder with the lottery files (default: the folder of\n"
      "                   this program when vomrix.ini is there, otherwise the\n"
      "                   user's data folder, ~/.local/share/Ballwright)\n"
      "  --lottery NAME   lottery NAME.opt instead of the one in vomrix.ini\n"
      "  --format F       text (default), csv or json (one object per line) for\n"
      "                   every command but random, add and import; the README lists\n"
      "                   the fields\n"
      "  --where          prints the folder with the lottery files\n"
      "\n"
      "Commands:\n"
      "  check [--rank] N1 .. N6 [N1 .. N6 ...]\n"
      "                                  result row of each line of six numbers;\n"
      "                                  --rank adds its standing among all lines\n"
      "  hits N1 .. N6                   the draws in which the line had 3 or more\n"
      "                                  numbers, with what it staked and returned\n"
      "  frequency                       how often and how lately each number was\n"
      "                                  drawn, and a test of fairness\n"
      "  distribution                    how many lines reach each result percentage\n"
      "  system N1 .. N12                the 924 lines of the full system 6 from 12\n"
      "  random                          eight random lines of the 49 numbers\n"
      "  search [--from N1 .. N6] [--lines COUNT] [--resume]\n"
      "                                  lines of 66% or more, in order; --resume\n"
      "                                  starts from and saves the search position\n"
      "  stats singles | doubles N | trebles N\n"
      "                                  how often numbers were drawn together\n"
      "  add DD/MM/YYYY N1 .. N6 [BONUS] [--same-day]\n"
      "                                  adds a draw at its place in date order and\n"
      "                                  saves the history; --same-day lets in a\n"
      "                                  second, different draw of a date it holds\n"
      "  history list [--since DD/MM/YYYY] [--until DD/MM/YYYY]\n"
      "                                  the draws of the history, oldest first\n"
      "  history edit DD/MM/YYYY N1 .. N6 [BONUS] [--was N1 .. N6]\n"
      "                                  corrects the numbers of the draw of that\n"
      "                                  date (--was: which of two draws of it)\n"
      "  history delete DD/MM/YYYY [--was N1 .. N6]\n"
      "                                  deletes the draw of that date\n"
      "  lines list | add N1 .. N6 [--label TEXT] [--since DD/MM/YYYY] |\n"
      "        remove N1 .. N6 | check [--draw DD/MM/YYYY | --last N] |\n"
      "        history [--since DD/MM/YYYY] [--until DD/MM/YYYY]\n"
      "                                  your saved lines: list them, add or remove\n"
      "                                  one, what a draw gave each (the newest\n"
      "                                  unless told), and the whole ticket over\n"
      "                                  the years, each line from its first date\n"
      "  wheel --guarantee TifM [--seed S] N1 .. Nv\n"
      "                                  the fewest lines found on 7 to 49 numbers\n"
      "                                  that hold T of any M drawn among them,\n"
      "                                  proved; --check FILE proves a wheel's file\n"
      "  import FILE [--skip-bad] [--dry-run] [--columns date=N,main=N-M,bonus=N|none]\n"
      "         [--date-order dmy|mdy|ymd] [--since DD/MM/YYYY] [--until DD/MM/YYYY]\n"
      "         [--new NAME --stake S --returns R3,R4,R5,R5P,R6]\n"
      "                                  adds the draws of a published result file\n"
      "                                  (CSV or text) to the lottery, or starts the\n"
      "                                  new lottery NAME with them; nothing is\n"
      "                                  written while a row has a problem unless\n"
      "                                  --skip-bad leaves such rows out (import\n"
      "                                  --help tells more)\n"
      "\n"
      "check, hits, frequency and distribution take --since DD/MM/YYYY and\n"
      "--until DD/MM/YYYY to count only the draws of those dates (both included).\n"
      "\n"
      "Exit codes: 0 done, 1 data error, 2 wrong arguments.\n";
  return usage;
}

}  // namespace bw

namespace bw {

const std::string& ImportUsage() {
  static const std::string usage =
      "Usage: ballwright-cli [--folder DIR] [--lottery NAME] import FILE [OPTIONS]\n"
      "\n"
      "Adds the draws of a published result file (CSV or text, any common shape)\n"
      "to the lottery, or starts a new lottery with them. The shape found is\n"
      "shown; nothing is written while a row has a problem, and a file of another\n"
      "game or of another lottery is refused whole.\n"
      "\n"
      "  --dry-run             show what would be imported, write nothing\n"
      "  --skip-bad            leave out the rows with problems\n"
      "  --columns date=N,main=N-M,bonus=N|none\n"
      "                        settle the columns by hand (counted from 1; main\n"
      "                        also takes six columns joined by +, date=N-M a\n"
      "                        date spread over day, month and year columns)\n"
      "  --date-order dmy|mdy|ymd\n"
      "                        say whether the day or the month comes first when\n"
      "                        neither the dates nor the lottery tell\n"
      "  --since DD/MM/YYYY    only the draws of this date and later\n"
      "  --until DD/MM/YYYY    only the draws of this date and earlier\n"
      "  --new NAME --stake S --returns R3,R4,R5,R5P,R6\n"
      "                        start the lottery NAME with the draws of the file\n"
      "\n"
      "Exit codes: 0 done, 1 data error (nothing written), 2 wrong arguments.\n";
  return usage;
}

}  // namespace bw
