// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/import_flow.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLocale>
#include <QMimeData>

#include "ui/export_buttons.h"
#include "ui/import_preview_dialog.h"

namespace bw::ui {
namespace {

std::optional<std::filesystem::path> DroppedFile(const QMimeData* data) {
  if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) {
    return std::nullopt;
  }
  return std::filesystem::path(data->urls().front().toLocalFile().toStdString());
}

}  // namespace

ImportFlow::ImportFlow(Session& session, MessageSink& messages, HelpViewer& help, QWidget& window,
                       Hooks hooks)
    : QObject(&window),
      session_(session),
      messages_(messages),
      help_(help),
      window_(window),
      hooks_(std::move(hooks)) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

void ImportFlow::ChooseFile() {
  const std::filesystem::path file = AskResultFile(&window_, "Import Draws from File");
  if (!file.empty()) ImportFrom(file);
}

void ImportFlow::ImportFrom(const std::filesystem::path& file) {
  if (hooks_.runGoing()) {
    messages_.Show({"Stop the run that is going before importing draws.", "Import Draws",
                    MessageButtons::Ok, MessageIcon::Exclamation, MessageAnswer::Ok});
    return;
  }
  hooks_.beforeImport();
  ImportPreviewDialog preview(session_, help_, file, /*newLottery=*/false, &window_);
  if (preview.exec() != QDialog::Accepted) return;
  const std::size_t added = preview.Merge().newEntries.size();
  TellInStatusBar(&window_, QLocale(QLocale::English).toString(static_cast<qulonglong>(added)) +
                                (added == 1 ? " draw imported" : " draws imported"));
  emit Imported();
}

bool ImportFlow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return false;
  if (event->type() == QEvent::DragEnter) {
    auto* enter = static_cast<QDragEnterEvent*>(event);
    if (DroppedFile(enter->mimeData())) enter->acceptProposedAction();
    return true;
  }
  if (event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    const auto file = DroppedFile(drop->mimeData());
    if (file) {
      drop->acceptProposedAction();
      ImportFrom(*file);
    }
    return true;
  }
  return false;
}

}  // namespace bw::ui
