// SPDX-License-Identifier: GPL-3.0-or-later
// Where the lottery files live, for the windows and the command line alike.
//
// A program folder that holds its own program settings file (a portable copy,
// the build folder) is the place, writable or not. An installed program, whose
// read-only data lies in ../share/ballwright-data beside its bin folder,
// keeps the lotteries in the user's data folder and seeds it with the demo lottery on
// the first start. `--folder DIR` overrides both.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

// The help file, read from the installed data or the program folder.
inline constexpr std::string_view kHelpFile = "vomrix.HLP";
// The program settings file: it names the current lottery, and its presence
// beside the program file makes a portable copy.
inline constexpr std::string_view kProgramSettingsFile = "vomrix.ini";

struct LotteryFolder {
  std::filesystem::path folder;         // where the lottery files are read and written
  std::filesystem::path helpFile;       // the help file to show
  std::filesystem::path installedData;  // the installed read-only data; empty when not installed
  bool seedFromInstalledData = false;   // the folder is the user's data folder
  std::string error;                    // not empty: no folder could be named
};

// The value of an environment variable, or nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;
std::optional<std::string> ProcessEnvironment(const std::string& name);

// `given` is the folder of `--folder`; `programFileFolder` the folder of the
// running program file.
LotteryFolder ChooseLotteryFolder(const std::optional<std::filesystem::path>& given,
                                  const std::filesystem::path& programFileFolder,
                                  const EnvironmentLookup& environment = ProcessEnvironment);

// For the user's data folder: makes it and, while it holds no program
// settings file (the first start), copies in each file of the installed demo
// lottery that is not there yet; a user's file is never replaced. The help
// file stays in the installed data. Returns an error text, empty when done.
std::string PrepareLotteryFolder(const LotteryFolder& place);

}  // namespace bw
