// SPDX-License-Identifier: GPL-3.0-or-later
// One window for each lottery folder. The window that holds the folder (its
// folder lock's window mark) listens on a local socket named after the user
// and the folder; a later start on that folder hands its results file over
// and ends, and the window comes to the front and opens the file. A start on
// another folder gets its own socket and window. The lock, not the socket,
// says whether a window holds the folder, so a socket left behind by a
// killed window is simply replaced.
#pragma once

#include <QLocalServer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QLocalSocket;
class QWidget;

namespace bw::ui {

class SingleWindow : public QObject {
 public:
  // What a later start asks for: the window to the front, and its file
  // opened unless the file is empty.
  using Request = std::function<void(const std::filesystem::path& file)>;

  explicit SingleWindow(const std::filesystem::path& folder);

  // Listens for later starts; only while holding the folder's window mark.
  // Returns why it cannot, empty when listening.
  std::string Listen();
  // From now on requests go to `request`; those that came before (while the
  // window was loading) are passed on at once.
  void Serve(Request request);

  // For a later start: hands the file (or nothing) to the window holding the
  // folder, trying for up to `wait` while that window is still starting.
  // Returns why the window could not be reached, empty when it took the file.
  static std::string HandOver(const std::filesystem::path& folder,
                              const std::filesystem::path& file,
                              std::chrono::milliseconds wait = std::chrono::seconds(5));

  // The socket's name: the same for every spelling of one folder.
  static QString ServerName(const std::filesystem::path& folder);

 private:
  void Receive(QLocalSocket* socket);
  void Pass(const std::filesystem::path& file);

  QLocalServer server_;
  std::filesystem::path folder_;
  Request request_;
  std::vector<std::filesystem::path> waiting_;  // requests before Serve
};

class MainWindow;
// Later starts bring the window to the front and open their files in it.
void ServeWindow(SingleWindow& single, MainWindow& window);

}  // namespace bw::ui
