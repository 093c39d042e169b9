// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/wheel_command.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <stdexcept>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "store/file_error.h"
#include "store/text_file.h"
#include "wheel/wheel_generator.h"
#include "wheel/wheel_text.h"

namespace bw {
namespace {

std::string Quoted(const std::string& word) {
  return "\"" + word + "\"";
}

WheelGuarantee ParseGuarantee(const std::string& word) {
  const auto digit = [&](std::size_t at) {
    return std::isdigit(static_cast<unsigned char>(word[at])) != 0;
  };
  if (word.size() != 4 || !digit(0) || word.substr(1, 2) != "if" || !digit(3)) {
    throw UsageError("--guarantee needs T if M written like 3if6, got " + Quoted(word));
  }
  return {word[0] - '0', word[3] - '0'};
}

uint64_t ParseSeed(const std::string& word) {
  constexpr std::size_t kMaxDigits = 18;
  if (word.empty() || word.size() > kMaxDigits ||
      !std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    throw UsageError("--seed needs a whole number, got " + Quoted(word));
  }
  return std::stoull(word);
}

std::string Joined(const std::vector<int>& numbers) {
  std::string text;
  for (int number : numbers) text += (text.empty() ? "" : "-") + TwoDigits(number);
  return text;
}

// A wheel file's lines; a wrong line is a usage error naming the file and the line.
std::vector<Line> ReadWheelFile(const std::filesystem::path& file, const std::vector<int>& chosen) {
  const std::string name = Quoted(file.string());
  const ReadResult read = ReadTextLines(file);
  if (read.error != 0) {
    throw UsageError("cannot read the wheel file " + name + ": " + FileErrorText(read.error));
  }
  try {
    return ParseWheelText(read.lines, chosen, name);
  } catch (const std::invalid_argument& error) {
    const std::string why = error.what();
    throw UsageError(why.rfind(name + " holds", 0) == 0 ? "the wheel file " + why : why);
  }
}

}  // namespace

WheelRequest ParseWheel(const std::vector<std::string>& words) {
  WheelRequest request;
  std::optional<WheelGuarantee> guarantee;
  std::optional<uint64_t> seed;
  std::vector<std::string> numberWords;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!word.starts_with("--")) {
      numberWords.push_back(word);
      continue;
    }
    if (word != "--guarantee" && word != "--seed" && word != "--check") {
      throw UsageError("unknown wheel option " + Quoted(word));
    }
    if (i + 1 >= words.size()) throw UsageError(word + " needs a value");
    const std::string& value = words[++i];
    const bool twice = word == "--guarantee" ? guarantee.has_value()
                       : word == "--seed"    ? seed.has_value()
                                             : request.check.has_value();
    if (twice) throw UsageError(word + " given twice");
    if (word == "--guarantee") guarantee = ParseGuarantee(value);
    if (word == "--seed") seed = ParseSeed(value);
    if (word == "--check") request.check = value;
  }
  if (!guarantee) throw UsageError("wheel needs --guarantee TifM, for example --guarantee 3if6");
  request.guarantee = *guarantee;
  request.seed = seed.value_or(1);
  request.numbers = ParseDistinctNumbers(numberWords);
  std::sort(request.numbers.begin(), request.numbers.end());
  const std::string problem =
      WheelProblem(static_cast<int>(request.numbers.size()), request.guarantee);
  if (!problem.empty()) throw UsageError(problem);
  return request;
}

int RunWheel(const WheelRequest& request, OutputFormat format, std::ostream& out, std::ostream& err,
             bool progress) {
  const WheelGuarantee g = request.guarantee;
  const int v = static_cast<int>(request.numbers.size());
  std::vector<Line> lines;
  WheelProof proof;
  if (request.check) {
    lines = ReadWheelFile(*request.check, request.numbers);
    proof = ProveWheel(request.numbers, lines, g);
  } else {
    ProgressBar bar(err, progress, "Building the wheel");
    WheelOptions options;
    options.seed = request.seed;
    options.progress = [&bar](const WheelProgress& done) { bar.Show(done.done); };
    GeneratedWheel wheel = GenerateWheel(request.numbers, g, options);
    lines = std::move(wheel.lines);
    proof = wheel.proof;
  }
  const std::string guarantee = GuaranteeText(g);
  std::ostream& summary = format == OutputFormat::Text ? out : err;
  if (!request.check) {
    if (format == OutputFormat::Text) {
      for (const Line& line : lines) out << JoinTwoDigits(line, "-") << "\n";
    } else {
      RecordWriter writer(out, format);
      for (const Line& line : lines)
        writer.Write({{"line", std::vector<int>(line.begin(), line.end())}});
    }
  }
  summary << "lines: " << lines.size() << "\n";
  if (!proof.holds) {
    summary << "guarantee: " << guarantee << " fails: no line holds " << g.t << " of "
            << Joined(proof.firstMiss) << "\n";
    return kCliDataError;
  }
  summary << "guarantee: " << guarantee << ", proved over " << proof.setsChecked << " sets\n";
  summary << "lower bound: " << WheelLowerBound(v, g) << "\n";
  return kCliOk;
}

}  // namespace bw
