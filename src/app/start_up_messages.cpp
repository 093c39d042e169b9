#include "app/start_up_messages.h"

#include <string>

#include "store/file_error.h"

namespace bw {
namespace {

Message Critical(std::string title, std::string text) {
  return {std::move(text), std::move(title), MessageButtons::Ok, MessageIcon::Critical};
}

}  // namespace

Message ProgramSettingsErrorMessage(int16_t errorNumber) {
  return Critical("Error Reading File",
                  "Error reading initialisation file...\r\n\r\nError " +
                      std::to_string(errorNumber) + " " + FileErrorDescription(errorNumber) +
                      "\r\nYou may still be able to run the program but you must provide "
                      "manually all required details.");
}

Message NoLotteryMessage() {
  return Critical("Error",
                  "There seems to be no lottery data file available, you must select (or create "
                  "a new) one.");
}

Message UnresolvedDetailsMessage(bool still) {
  return Critical("Error", still ? "There are still some unresolved details cannot continue."
                                 : "There are some unresolved details please correct first.");
}

Message NoPastDrawsMessage() {
  return Critical("Error loading file",
                  "No past draws available, please read information on how to obtain past draws "
                  "history under (Help: Importing an unlisted lottery.\r\n\r\nHowever you may use "
                  "the internal update routine to enter the past draws, just follow the on "
                  "screen instructions.");
}

bool DetailsResolved(const LotterySettings& settings) {
  return settings.stake != 0 && settings.ret3 != 0 && settings.ret4 != 0;
}

}  // namespace bw
