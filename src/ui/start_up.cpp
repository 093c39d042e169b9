// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/start_up.h"

#include "app/start_up_messages.h"

#include "store/file_error.h"
#include "store/settings_files.h"

namespace bw::ui {

StartArguments ParseStartArguments(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& programFileFolder,
                                   const EnvironmentLookup& environment) {
  StartArguments result;
  std::optional<std::filesystem::path> folder;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (option != "--folder" && option != "--screenshot") {
      result.error = "unknown argument \"" + option +
                     "\" (usage: ballwright [--folder DIR] [--screenshot FILE])";
      return result;
    }
    if (i + 1 >= arguments.size()) {
      result.error = option + " needs a value";
      return result;
    }
    if (option == "--folder") {
      folder = arguments[++i];
    } else {
      result.screenshot = arguments[++i];
    }
  }
  std::error_code error;
  if (folder && !std::filesystem::is_directory(*folder, error)) {
    result.error = "\"" + folder->string() + "\" is not a folder";
    return result;
  }
  result.place = ChooseLotteryFolder(folder, programFileFolder, environment);
  result.error = result.place.error;
  return result;
}

void ReadProgramSettingsReported(Session& session) {
  ProgramState& state = session.State();
  if (ReadProgramSettings(state)) return;
  session.Messages().Show(ProgramSettingsErrorMessage(state.fileErrorNumber));
}

}  // namespace bw::ui
