// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/balance_chart.h"

#include <QDateTimeAxis>
#include <QLineSeries>
#include <algorithm>

#include "ui/date_range_bar.h"

namespace bw::ui {

BalanceChart::BalanceChart(QWidget* parent, const QString& name, const QString& title,
                           const QString& emptyNote)
    : ChartPanel(name, title, parent), emptyNote_(emptyNote) {
  series_ = new QLineSeries(this);
  series_->setName("returned so far minus staked so far");
  Chart().addSeries(series_);
  SetSeriesColours(
      [this](const QPalette& colours) { series_->setPen(QPen(colours.highlight().color(), 2)); });
  auto* dates = new QDateTimeAxis;
  dates->setFormat("yyyy");
  SetAxes(dates, WholeNumberAxis());
  Clear();
}

void BalanceChart::Show(const std::vector<BalancePoint>& points) {
  QList<QPointF> xy;
  xy.reserve(static_cast<qsizetype>(points.size()));
  qint64 low = 0, high = 0;
  for (const BalancePoint& point : points) {
    xy.append(QPointF(static_cast<qreal>(DateOfDay(point.day).startOfDay().toMSecsSinceEpoch()),
                      static_cast<qreal>(point.balance)));
    low = std::min<qint64>(low, point.balance);
    high = std::max<qint64>(high, point.balance);
  }
  series_->replace(xy);
  if (points.empty()) return Clear();
  ShowAxisLabels(true);
  Chart()
      .axes(Qt::Horizontal)
      .front()
      ->setRange(DateOfDay(points.front().day).startOfDay(),
                 DateOfDay(points.back().day).startOfDay());
  SetRoundRange(Chart().axes(Qt::Vertical).front(), static_cast<qreal>(low),
                static_cast<qreal>(high));
  SetNote(QStringLiteral("After %1 draws the balance is %2.")
              .arg(points.size())
              .arg(points.back().balance));
}

void BalanceChart::Clear() {
  series_->clear();
  // An empty chart has no dates and no balance to mark: its axes stay bare
  // rather than repeating "1970" and "0".
  ShowAxisLabels(false);
  SetNote(emptyNote_);
}

void BalanceChart::ShowAxisLabels(bool shown) {
  for (QAbstractAxis* axis : Chart().axes()) axis->setLabelsVisible(shown);
}

int BalanceChart::PointCount() const {
  return static_cast<int>(series_->count());
}

}  // namespace bw::ui
