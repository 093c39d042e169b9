// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/lottery_folder.h"

#include <cstdlib>
#include <system_error>

#include "platform/file_system.h"

namespace bw {
namespace fs = std::filesystem;
namespace {

// The read-only data of an installed program, beside its bin folder.
fs::path InstalledDataFolder(const fs::path& programFileFolder) {
  return (programFileFolder / ".." / "share" / "ballwright-data").lexically_normal();
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

// The demo files are small; a larger one is no demo file.
constexpr std::size_t kLargestDemoFile = 64u << 20;

std::string CopyFailure(const fs::path& source, const fs::path& target, const std::string& why) {
  return "cannot copy " + Quoted(source) + " to " + Quoted(target) + ": " + why;
}

// Copies through a new file, flushed before it takes the name, so that an
// interrupted copy never leaves a partial file that a later start would take
// for the user's own.
std::string CopyUnlessPresent(const fs::path& source, const fs::path& target) {
  if (Exists(target)) return {};
  const FileBytes read = ReadFileBytes(source, kLargestDemoFile);
  if (read.error || read.tooLarge || read.notPlainFile) {
    return CopyFailure(source, target, read.error ? read.error.message() : "not a demo file");
  }
  const CreatedFile part = WriteUniqueFile(target.string() + ".part", read.bytes, true);
  std::error_code error = part.error;
  bool moved = false;
  if (!error && !Exists(target)) {
    error = MoveFileOver(part.path, target);
    moved = !error;
  }
  if (!part.error && !moved) RemoveFileIfPresent(part.path);
  if (moved) error = SyncFolder(target.parent_path());
  return error ? CopyFailure(source, target, error.message()) : std::string();
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
  std::error_code error = MakePrivateFolder(place.folder);
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
