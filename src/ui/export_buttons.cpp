// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export_buttons.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

namespace bw::ui {

constexpr int kNoticeMilliseconds = 8000;

QHBoxLayout* NoteWithButtons(QWidget* view, QLabel* note,
                             std::initializer_list<ExportButton> buttons) {
  auto* row = new QHBoxLayout;
  row->addWidget(note, 1);
  for (const ExportButton& button : buttons) {
    auto* push = new QPushButton(button.caption, view);
    push->setObjectName(button.name);
    QObject::connect(push, &QPushButton::clicked, view, button.run);
    row->addWidget(push);
  }
  return row;
}

void TellInStatusBar(const QWidget* from, const QString& what) {
  if (auto* window = qobject_cast<QMainWindow*>(from->window()))
    window->statusBar()->showMessage(what, kNoticeMilliseconds);
}

namespace {

QString& LastDialogFolder() {
  static QString folder;
  return folder;
}

}  // namespace

void StartFileDialogsIn(const std::filesystem::path& lotteryFolder) {
  LastDialogFolder() = QString::fromStdString(lotteryFolder.string());
}

QString FileDialogFolder() {
  return LastDialogFolder();
}

void RememberFileDialogFolder(const QString& chosenFile) {
  if (!chosenFile.isEmpty()) LastDialogFolder() = QFileInfo(chosenFile).absolutePath();
}

bool SaveToChosenFile(QWidget* parent, const QString& title, const QString& suggestedName,
                      const QString& filter, const QString& what,
                      const std::function<bool(const QString& path)>& write) {
  QFileDialog dialog(parent, title, QDir(FileDialogFolder()).filePath(suggestedName), filter);
  dialog.setObjectName("SaveDialog");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QString path = dialog.selectedFiles().front();
  RememberFileDialogFolder(path);
  if (write(path)) {
    TellInStatusBar(parent, "Saved " + what + " as " + QDir::toNativeSeparators(path));
    return true;
  }
  QMessageBox::warning(parent, title, "Could not save " + what + " as\n" + path);
  return false;
}

}  // namespace bw::ui
