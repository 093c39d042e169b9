// The running program's platform services in Qt: message boxes and letting
// pending window events run.
#pragma once

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

class QtEventPump : public EventPump {
 public:
  void LetEventsRun() override;
};

}  // namespace bw::ui
