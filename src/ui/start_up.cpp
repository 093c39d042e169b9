#include "ui/start_up.h"

#include "store/file_error.h"
#include "store/settings_files.h"

namespace bw::ui {

StartArguments ParseStartArguments(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& programFileFolder) {
  StartArguments result{programFileFolder, {}};
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] != "--folder") {
      result.error = "unknown argument \"" + arguments[i] + "\" (usage: ballwright [--folder DIR])";
      return result;
    }
    if (i + 1 >= arguments.size()) {
      result.error = "--folder needs a folder";
      return result;
    }
    result.folder = arguments[++i];
  }
  std::error_code error;
  if (!std::filesystem::is_directory(result.folder, error)) {
    result.error = "\"" + result.folder.string() + "\" is not a folder";
  }
  return result;
}

void ReadProgramSettingsReported(Session& session) {
  ProgramState& state = session.State();
  if (ReadProgramSettings(state)) return;
  const std::string text = "Error reading initialisation file...\r\n\r\nError " +
                           std::to_string(state.fileErrorNumber) + " " +
                           FileErrorDescription(state.fileErrorNumber) +
                           "\r\nYou may still be able to run the program but you must provide "
                           "manually all required details.";
  session.Messages().Show({text, "Error Reading File", MessageButtons::Ok, MessageIcon::Critical});
}

}  // namespace bw::ui
