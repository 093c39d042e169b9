// SPDX-License-Identifier: GPL-3.0-or-later
// Importing the draws of a published result file into the current lottery:
// the file chosen from the File menu or dropped on the window, shown in the
// import preview, and the new history announced to the window.
#pragma once

#include <QObject>
#include <filesystem>
#include <functional>

#include "app/session.h"
#include "platform/messages.h"

class QWidget;

namespace bw::ui {

class ImportFlow : public QObject {
  Q_OBJECT
 public:
  // What the window does around an import.
  struct Hooks {
    std::function<bool()> runGoing;      // a page's run refuses the import
    std::function<void()> beforeImport;  // the running search position is saved first
  };

  // Takes the files dropped on `window`.
  ImportFlow(Session& session, MessageSink& messages, HelpViewer& help, QWidget& window,
             Hooks hooks);

  // The File menu command: asks for the file.
  void ChooseFile();
  void ImportFrom(const std::filesystem::path& file);

 signals:
  void Imported();  // the history changed as a whole

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Session& session_;
  MessageSink& messages_;
  HelpViewer& help_;
  QWidget& window_;
  Hooks hooks_;
};

}  // namespace bw::ui
