// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/start_up.h"

#include "app/start_up_messages.h"

#include "store/file_error.h"
#include "store/settings_files.h"

namespace bw::ui {

namespace {

constexpr const char* kUsage = "ballwright [--folder DIR] [--screenshot PICTURE] [FILE]";

StartOptions Wrong(const std::string& what) {
  StartOptions wrong;
  wrong.error = what + " (usage: " + kUsage + "; ballwright --help tells more)";
  return wrong;
}

bool IsOption(const std::string& word) {
  return word.size() > 1 && word.front() == '-';
}

}  // namespace

StartOptions ReadStartOptions(const std::vector<std::string>& arguments) {
  StartOptions options;
  bool onlyFileFollows = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (!onlyFileFollows && word == "--") {
      onlyFileFollows = true;
    } else if (!onlyFileFollows && (word == "--help" || word == "-h")) {
      options.help = true;
      return options;
    } else if (!onlyFileFollows && word == "--version") {
      options.version = true;
      return options;
    } else if (!onlyFileFollows && IsOption(word)) {
      if (word != "--folder" && word != "--screenshot")
        return Wrong("unknown option \"" + word + "\"");
      if (i + 1 >= arguments.size()) return Wrong(word + " needs a value");
      if (word == "--folder") {
        options.folder = arguments[++i];
      } else {
        options.screenshot = arguments[++i];
      }
    } else if (word.empty()) {
      return Wrong("the file name is empty");
    } else if (!options.resultFile.empty()) {
      return Wrong("one file at a time: \"" + word + "\" is a second file");
    } else {
      std::error_code error;
      options.resultFile = std::filesystem::absolute(word, error);  // a window elsewhere opens it
      if (error) options.resultFile = word;
    }
  }
  return options;
}

std::string StartHelpText() {
  return std::string("Usage: ") + kUsage +
         "\n"
         "       ballwright --help | --version\n"
         "\n"
         "Opens the Ballwright window on a lottery folder. FILE, a results file\n"
         "(CSV or text) as a lottery publishes it, is shown in the import preview\n"
         "of the current lottery, as File > Import Draws from File... does.\n"
         "\n"
         "  --folder DIR          keep and read the lotteries in the folder DIR\n"
         "  --screenshot PICTURE  save a picture of the started window as PICTURE\n"
         "                        (PNG) and end\n"
         "  --help                print this help and end\n"
         "  --version             print the version and end\n"
         "  --                    the next word is FILE, even when it starts with \"-\"\n"
         "\n"
         "Without --folder, a program folder holding vomrix.ini keeps the lotteries\n"
         "beside the program; an installed program keeps them in\n"
         "$XDG_DATA_HOME/Ballwright, else ~/.local/share/Ballwright.\n"
         "When a window has that folder open already, it comes to the front (and\n"
         "shows FILE) instead of a second window. Exit status: 0 done, 1 the\n"
         "folder or the window could not be used, 2 wrong arguments.\n";
}

const char* ProgramVersion() {
  return BALLWRIGHT_VERSION;
}

StartArguments ChooseStartPlace(const StartOptions& options,
                                const std::filesystem::path& programFileFolder,
                                const EnvironmentLookup& environment) {
  StartArguments result;
  result.screenshot = options.screenshot;
  result.resultFile = options.resultFile;
  std::error_code error;
  if (options.folder && !std::filesystem::is_directory(*options.folder, error)) {
    result.error = "\"" + options.folder->string() + "\" is not a folder";
    return result;
  }
  result.place = ChooseLotteryFolder(options.folder, programFileFolder, environment);
  result.error = result.place.error;
  return result;
}

void ReadProgramSettingsReported(Session& session) {
  ProgramState& state = session.State();
  if (ReadProgramSettings(state)) return;
  session.Messages().Show(ProgramSettingsErrorMessage(state.fileErrorNumber));
}

}  // namespace bw::ui
