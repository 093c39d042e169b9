// SPDX-License-Identifier: GPL-3.0-or-later
// The running program's platform services in Qt: message boxes and letting
// pending window events run.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include "platform/messages.h"
#include "platform/services.h"

namespace bw::ui {

// Shows each message as a modal box over the active window.
class QtMessageSink : public MessageSink {
 public:
  MessageAnswer Show(const Message& message) override;
  void Beep() override;
};

// Long runs call this once per line. Running the window's events means
// repainting what changed, which costs more than checking a line, so the pump
// runs them at most every few milliseconds: clicks and timer ticks are still
// seen at once for a user, and a 924-line run is not slowed to seconds.
class QtEventPump : public EventPump {
 public:
  void LetEventsRun() override;

 private:
  QElapsedTimer sinceLastRun_;
};

}  // namespace bw::ui
