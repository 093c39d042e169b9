// SPDX-License-Identifier: GPL-3.0-or-later
// The application object of the windows: an exception that escapes an event
// handler is reported in a message box instead of ending the program, and
// the event that raised it is dropped. What was saved stays as it was.
#pragma once

#include <QApplication>

namespace bw::ui {

class GuardedApplication : public QApplication {
 public:
  GuardedApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Tells the user of an error no part of the program expected.
void ReportUnexpectedError(const char* what);

}  // namespace bw::ui
