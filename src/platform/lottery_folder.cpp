// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/lottery_folder.h"

#include <cstdlib>
#include <system_error>

#include "store/settings_files.h"

namespace bw {
namespace fs = std::filesystem;
namespace {

// The read-only data of an installed program, beside its bin folder.
fs::path InstalledDataFolder(const fs::path& programFileFolder) {
  return (programFileFolder / ".." / "share" / "ballwright").lexically_normal();
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

// Only an absolute path counts; an empty or relative value is ignored.
std::optional<fs::path> AbsoluteFromEnvironment(const EnvironmentLookup& environment,
                                                const std::string& name) {
  const std::optional<std::string> value = environment(name);
  if (!value || value->empty() || !fs::path(*value).is_absolute()) return std::nullopt;
  return fs::path(*value);
}

#ifdef _WIN32
constexpr const char* kUserFolderVariables = "APPDATA";
#else
constexpr const char* kUserFolderVariables = "HOME or XDG_DATA_HOME";
#endif

// The user's data folder: %APPDATA%\Ballwright on Windows,
// $XDG_DATA_HOME/Ballwright else ~/.local/share/Ballwright elsewhere.
std::optional<fs::path> UserDataFolder(const EnvironmentLookup& environment) {
#ifdef _WIN32
  if (const auto appData = AbsoluteFromEnvironment(environment, "APPDATA")) {
    return *appData / "Ballwright";
  }
#else
  if (const auto dataHome = AbsoluteFromEnvironment(environment, "XDG_DATA_HOME")) {
    return *dataHome / "Ballwright";
  }
  if (const auto home = AbsoluteFromEnvironment(environment, "HOME")) {
    return *home / ".local" / "share" / "Ballwright";
  }
#endif
  return std::nullopt;
}

std::string Quoted(const fs::path& path) {
  return "\"" + path.string() + "\"";
}

// Copies through a temporary file so that an interrupted copy never leaves a
// partial file that a later start would take for the user's own.
std::string CopyUnlessPresent(const fs::path& source, const fs::path& target) {
  if (Exists(target)) return {};
  const fs::path part = target.string() + ".part";
  std::error_code error;
  fs::copy_file(source, part, fs::copy_options::overwrite_existing, error);
  if (!error && !Exists(target)) fs::rename(part, target, error);
  std::error_code ignored;
  fs::remove(part, ignored);
  return error ? "cannot copy " + Quoted(source) + " to " + Quoted(target) + ": " + error.message()
               : std::string();
}

}  // namespace

std::optional<std::string> ProcessEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

LotteryFolder ChooseLotteryFolder(const std::optional<fs::path>& given,
                                  const fs::path& programFileFolder,
                                  const EnvironmentLookup& environment) {
  LotteryFolder place;
  const fs::path installed = InstalledDataFolder(programFileFolder);
  const bool portable = Exists(programFileFolder / kProgramSettingsFile);
  if (!portable && IsFolder(installed)) place.installedData = installed;

  if (given) {
    place.folder = *given;
  } else if (place.installedData.empty()) {
    place.folder = programFileFolder;
  } else if (const auto userFolder = UserDataFolder(environment)) {
    place.folder = *userFolder;
    place.seedFromInstalledData = true;
  } else {
    place.error =
        std::string("cannot tell where to keep the lotteries: set ") + kUserFolderVariables;
  }
  place.helpFile = (place.installedData.empty() ? place.folder : place.installedData) / kHelpFile;
  return place;
}

std::string PrepareLotteryFolder(const LotteryFolder& place) {
  if (!place.seedFromInstalledData) return {};
  std::error_code error;
  fs::create_directories(place.folder, error);
  if (error || !IsFolder(place.folder)) {
    return "cannot make the lottery folder " + Quoted(place.folder) + ": " +
           (error ? error.message() : "a file of that name is in the way");
  }
  if (Exists(place.folder / kProgramSettingsFile)) return {};
  // The program settings file comes last: until it is there, the next start
  // completes the placing.
  for (fs::directory_iterator it(place.installedData, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code ignored;
    const fs::path name = it->path().filename();
    if (!it->is_regular_file(ignored)) continue;
    if (name == kHelpFile || name == kProgramSettingsFile) continue;
    if (std::string failure = CopyUnlessPresent(it->path(), place.folder / name);
        !failure.empty()) {
      return failure;
    }
  }
  if (error) return "cannot read " + Quoted(place.installedData) + ": " + error.message();
  const fs::path settings = place.installedData / kProgramSettingsFile;
  return Exists(settings) ? CopyUnlessPresent(settings, place.folder / kProgramSettingsFile)
                          : std::string();
}

}  // namespace bw
