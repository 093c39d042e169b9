// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <chrono>
#include <system_error>

#include "app/start_up_messages.h"
#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/import_command.h"
#include "cli/lines_command.h"
#include "platform/folder_lock.h"
#include "platform/lottery_folder.h"
#include "platform/system_services.h"
#include "store/file_error.h"
#include "store/settings_files.h"

namespace bw {
namespace {

// Message boxes become lines on the error stream; questions are answered Yes.
class StreamMessageSink : public MessageSink {
 public:
  explicit StreamMessageSink(std::ostream& err) : err_(err) {}
  MessageAnswer Show(const Message& message) override {
    std::string text;
    for (char c : message.text) {
      if (c != '\r') text += c;
    }
    err_ << text << "\n";
    return message.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
  }

 private:
  std::ostream& err_;
};

std::filesystem::path ProgramFolder(const std::vector<std::string>& args) {
  if (args.empty() || args[0].empty()) return std::filesystem::current_path();
  std::error_code ignored;
  const auto program = std::filesystem::absolute(args[0], ignored);
  return program.parent_path();
}

void CheckFolderAndLottery(const std::filesystem::path& folder,
                           const std::optional<std::string>& lottery) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    throw UsageError("not a folder: \"" + folder.string() + "\"");
  }
  if (!lottery) return;
  const bool plainName = !lottery->empty() && lottery->find('/') == std::string::npos &&
                         *lottery != "." && *lottery != "..";
  if (!plainName || (!std::filesystem::exists(folder / (*lottery + ".opt"), error) &&
                     !std::filesystem::exists(folder / (*lottery + ".ini"), error))) {
    throw UsageError("unknown lottery \"" + *lottery + "\" in \"" + folder.string() + "\"");
  }
}

// The settings part of the windows' start-up; false when no usable lottery.
bool ReadSettings(Session& session, const std::optional<std::string>& lottery) {
  ProgramState& state = session.State();
  if (lottery) {
    state.lottoFile = *lottery + ".opt";
  } else if (!ReadProgramSettings(state)) {
    session.Messages().Show(ProgramSettingsErrorMessage(state.fileErrorNumber));
  }
  const std::string programProblem = state.settingsProblem;
  if (!ReadLotterySettings(state)) {
    session.Messages().Show(
        NoLotteryMessage(state.settingsProblem.empty() ? programProblem : state.settingsProblem));
    return false;
  }
  if (!DetailsResolved(state.settings)) {
    session.Messages().Show(UnresolvedDetailsMessage(false));
    return false;
  }
  return true;
}

// A bonus is required exactly when the lottery draws one.
void CheckBonus(const AddRequest& add, const Session& session) {
  const bool useBonus = session.State().settings.useBonus;
  if (useBonus && !add.bonus) throw UsageError("this lottery needs a bonus number");
  if (!useBonus && add.bonus) throw UsageError("this lottery draws no bonus number");
}

int RunRequest(Session& session, const CliInvocation& invocation, std::ostream& out,
               std::ostream& err, const CliOptions& options) {
  const CliRequest& request = invocation.request;
  const OutputFormat format = invocation.format;
  if (const auto* check = std::get_if<CheckRequest>(&request)) {
    return RunCheck(session, *check, out, format);
  }
  if (const auto* system = std::get_if<SystemRequest>(&request)) {
    return RunSystem(session, *system, out, err, format);
  }
  if (std::holds_alternative<RandomRequest>(request)) return RunRandom(session, out);
  if (const auto* search = std::get_if<SearchRequest>(&request)) {
    return RunSearch(session, *search, out, err, options.progressOnErr, format);
  }
  if (const auto* stats = std::get_if<StatsRequest>(&request)) {
    return RunStats(session, *stats, out, format);
  }
  if (const auto* hits = std::get_if<HitsRequest>(&request)) {
    return RunHits(session, *hits, out, err, format);
  }
  if (const auto* frequency = std::get_if<FrequencyRequest>(&request)) {
    return RunFrequency(session, *frequency, out, err, format);
  }
  if (const auto* distribution = std::get_if<DistributionRequest>(&request)) {
    return RunDistribution(session, *distribution, out, format);
  }
  if (const auto* history = std::get_if<HistoryRequest>(&request)) {
    return RunHistory(session, *history, out, err, format);
  }
  if (const auto* lines = std::get_if<LinesRequest>(&request)) {
    return RunLines(session, *lines, out, err, format);
  }
  return RunAdd(session, std::get<AddRequest>(request), out, err);
}

// What a command does to the lottery folder: commands that write it have it
// alone, the others share it, so that none sees the index half-updated.
LockMode LockModeOf(const CliRequest& request) {
  if (const auto* import = std::get_if<ImportRequest>(&request)) {
    return import->dryRun ? LockMode::Shared : LockMode::Exclusive;
  }
  if (const auto* search = std::get_if<SearchRequest>(&request)) {
    return search->resume ? LockMode::Exclusive : LockMode::Shared;
  }
  if (const auto* history = std::get_if<HistoryRequest>(&request)) {
    return WritesHistory(*history) ? LockMode::Exclusive : LockMode::Shared;
  }
  if (const auto* lines = std::get_if<LinesRequest>(&request)) {
    return lines->Writes() ? LockMode::Exclusive : LockMode::Shared;
  }
  return std::holds_alternative<AddRequest>(request) ? LockMode::Exclusive : LockMode::Shared;
}

