// The start procedure's pieces that need no window: the program folder from
// the command line, and reading the program settings with its message.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/session.h"

namespace bw::ui {

struct StartArguments {
  std::filesystem::path folder;  // the program folder
  std::string screenshot;        // not empty: save a picture of the window there and end
  std::string error;             // not empty: the arguments are unusable
};

// `--folder DIR` names the program folder; otherwise it is the folder of the
// program file. `--screenshot FILE` asks for a picture of the started window.
// Any other argument, a missing value or a DIR that is not a folder is an
// error.
StartArguments ParseStartArguments(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& programFileFolder);

// ReadProgramSettings; a failure is reported with the "Error Reading File"
// message and the start goes on.
void ReadProgramSettingsReported(Session& session);

}  // namespace bw::ui
