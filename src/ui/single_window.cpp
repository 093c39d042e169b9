// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/single_window.h"

#include "ui/main_window.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <limits>
#include <utility>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace bw::ui {
namespace {

// A request is one line: the file as a URL (any character survives), or an
// empty line for the window alone. The window answers "ok".
constexpr qint64 kLongestRequest = 64 * 1024;
const QByteArray kTaken = "ok\n";

QString UserName() {
#ifdef _WIN32
  return qEnvironmentVariable("USERNAME");
#else
  return QString::number(::getuid());
#endif
}

std::filesystem::path CanonicalFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::path canonical = std::filesystem::weakly_canonical(folder, error);
  return error ? std::filesystem::absolute(folder, error) : canonical;
}

std::string Quoted(const std::filesystem::path& path) {
  return "\"" + path.string() + "\"";
}

QByteArray RequestLine(const std::filesystem::path& file) {
  if (file.empty()) return "\n";
  return QUrl::fromLocalFile(QString::fromStdString(file.string())).toEncoded() + "\n";
}

std::filesystem::path FileOfRequest(const QByteArray& line) {
  if (line.trimmed().isEmpty()) return {};
  return QUrl::fromEncoded(line.trimmed()).toLocalFile().toStdString();
}

int Remaining(const QDeadlineTimer& deadline, qint64 most = std::numeric_limits<int>::max()) {
  return static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 1, most));
}

// Connects, retrying while the window is still starting to listen.
bool Connect(QLocalSocket& socket, const QString& name, const QDeadlineTimer& deadline) {
  for (;;) {
    socket.connectToServer(name);
    if (socket.waitForConnected(Remaining(deadline, 500))) return true;
    if (deadline.hasExpired()) return false;
    QThread::msleep(100);
  }
}

std::string NotReached(const std::filesystem::path& folder, const std::string& why) {
  return "another Ballwright window has the lottery folder " + Quoted(folder) +
         " open, but it cannot be reached (" + why +
         "). Bring that window to the front yourself, or close it and start again.";
}

// Un-minimises, raises and activates the window (and a dialog open over it).
void BringToFront(QWidget& window) {
  window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  window.show();
  window.raise();
  window.activateWindow();
  if (QWidget* dialog = QApplication::activeModalWidget(); dialog && dialog != &window) {
    dialog->raise();
    dialog->activateWindow();
  }
}

}  // namespace

SingleWindow::SingleWindow(const std::filesystem::path& folder) : folder_(folder) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Receive(socket); });
      Receive(socket);
    }
  });
}

std::string SingleWindow::Listen() {
  const QString name = ServerName(folder_);
  QLocalServer::removeServer(name);  // left by a killed window: this one holds the folder now
  if (server_.listen(name)) return {};
  return "later starts on " + Quoted(folder_) + " cannot reach this window (" +
         server_.errorString().toStdString() + ")";
}

void SingleWindow::Serve(Request request) {
  request_ = std::move(request);
  for (const std::filesystem::path& file : std::exchange(waiting_, {})) request_(file);
}

void SingleWindow::Receive(QLocalSocket* socket) {
  if (!socket->canReadLine()) {
    if (socket->bytesAvailable() > kLongestRequest) socket->abort();
    return;
  }
  const std::filesystem::path file = FileOfRequest(socket->readLine(kLongestRequest));
  socket->write(kTaken);
  socket->flush();
  socket->disconnectFromServer();
  // After the answer: the import preview waits for the user.
  QMetaObject::invokeMethod(
      this, [this, file] { Pass(file); }, Qt::QueuedConnection);
}

void SingleWindow::Pass(const std::filesystem::path& file) {
  if (request_) {
    request_(file);
  } else {
    waiting_.push_back(file);
  }
}

std::string SingleWindow::HandOver(const std::filesystem::path& folder,
                                   const std::filesystem::path& file,
                                   std::chrono::milliseconds wait) {
  const QDeadlineTimer deadline(wait);
  QLocalSocket socket;
  if (!Connect(socket, ServerName(folder), deadline)) {
    return NotReached(folder, "its socket: " + socket.errorString().toStdString());
  }
  socket.write(RequestLine(file));
  socket.waitForBytesWritten(Remaining(deadline));
  QByteArray answer;
  while (!answer.endsWith('\n') && !deadline.hasExpired() &&
         socket.waitForReadyRead(Remaining(deadline))) {
    answer += socket.readAll();
  }
  return answer == kTaken ? std::string() : NotReached(folder, "it did not answer");
}

QString SingleWindow::ServerName(const std::filesystem::path& folder) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(UserName().toUtf8() + '\0');
  hash.addData(QByteArray::fromStdString(CanonicalFolder(folder).string()));
  return "ballwright-" + QString::fromLatin1(hash.result().toHex().left(32));
}

void ServeWindow(SingleWindow& single, MainWindow& window) {
  single.Serve([&window](const std::filesystem::path& file) {
    BringToFront(window);
    if (!file.empty()) window.OpenResultFile(file);
  });
}

}  // namespace bw::ui