// Takes the folder's lock for the command, or refuses the command. A window
// holds the lottery in memory and would save over whatever is written beside
// it; a reader that must build the index writes too. The window is looked for
// once the lock is held: a window opening later reads only after this command.
void TakeFolderLock(FolderLock& lock, LockMode mode, bool indexBuild,
                    const std::filesystem::path& folder) {
  constexpr std::chrono::seconds kWait{2};
  const std::string quoted = "\"" + folder.string() + "\"";
  const FolderLock::Result taken = lock.LockData(mode, kWait);
  if (taken == FolderLock::Result::Unusable) throw std::runtime_error(lock.Problem());
  if (taken == FolderLock::Result::Busy) {
    throw std::runtime_error("another Ballwright program is using the lottery folder " + quoted +
                             " and did not finish within 2 seconds; nothing was done, try again "
                             "when it has finished");
  }
  if (mode == LockMode::Exclusive && lock.WindowOpenElsewhere()) {
    throw std::runtime_error(
        indexBuild ? "a Ballwright window has the lottery folder " + quoted +
                         " open and the index there does not match the saved history (the window "
                         "may hold draws not saved yet); save them there or close the window, "
                         "then try again"
                   : "a Ballwright window has the lottery folder " + quoted +
                         " open and would save over any change made here; nothing was changed: "
                         "close the window first (commands that only read still work)");
  }
}

// The command under the folder's lock; nullopt when it shares the folder but
// the index must be built first, which needs the folder alone.
std::optional<int> RunLocked(const std::filesystem::path& folder, const CliInvocation& invocation,
                             LockMode mode, std::ostream& out, std::ostream& err,
                             const CliOptions& options) {
  StreamMessageSink messages(err);
  SystemClock clock;
  Session session(folder, messages, clock);
  const auto* import = std::get_if<ImportRequest>(&invocation.request);
  if (import && import->newLottery) return RunImportNew(session, *import, out, err);
  if (!ReadSettings(session, invocation.lottery)) return kCliDataError;
  const bool readToEnd = session.ReadHistory();
  // Said at once: a run that must build the index reads the restored history anew.
  if (std::string& restored = session.State().historyRead.restoredFrom; !restored.empty()) {
    messages.Show(RestoredMessage(session.State()));
    restored.clear();
  }
  // The import builds the index of the history it writes.
  if (import) return RunImport(session, *import, readToEnd, out, err);
  const bool building = session.IndexNeedsBuilding();
  if (mode == LockMode::Shared && building && !session.State().draws.empty()) return std::nullopt;
  const auto* add = std::get_if<AddRequest>(&invocation.request);
  if (add) CheckBonus(*add, session);
  if (const auto refusal = HistoryWriteRefusal(session.State()); add && refusal) {
    messages.Show(*refusal);
    return kCliDataError;
  }
  for (const Message& message : HistoryReadMessages(session.State())) messages.Show(message);
  const auto* lines = std::get_if<LinesRequest>(&invocation.request);
  const bool needsDraws =
      !add && !(lines && (lines->Writes() || lines->kind == LinesRequest::Kind::List));
  if (session.State().draws.empty() && needsDraws) {
    // An unreadable history was reported as such above.
    if (session.State().historyRead.outcome != HistoryReadOutcome::Unreadable) {
      messages.Show(NoPastDrawsMessage());
    }
    return kCliDataError;
  }
  {
    // Only the first start of a lottery, which builds the index, takes long.
    ProgressBar bar(err, options.progressOnErr && building, "Building the index");
    session.IntegrateHistory([&bar](std::size_t done, std::size_t total) {
      bar.Show(static_cast<double>(done) / static_cast<double>(std::max<std::size_t>(total, 1)));
    });
  }
  return RunRequest(session, invocation, out, err, options);
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const CliOptions& options) {
  const CliInvocation invocation =
      ParseCliArguments({args.begin() + (args.empty() ? 0 : 1), args.end()});
  if (const auto* help = std::get_if<HelpRequest>(&invocation.request)) {
    out << (help->command == "import" ? ImportUsage() : CliUsage());
    return kCliOk;
  }
  if (std::holds_alternative<VersionRequest>(invocation.request)) {
    out << "ballwright-cli " << BALLWRIGHT_VERSION << "\n";
    return kCliOk;
  }
  if (const auto* wheel = std::get_if<WheelRequest>(&invocation.request)) {
    return RunWheel(*wheel, invocation.format, out, err, options.progressOnErr);
  }
  const LotteryFolder place =
      ChooseLotteryFolder(invocation.folder, ProgramFolder(args), options.environment);
  if (!place.error.empty()) throw std::runtime_error(place.error);
  if (std::holds_alternative<WhereRequest>(invocation.request)) {
    out << place.folder.string() << "\n";
    return kCliOk;
  }
  if (const std::string error = PrepareLotteryFolder(place); !error.empty()) {
    throw std::runtime_error(error);
  }
  const std::filesystem::path& folder = place.folder;
  CheckFolderAndLottery(folder, invocation.lottery);

  FolderLock lock(folder);
  const LockMode mode = LockModeOf(invocation.request);
  TakeFolderLock(lock, mode, false, folder);
  if (const auto code = RunLocked(folder, invocation, mode, out, err, options)) return *code;
  TakeFolderLock(lock, LockMode::Exclusive, true, folder);
  return *RunLocked(folder, invocation, LockMode::Exclusive, out, err, options);
}

}  // namespace

int RunCli(std::vector<std::string> args, std::ostream& out, std::ostream& err,
           const CliOptions& options) {
  try {
    return Run(args, out, err, options);
  } catch (const UsageError& error) {
    err << "ballwright-cli: " << error.what() << "\n";
    return kCliArgumentError;
  } catch (const std::exception& error) {
    err << "ballwright-cli: " << error.what() << "\n";
    return kCliDataError;
  } catch (...) {
    err << "ballwright-cli: unexpected error\n";
    return kCliDataError;
  }
}

}  // namespace bw
