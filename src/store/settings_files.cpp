// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/settings_files.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "model/numbers.h"
#include "store/file_error.h"
#include "store/text_file.h"

namespace bw {
namespace {

struct KeyValue {
  std::string key;  // lower case
  std::string value;
};

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// "key = value" split at the first "="; nullopt for a line without "=".
std::optional<KeyValue> SplitSettingLine(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyValue{LowerAscii(TrimBlanks(line.substr(0, equals))),
                  std::string(TrimBlanks(line.substr(equals + 1)))};
}

bool Fail(ProgramState& state, int16_t error) {
  state.fileErrorNumber = error;
  return false;
}

std::filesystem::path LotterySettingsPath(const ProgramState& state) {
  return state.InFolder(state.LotteryFileName(".ini"));
}

// Scans the decimal number at the start of a text into a form strtod reads,
// skipping blanks anywhere inside it. Empty when there are no digits.
std::string ScanDecimal(std::string_view text) {
  std::size_t i = 0;
  const auto skipBlanks = [&] {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  };
  const auto takeDigits = [&](std::string& out) {
    bool any = false;
    for (skipBlanks(); i < text.size() && text[i] >= '0' && text[i] <= '9'; skipBlanks()) {
      out += text[i++];
      any = true;
    }
    return any;
  };
  std::string number;
  skipBlanks();
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
  bool digits = takeDigits(number);
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    digits = takeDigits(number) || digits;
  }
  if (!digits) return {};
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::string exponent = "e";
    ++i;
    skipBlanks();
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) exponent += text[i++];
    if (takeDigits(exponent)) number += exponent;
  }
  return number;
}

}  // namespace

std::optional<int32_t> ReadWholeNumber(std::string_view text) {
  const std::string number = ScanDecimal(text);
  if (number.empty()) return 0;
  // nearbyint rounds in the default mode: to nearest, a half to even.
  const double rounded = std::nearbyint(std::strtod(number.c_str(), nullptr));
  if (!(rounded >= std::numeric_limits<int32_t>::min() &&
        rounded <= std::numeric_limits<int32_t>::max())) {
    return std::nullopt;
  }
  return static_cast<int32_t>(rounded);
}

namespace {

// A file name of the program folder itself: no folder part, no drive, no
// "." or "..". The settings may name nothing else, so that no file outside
// the folder is ever read or written as a history.
bool IsPlainFileName(std::string_view name) {
  name = TrimBlanks(name);
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\:") == std::string_view::npos &&
         std::none_of(name.begin(), name.end(), [](char c) { return c >= 0 && c < ' '; });
}

// The most a stake or return may be, as the lottery dialog takes them.
constexpr int32_t kLargestAmount = 2'000'000'000;

std::string Refused(std::string_view file, const KeyValue& setting, std::string_view why) {
  return std::string(file) + ": " + setting.key + "=" + setting.value + " " + std::string(why);
}

}  // namespace

bool ReadProgramSettings(ProgramState& state) {
  state.fileErrorNumber = 0;
  state.settingsProblem.clear();
  const ReadResult file = ReadTextLines(state.InFolder(kProgramSettingsFile));
  if (file.error != 0) return Fail(state, file.error);
  TakeProgramSettings(state, file.lines);
  return true;
}

void TakeProgramSettings(ProgramState& state, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    const auto setting = SplitSettingLine(line);
    if (!setting || setting->key != "file") continue;
    const bool plain = IsPlainFileName(setting->value);
    state.lottoFile = plain ? setting->value : "";
    if (!plain) {
      state.settingsProblem = Refused(kProgramSettingsFile, *setting,
                                      "is not the name of a file in the lottery folder");
    }
  }
}

bool WriteProgramSettings(ProgramState& state) {
  state.fileErrorNumber = 0;
  const auto file = state.InFolder(kProgramSettingsFile);
  int16_t error = MakeWritable(file);
  if (error == 0)
    error = WriteTextLines(file, {"file=" + std::string(TrimBlanks(state.lottoFile))});
  return error == 0 || Fail(state, error);
}

bool ReadLotterySettings(ProgramState& state) {
  state.fileErrorNumber = 0;
  state.settingsProblem.clear();
  if (state.lottoFile.size() < 4) return Fail(state, kInvalidArgument);
  const ReadResult file = ReadTextLines(LotterySettingsPath(state));
  if (file.error != 0) return Fail(state, file.error);
  return TakeLotterySettings(state, file.lines);
}

bool TakeLotterySettings(ProgramState& state, const std::vector<std::string>& lines) {
  LotterySettings& settings = state.settings;
  const std::vector<std::pair<std::string_view, int32_t*>> amounts = {
      {"stake", &settings.stake}, {"ret3", &settings.ret3},   {"ret4", &settings.ret4},
      {"ret5", &settings.ret5},   {"ret5p", &settings.ret5p}, {"ret6", &settings.ret6}};
  for (const std::string& line : lines) {
    const auto setting = SplitSettingLine(line);
    if (!setting) continue;
    if (setting->key == "bonus") {
      settings.useBonus = LowerAscii(setting->value) != "false";
      continue;
    }
    if (setting->key == "dateorder") {
      const std::string order = LowerAscii(setting->value);
      settings.dateOrder = order == "dmy" || order == "mdy" ? order : "";
      continue;
    }
    if (setting->key == "shown") {
      settings.shownDraw = setting->value;
      continue;
    }
    for (const auto& [key, target] : amounts) {
      if (setting->key != key) continue;
      const auto value = ReadWholeNumber(setting->value);
      // 0 is a detail not given yet, which the lottery dialog then asks for.
      if (!value || *value < 0 || *value > kLargestAmount) {
        state.settingsProblem =
            Refused(state.LotteryFileName(".ini"), *setting,
                    "is not a whole amount from 1 to 2,000,000,000; correct it in the file");
        return Fail(state, value ? kInvalidArgument : kOverflow);
      }
      *target = *value;
    }
  }
  return true;
}

bool WriteLotterySettings(ProgramState& state) {
  state.fileErrorNumber = 0;
  if (state.lottoFile.size() < 4) return Fail(state, kInvalidArgument);
  const LotterySettings& s = state.settings;
  std::vector<std::string> lines = {std::string("bonus=") + (s.useBonus ? "true" : "false"),
                                    "stake=" + std::to_string(s.stake),
                                    "ret3=" + std::to_string(s.ret3),
                                    "ret4=" + std::to_string(s.ret4),
                                    "ret5=" + std::to_string(s.ret5),
                                    "ret5p=" + std::to_string(s.ret5p),
                                    "ret6=" + std::to_string(s.ret6)};
  if (!s.shownDraw.empty()) lines.push_back("shown=" + s.shownDraw);
  if (!s.dateOrder.empty()) lines.push_back("dateorder=" + s.dateOrder);
  const auto file = LotterySettingsPath(state);
  int16_t error = MakeWritable(file);
  if (error == 0) error = WriteTextLines(file, lines);
  return error == 0 || Fail(state, error);
}

}  // namespace bw
