// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_platform.h"

#include <QApplication>
#include <QMessageBox>

namespace bw::ui {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessageSink::Show(const Message& message) {
  // Message texts keep their CR LF line ends; the box shows plain line breaks.
  QString text = QString::fromStdString(message.text);
  text.replace("\r\n", "\n").replace("\n\r", "\n");
  QMessageBox box(BoxIcon(message.icon), QString::fromStdString(message.title), text,
                  QMessageBox::NoButton, QApplication::activeWindow());
  if (message.buttons == MessageButtons::Ok) {
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
  }
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(message.defaultButton == MessageAnswer::No ? QMessageBox::No
                                                                  : QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtMessageSink::Beep() {
  QApplication::beep();
}

void QtEventPump::LetEventsRun() {
  constexpr qint64 kIntervalMs = 15;
  if (sinceLastRun_.isValid() && sinceLastRun_.elapsed() < kIntervalMs) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  sinceLastRun_.start();
}

}  // namespace bw::ui
