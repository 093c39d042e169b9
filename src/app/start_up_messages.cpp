// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_up_messages.h"

#include <string>

#include "store/file_error.h"
#include "store/history_file.h"

namespace bw {
namespace {

Message Critical(std::string title, std::string text) {
  return {std::move(text), std::move(title), MessageButtons::Ok, MessageIcon::Critical};
}

constexpr std::size_t kLinesNamed = 5;

Message SetAsideMessage(const ProgramState& state) {
  const HistoryReadStatus& status = state.historyRead;
  const std::size_t count = status.ReportedCount();
  std::string numbers;
  std::string firstReason;
  std::size_t named = 0;
  for (const SetAsideLine& line : status.setAside) {
    if (line.reason.empty() || named == kLinesNamed) continue;
    if (named++ > 0) numbers += ", ";
    numbers += std::to_string(line.lineNumber);
    if (firstReason.empty()) firstReason = line.reason;
  }
  if (count > kLinesNamed) numbers += " and " + std::to_string(count - kLinesNamed) + " more";
  const bool one = count == 1;
  const std::string text =
      std::to_string(count) + (one ? " line of " : " lines of ") + state.lottoFile +
      (one ? " is not a draw and was set aside: line "
           : " are not draws and were set aside: lines ") +
      numbers + " (" + firstReason + ").\r\n\r\n" +
      (one ? "It is kept in the file as it is." : "They are kept in the file as they are.");
  return {text, "Lines set aside", MessageButtons::Ok, MessageIcon::Exclamation};
}

Message StoppedMessage(const ProgramState& state) {
  return {state.lottoFile + " could not be read to its end: " + StoppedLineText(state.historyRead) +
              ".\r\n\r\nChecks and statistics use the draws before that line. Nothing is saved "
              "to the file until the line is corrected.",
          "History not read to its end", MessageButtons::Ok, MessageIcon::Exclamation};
}

Message UnreadableMessage(const ProgramState& state) {
  const int16_t error = state.historyRead.errorNumber;
  return Critical("Error loading file",
                  state.lottoFile + " could not be read: Error " + std::to_string(error) + " " +
                      FileErrorDescription(error) +
                      ".\r\n\r\nThe file is kept as it is; nothing is saved over it until it "
                      "can be read.");
}

}  // namespace

Message RestoredMessage(const ProgramState& state) {
  return {state.lottoFile + " was missing, so it was restored from " +
              state.historyRead.restoredFrom +
              ", the copy left by an earlier save.\r\n\r\nCheck that its newest draws are all "
              "there.",
          "History restored", MessageButtons::Ok, MessageIcon::Exclamation};
}

std::vector<Message> HistoryReadMessages(const ProgramState& state) {
  std::vector<Message> messages;
  const HistoryReadStatus& status = state.historyRead;
  if (!status.restoredFrom.empty()) messages.push_back(RestoredMessage(state));
  if (status.ReportedCount() > 0) messages.push_back(SetAsideMessage(state));
  if (status.outcome == HistoryReadOutcome::Stopped) messages.push_back(StoppedMessage(state));
  if (status.outcome == HistoryReadOutcome::Unreadable)
    messages.push_back(UnreadableMessage(state));
  return messages;
}

Message ProgramSettingsErrorMessage(int16_t errorNumber) {
  return Critical("Error Reading File",
                  "Error reading initialisation file...\r\n\r\nError " +
                      std::to_string(errorNumber) + " " + FileErrorDescription(errorNumber) +
                      "\r\nYou may still be able to run the program but you must provide "
                      "manually all required details.");
}

Message NoLotteryMessage(const std::string& settingsProblem) {
  return Critical("Error",
                  "There seems to be no lottery data file available, you must select (or create "
                  "a new) one." +
                      (settingsProblem.empty() ? "" : "\r\n\r\n" + settingsProblem + "."));
}

Message UnresolvedDetailsMessage(bool still) {
  return Critical("Error", still ? "There are still some unresolved details cannot continue."
                                 : "There are some unresolved details please correct first.");
}

Message NoPastDrawsMessage() {
  return Critical("Error loading file",
                  "No past draws available. Import them with File > \"Import Draws from "
                  "File...\" (help topic \"Importing Published Draws\"), or enter them one by "
                  "one on the Update page.");
}

Message NewLotteryMessage(const ProgramState& state) {
  return {state.lottoFile + " is created in " + state.appFolder.string() +
              " and loaded. It holds placeholder draws dated 00/00/0000 until its past draws "
              "come in.\r\n\r\nTo add them, choose File > \"Import Draws from File...\" and "
              "pick a file of published results (help topic \"Importing Published Draws\"), or "
              "enter them one by one on the Update page. The placeholder draws go with the "
              "first draw that comes in.",
          "New lottery"};
}

Message ReinitialiseQuestion(const ProgramState& state) {
  return {"Re-initialising is only needed when the history file '" + state.lottoFile +
              "' was changed outside this program, in a text editor say.\r\n\r\nDraws added "
              "with the Update page or imported from a file need no re-initialising. The index "
              "is deleted and built anew now, which takes a while.\r\n\r\nDo you wish to "
              "continue?",
          "Please confirm...", MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No};
}

bool DetailsResolved(const LotterySettings& settings) {
  return settings.stake != 0 && settings.ret3 != 0 && settings.ret4 != 0;
}

}  // namespace bw
