// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes as the program describes them: text, title, buttons, icon and
// default button, answering with the button pressed. The windows show real
// dialogs; tests and the command line answer through their own sinks.
#pragma once

#include <string>

namespace bw {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Critical, Exclamation, Question };
enum class MessageAnswer { Ok, Yes, No };

struct Message {
  std::string text;  // line breaks exactly as built ("\r\n", or "\n\r" where noted)
  std::string title;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  MessageAnswer defaultButton = MessageAnswer::Ok;  // No for questions that default to No
};

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual MessageAnswer Show(const Message& message) = 0;
  virtual void Beep() {}
};

}  // namespace bw
