// SPDX-License-Identifier: GPL-3.0-or-later
// The start procedure: the lottery folder, one instance per folder, the program settings,
// the main window with its loading, and the run loop until it closes.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "app/session.h"
#include "platform/folder_lock.h"
#include "platform/system_services.h"
#include "ui/guarded_application.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "ui/start_up.h"

int main(int argc, char** argv) try {
  bw::ui::GuardedApplication app(argc, argv);
  QApplication::setApplicationName("Ballwright");
  QApplication::setDesktopFileName("org.ballwright.Ballwright");  // its desktop entry and icon
  std::vector<std::string> arguments;
  for (const QString& argument : QApplication::arguments().mid(1)) {
    arguments.push_back(argument.toStdString());
  }
  const bw::ui::StartArguments start =
      bw::ui::ParseStartArguments(arguments, QApplication::applicationDirPath().toStdString());
  if (!start.error.empty()) {
    std::fprintf(stderr, "ballwright: %s\n", start.error.c_str());
    return 2;
  }
  bw::ui::QtMessageSink messages;
  if (const std::string error = bw::PrepareLotteryFolder(start.place); !error.empty()) {
    std::fprintf(stderr, "ballwright: %s\n", error.c_str());
    messages.Show({error, "Error", bw::MessageButtons::Ok, bw::MessageIcon::Critical});
    return 1;
  }
  bw::FolderLock lock(start.place.folder);
  // The window writes the folder; a lock it cannot take would let others in.
  if (lock.LockData(bw::LockMode::Shared, std::chrono::seconds(2)) ==
      bw::FolderLock::Result::Unusable) {
    const std::string problem =
        "Ballwright cannot open this lottery folder: " + lock.Problem() + ".";
    std::fprintf(stderr, "ballwright: %s\n", problem.c_str());
    messages.Show({problem, "Lottery folder", bw::MessageButtons::Ok, bw::MessageIcon::Critical});
    return 1;
  }
  lock.UnlockData();
  if (!lock.MarkWindowOpen()) return 0;  // another instance serves this folder

  bw::ui::QtEventPump events;
  bw::SystemClock clock;
  bw::MersenneRandom random;
  bw::Session session(start.place.folder, messages, clock);
  session.UseFolderLock(&lock);
  bw::ui::ReadProgramSettingsReported(session);

  bw::ui::MainWindow window(
      session,
      bw::ui::Services{messages, events, clock, random, nullptr, {}, {}, start.place.helpFile, {}});
  if (!window.Initialize() || window.IsUnloaded()) return 0;
  window.show();
  if (!start.screenshot.empty()) {
    QTimer::singleShot(500, &window, [&window, &start] {
      window.grab().save(QString::fromStdString(start.screenshot));
      window.close();
    });
  }
  return QApplication::exec();
} catch (const std::exception& error) {  // the window is gone by now: the terminal is told
  std::fprintf(stderr, "ballwright: unexpected error: %s\n", error.what());
  return 1;
}
