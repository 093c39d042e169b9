// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart_panel.h"

#include <QAbstractAxis>
#include <QAbstractSeries>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

#include "ui/export_buttons.h"
#include "ui/page_widgets.h"

namespace bw::ui {
namespace {

constexpr int kTicks = 5;  // a value axis's marks before rounding
const QString kWholeNumbers = QStringLiteral("%d");

}  // namespace

ChartPanel::ChartPanel(const QString& name, const QString& title, QWidget* parent)
    : QWidget(parent), chart_(new QChart) {
  setObjectName(name);
  chart_->setTitle(title);
  chart_->legend()->setAlignment(Qt::AlignBottom);
  chart_->setMargins(QMargins(4, 4, 4, 4));
  view_ = new QChartView(chart_, this);
  view_->setObjectName(name + "View");
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumSize(300, 220);  // room for every axis label; the page scrolls
  view_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

  note_ = new QLabel(this);
  note_->setObjectName(name + "Note");
  note_->setWordWrap(true);
  note_->setProperty("guidance", true);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(view_, 1);
  column->addLayout(
      NoteWithButtons(this, note_,
                      {{name + "Copy", "Copy picture", [this] { CopyPicture(); }},
                       {name + "Save", "Save picture...", [this] { SavePicture(); }}}));
  ApplyPalette();
}

void ChartPanel::SetNote(const QString& note) {
  note_->setText(note);
}

QString ChartPanel::Note() const {
  return note_->text();
}

void ChartPanel::SetAxes(QAbstractAxis* across, QAbstractAxis* up) {
  chart_->addAxis(across, Qt::AlignBottom);
  chart_->addAxis(up, Qt::AlignLeft);
  for (QAbstractSeries* series : chart_->series()) {
    series->attachAxis(across);
    series->attachAxis(up);
  }
  ApplyPalette();
}

void ChartPanel::ApplyPalette() {
  const QPalette colours = palette();
  chart_->setBackgroundBrush(colours.base());
  chart_->setBackgroundPen(QPen(colours.mid().color()));
  chart_->setTitleBrush(colours.text());
  chart_->legend()->setLabelColor(colours.text().color());
  // Grid lines stay faint: the light end of the palette stands out on a dark base.
  const QColor grid = IsDarkTheme(colours) ? colours.dark().color() : colours.midlight().color();
  for (QAbstractAxis* axis : chart_->axes()) {
    axis->setLabelsColor(colours.text().color());
    axis->setTitleBrush(colours.text());
    axis->setLinePenColor(colours.text().color());
    axis->setGridLineColor(grid);
  }
  view_->setBackgroundBrush(colours.window());
  if (colourSeries_) colourSeries_(colours);
}

void ChartPanel::SetSeriesColours(std::function<void(const QPalette&)> colourSeries) {
  colourSeries_ = std::move(colourSeries);
  ApplyPalette();
}

void ChartPanel::KeepBarsAndLabels(int categories, int barsPerCategory, qreal barWidth) {
  constexpr int kAxisRoom = 150;  // the value axis with its title, and the margins
  const qreal bars = 3.0 / devicePixelRatioF() * barsPerCategory / barWidth;
  qreal label = 0;
  for (const QAbstractAxis* axis : chart_->axes(Qt::Horizontal))
    label = std::max(label, QFontMetricsF(axis->labelsFont()).height() + 4);
  view_->setMinimumWidth(kAxisRoom + qCeil(categories * std::max(bars, label)));
}

void ChartPanel::SetSubject(const QString& subject) {
  subject_ = subject;
}

QPixmap ChartPanel::Picture() const {
  const QString title = chart_->title();
  if (!subject_.isEmpty()) chart_->setTitle(title + " (" + subject_ + ")");
  QPixmap picture = view_->grab();
  chart_->setTitle(title);
  return picture;
}

void ChartPanel::CopyPicture() const {
  QApplication::clipboard()->setPixmap(Picture());
  TellInStatusBar(this, "Copied the picture");
}

bool ChartPanel::SavePicture() {
  QString name = objectName() + (subject_.isEmpty() ? "" : " " + subject_) + ".png";
  name.replace('/', '-').replace(',', "");  // dates as they can stand in a file name
  return SaveToChosenFile(this, "Save picture", name, "PNG pictures (*.png)", "the picture",
                          [this](const QString& path) { return Picture().save(path, "PNG"); });
}

void ChartPanel::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) ApplyPalette();
}

QBarCategoryAxis* UprightCategoryAxis(const QStringList& categories) {
  auto* axis = new QBarCategoryAxis;
  axis->setCategories(categories);
  axis->setLabelsAngle(-90);
  axis->setTruncateLabels(false);  // upright numbers fit; Qt would elide them all
  QFont small = axis->labelsFont();
  small.setPointSize(7);
  axis->setLabelsFont(small);
  return axis;
}

QValueAxis* WholeNumberAxis() {
  auto* axis = new QValueAxis;
  axis->setLabelFormat(kWholeNumbers);
  return axis;
}

void SetRoundRange(QAbstractAxis* axis, qreal low, qreal high) {
  axis->setRange(low, high > low ? high : low + 1);
  auto* values = qobject_cast<QValueAxis*>(axis);
  if (!values) return;
  values->setTickCount(kTicks);
  values->applyNiceNumbers();
  // Whole numbers a step of less than one apart would print one label twice.
  const qreal span = values->max() - values->min();
  if (values->labelFormat() == kWholeNumbers && span < values->tickCount() - 1)
    values->setTickCount(static_cast<int>(span) + 1);
}

}  // namespace bw::ui
