// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/guarded_application.h"

#include <cstdio>
#include <exception>
#include <string>

#include "ui/qt_platform.h"

namespace bw::ui {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ReportUnexpectedError(error.what());
  } catch (...) {
    ReportUnexpectedError("unknown error");
  }
  return false;
}

void ReportUnexpectedError(const char* what) {
  std::fprintf(stderr, "ballwright: unexpected error: %s\n", what);
  QtMessageSink messages;
  messages.Show({"Ballwright met an error it did not expect: " + std::string(what) +
                     ".\r\n\r\nWhat was saved is kept as it was. If it happens again, save your "
                     "work by leaving the Update page and restart the program.",
                 "Unexpected error", MessageButtons::Ok, MessageIcon::Critical});
}

}  // namespace bw::ui
