// SPDX-License-Identifier: GPL-3.0-or-later
// Copying and saving what a view shows: the row of its note with the Copy
// and Save buttons, and the save to a file the user names.
#pragma once

#include <filesystem>

#include <QString>
#include <functional>
#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QWidget;

namespace bw::ui {

struct ExportButton {
  QString name, caption;
  std::function<void()> run;
};

// The note beside the buttons, which are children of `view`.
QHBoxLayout* NoteWithButtons(QWidget* view, QLabel* note,
                             std::initializer_list<ExportButton> buttons);

// Says what just happened in the status bar of the window `from` is in.
void TellInStatusBar(const QWidget* from, const QString& what);

// Asks for a file name in a save dialog of the program's own kind (so that
// it looks the same everywhere) and writes `what` there; a failed write is
// told in a warning. False when cancelled or failed.
// The folder every file dialog opens in: the lottery folder (given once at
// the start) until a file is chosen, then the folder of the last file chosen.
void StartFileDialogsIn(const std::filesystem::path& lotteryFolder);
QString FileDialogFolder();
void RememberFileDialogFolder(const QString& chosenFile);

bool SaveToChosenFile(QWidget* parent, const QString& title, const QString& suggestedName,
                      const QString& filter, const QString& what,
                      const std::function<bool(const QString& path)>& write);

}  // namespace bw::ui
