// The lottery profile dialog (frmDatabase): choose, create or switch a
// lottery and edit its stake and average returns.
#pragma once

#include <QDialog>

#include "app/session.h"
#include "platform/messages.h"
#include "platform/services.h"

namespace bw::ui {

class LotteryDialog : public QDialog {
  Q_OBJECT
 public:
  LotteryDialog(Session& session, MessageSink& messages, HelpViewer& help, QWidget* parent);
  // ... controls and handlers (Form_Load, Combo1_KeyPress, cmdSave_Click, ...)
};

}  // namespace bw::ui
