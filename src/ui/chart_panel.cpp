#include "ui/chart_panel.h"

#include <QAbstractAxis>
#include <QAbstractSeries>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QXYSeries>

namespace bw::ui {

ChartPanel::ChartPanel(const QString& name, const QString& title, QWidget* parent)
    : QWidget(parent), chart_(new QChart) {
  setObjectName(name);
  chart_->setTitle(title);
  chart_->legend()->setAlignment(Qt::AlignBottom);
  chart_->setMargins(QMargins(4, 4, 4, 4));
  view_ = new QChartView(chart_, this);
  view_->setObjectName(name + "View");
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumSize(240, 160);
  view_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

  note_ = new QLabel(this);
  note_->setObjectName(name + "Note");
  note_->setWordWrap(true);
  note_->setProperty("guidance", true);
  auto* copy = new QPushButton("Copy picture", this);
  copy->setObjectName(name + "Copy");
  auto* save = new QPushButton("Save picture...", this);
  save->setObjectName(name + "Save");
  connect(copy, &QPushButton::clicked, this, [this] { CopyPicture(); });
  connect(save, &QPushButton::clicked, this, [this] { SavePicture(); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(note_, 1);
  buttons->addWidget(copy);
  buttons->addWidget(save);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(view_, 1);
  column->addLayout(buttons);
  ApplyPalette();
}

void ChartPanel::SetNote(const QString& note) {
  note_->setText(note);
}

QString ChartPanel::Note() const {
  return note_->text();
}

void ChartPanel::ApplyPalette() {
  const QPalette colours = palette();
  chart_->setBackgroundBrush(colours.base());
  chart_->setBackgroundPen(QPen(colours.mid().color()));
  chart_->setTitleBrush(colours.text());
  chart_->legend()->setLabelColor(colours.text().color());
  for (QAbstractAxis* axis : chart_->axes()) {
    axis->setLabelsColor(colours.text().color());
    axis->setTitleBrush(colours.text());
    axis->setLinePenColor(colours.mid().color());
    axis->setGridLineColor(colours.midlight().color());
  }
  view_->setBackgroundBrush(colours.window());
}

QPixmap ChartPanel::Picture() const {
  return view_->grab();
}

void ChartPanel::CopyPicture() const {
  QApplication::clipboard()->setPixmap(Picture());
}

bool ChartPanel::SavePicture() {
  const QString path =
      AskSavePath(this, "Save picture", objectName() + ".png", "PNG pictures (*.png)");
  if (path.isEmpty()) return false;
  if (Picture().save(path, "PNG")) return true;
  QMessageBox::warning(this, "Save picture", "Could not save the picture as\n" + path);
  return false;
}

void ChartPanel::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) ApplyPalette();
}

QString AskSavePath(QWidget* parent, const QString& title, const QString& suggestedName,
                    const QString& filter) {
  QFileDialog dialog(parent, title, suggestedName, filter);
  dialog.setObjectName("SaveDialog");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace bw::ui
