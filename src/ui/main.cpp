// SPDX-License-Identifier: GPL-3.0-or-later
// The start procedure: --help and --version without a window, the lottery
// folder, one window per folder (a later start hands its file to it), the
// program settings, the main window with its loading, and the run loop.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "platform/folder_lock.h"
#include "platform/system_services.h"
#include "ui/guarded_application.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "ui/single_window.h"
#include "ui/start_up.h"

namespace {

std::vector<std::string> Words(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

// --help and --version are answered on the terminal; the exit code, or
// nothing when a window is wanted.
std::optional<int> AnswerOnTerminal(const bw::ui::StartOptions& options) {
  if (options.help) {
    std::fputs(bw::ui::StartHelpText().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("ballwright %s\n", bw::ui::ProgramVersion());
    return 0;
  }
  return std::nullopt;
}

// Without a display the application object would abort the program. Where
// Qt is not told of another platform, say so instead; wrong words first.
std::optional<int> RefuseWithoutDisplay(int argc, char** argv) {
#if defined(__linux__)
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  if (set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM")) return std::nullopt;
  const std::vector<std::string> words = Words(argc, argv);
  for (const std::string& word : words) {
    if (word == "-platform" || word == "--platform") return std::nullopt;
  }
  if (const auto options = bw::ui::ReadStartOptions(words); !options.error.empty()) {
    std::fprintf(stderr, "ballwright: %s\n", options.error.c_str());
    return 2;
  }
  std::fputs(
      "ballwright: there is no display to open the window on (neither DISPLAY nor "
      "WAYLAND_DISPLAY is set); ballwright-cli works without one.\n",
      stderr);
  return 1;
#else
  (void)argc;
  (void)argv;
  return std::nullopt;
#endif
}

int Refuse(bw::MessageSink& messages, const std::string& problem, const char* title) {
  std::fprintf(stderr, "ballwright: %s\n", problem.c_str());
  messages.Show({problem, title, bw::MessageButtons::Ok, bw::MessageIcon::Critical});
  return 1;
}

}  // namespace

int main(int argc, char** argv) try {
  // Before the application object, which needs a display. Its own options
  // (-platform ...) are known only to it: then the words are read again below.
  if (const auto answered = AnswerOnTerminal(bw::ui::ReadStartOptions(Words(argc, argv)))) {
    return *answered;
  }
  if (const auto refused = RefuseWithoutDisplay(argc, argv)) return *refused;
  bw::ui::GuardedApplication app(argc, argv);
  QApplication::setApplicationName("Ballwright");
  QApplication::setDesktopFileName("org.ballwright.Ballwright");  // its desktop entry and icon
  const bw::ui::StartOptions options = bw::ui::ReadStartOptions(Words(argc, argv));
  if (const auto answered = AnswerOnTerminal(options)) return *answered;
  const bw::ui::StartArguments start =
      bw::ui::ChooseStartPlace(options, QApplication::applicationDirPath().toStdString());
  const std::string wrong = options.error.empty() ? start.error : options.error;
  if (!wrong.empty()) {
    std::fprintf(stderr, "ballwright: %s\n", wrong.c_str());
    return 2;
  }
  bw::ui::QtMessageSink messages;
  if (const std::string error = bw::PrepareLotteryFolder(start.place); !error.empty()) {
    return Refuse(messages, error, "Error");
  }
  bw::FolderLock lock(start.place.folder);
  // The window writes the folder; a lock it cannot take would let others in.
  if (lock.LockData(bw::LockMode::Shared, std::chrono::seconds(2)) ==
      bw::FolderLock::Result::Unusable) {
    return Refuse(messages, "Ballwright cannot open this lottery folder: " + lock.Problem() + ".",
                  "Lottery folder");
  }
  lock.UnlockData();
  if (!lock.MarkWindowOpen()) {  // the window holding the folder takes over
    const std::string problem =
        bw::ui::SingleWindow::HandOver(start.place.folder, start.resultFile);
    return problem.empty() ? 0 : Refuse(messages, problem, "Lottery folder");
  }
  bw::ui::SingleWindow single(start.place.folder);
  if (const std::string problem = single.Listen(); !problem.empty()) {
    std::fprintf(stderr, "ballwright: %s\n", problem.c_str());  // the window works without
  }

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
  bw::ui::ServeWindow(single, window);
  if (!start.resultFile.empty()) {
    QTimer::singleShot(0, &window, [&window, &start] { window.OpenResultFile(start.resultFile); });
  }
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
