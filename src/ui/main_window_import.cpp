// Importing the draws of a published result file into the current lottery:
// the File menu command, a file dropped on the window, and the new history
// shown at once.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>

#include "ui/import_preview_dialog.h"
#include "ui/main_window.h"
#include "ui/number_grid.h"
#include "ui/tab_strip.h"

namespace bw::ui {
namespace {

std::optional<std::filesystem::path> DroppedFile(const QMimeData* data) {
  if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) {
    return std::nullopt;
  }
  return std::filesystem::path(data->urls().front().toLocalFile().toStdString());
}

}  // namespace

void MainWindow::mnuImportDraws_Click() {
  const QString file = QFileDialog::getOpenFileName(
      this, "Import Draws from File", QString::fromStdString(state_.appFolder.string()),
      "Result files (*.csv *.txt *.tsv);;All files (*)");
  if (!file.isEmpty()) ImportDrawsFrom(file.toStdString());
}

void MainWindow::ImportDrawsFrom(const std::filesystem::path& file) {
  if (runGoing_) {
    services_.messages.Show({"Stop the run that is going before importing draws.", "Import Draws",
                             MessageButtons::Ok, MessageIcon::Exclamation, MessageAnswer::Ok});
    return;
  }
  // Unsaved draws go first, so the import merges into the saved history.
  timer2_->stop();
  SaveHistory();
  if (state_.historyChanged) return;
  ImportPreviewDialog preview(session_, file, /*newLottery=*/false, this);
  if (preview.exec() == QDialog::Accepted) ShowNewHistory();
}

void MainWindow::ShowNewHistory() {
  tabMain_->SetTabSelectable(kRandomLineFinder, true);
  for (int tab = kSingleLine; tab <= kSixFrom49; ++tab) tabChoice_->SetTabSelectable(tab, true);
  ShowDateLabels();
  cmdClear_Click();
  if (statsNumber_ > 0) FillStatistics(statsNumber_);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedFile(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const auto file = DroppedFile(event->mimeData());
  if (!file) return;
  event->acceptProposedAction();
  ImportDrawsFrom(*file);
}

}  // namespace bw::ui
