// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/distribution_chart.h"
#include "ui/page_widgets.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <QtConcurrent/QtConcurrentRun>

namespace bw::ui {

DistributionChart::DistributionChart(QWidget* parent)
    : ChartPanel("DistributionChart", "All 13,983,816 lines by their result", parent) {
  series_ = new QStackedBarSeries(this);
  series_->setBarWidth(0.9);
  Chart().addSeries(series_);
  percents_ = UprightCategoryAxis();
  percents_->setTitleText("result %");
  lines_ = WholeNumberAxis();
  lines_->setTitleText("lines");
  SetAxes(percents_, lines_);
  connect(&watcher_, &QFutureWatcherBase::finished, this, [this] { CountingDone(); });
  Clear();
}

void DistributionChart::Show(const std::string& key, DistributionInput input, int percent) {
  marked_ = percent;
  wantedKey_ = key;
  if (const auto counted = counted_.find(key); counted != counted_.end()) {
    counts_ = counted->second;
    return Draw();
  }
  wantedInput_ = std::move(input);
  counts_.clear();
  series_->clear();
  SetNote("Counting all 13,983,816 lines...");
  if (!IsCounting()) StartCounting();
}

void DistributionChart::Clear() {
  marked_.reset();
  series_->clear();
  if (!IsCounting()) SetNote("Check a line to see where it stands among all lines.");
}

void DistributionChart::StartCounting() {
  countingKey_ = wantedKey_;
  watcher_.setFuture(QtConcurrent::run(
      [input = std::move(wantedInput_)] { return PercentageDistribution(input); }));
}

void DistributionChart::CountingDone() {
  counted_[countingKey_] = watcher_.result();
  if (countingKey_ == wantedKey_) {
    counts_ = counted_[countingKey_];
    if (marked_) Draw();
  } else if (!counted_.contains(wantedKey_)) {
    StartCounting();  // the range changed meanwhile
  }
}

void DistributionChart::Draw() {
  series_->clear();
  if (counts_.empty() || !marked_) return;
  auto* others = new QBarSet("lines");
  auto* yours = new QBarSet("your line's result");
  QStringList categories;
  int64_t most = 1;
  for (const PercentageCount& count : counts_) {
    const bool mine = count.percent == *marked_;
    *others << (mine ? 0 : static_cast<qreal>(count.lines));
    *yours << (mine ? static_cast<qreal>(count.lines) : 0);
    categories << QString::number(count.percent);
    most = std::max(most, count.lines);
  }
  series_->append({others, yours});
  SetSeriesColours([others, yours](const QPalette& colours) {
    others->setColor(FadedText(colours));
    others->setBorderColor(FadedText(colours));
    yours->setColor(colours.highlight().color());
    yours->setBorderColor(colours.text().color());
  });
  percents_->setCategories(categories);
  SetRoundRange(lines_, 0, static_cast<qreal>(most));
  KeepBarsAndLabels(static_cast<int>(categories.size()), 1, series_->barWidth());
  SetNote(QStringLiteral("Your line's %1% is %2.")
              .arg(*marked_)
              .arg(QString::fromStdString(StandingText(StandingOf(counts_, *marked_)))));
  ApplyPalette();
  emit Shown();
}

}  // namespace bw::ui
