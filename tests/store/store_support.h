// SPDX-License-Identifier: GPL-3.0-or-later
// A scratch program folder with the lottery "Lotto.opt" chosen, and a sink
// that records the messages shown.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "model/program_state.h"
#include "platform/messages.h"
#include "support/test_folder.h"

namespace bw::test {

class StoreTest : public ::testing::Test {
 protected:
  StoreTest() {
    state.appFolder = folder.Path();
    state.lottoFile = "Lotto.opt";
  }
  TestFolder folder;
  ProgramState state;
};

struct RecordingSink : MessageSink {
  MessageAnswer Show(const Message& message) override {
    messages.push_back(message);
    return MessageAnswer::Ok;
  }
  std::vector<Message> messages;
};

}  // namespace bw::test
