// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/statistics_page.h"

#include <QBarSeries>
#include <QBarSet>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/chart_panel.h"
#include "ui/data_table.h"
#include "ui/help_viewer.h"
#include "ui/page_widgets.h"

namespace bw::ui {
namespace {

QStringList NumberCategories() {
  QStringList numbers;
  for (int n = 1; n <= 49; ++n) numbers << QString::number(n);
  return numbers;
}

// Bars over the numbers 1..49 on a value axis from 0.
void AddNumberAxes(ChartPanel& panel) {
  panel.SetAxes(UprightCategoryAxis(NumberCategories()), WholeNumberAxis());
  for (const QAbstractSeries* series : panel.Chart().series())
    if (const auto* bars = qobject_cast<const QBarSeries*>(series))
      panel.KeepBarsAndLabels(49, static_cast<int>(bars->count()), bars->barWidth());
}

void SetTop(QChart& chart, qreal top) {
  SetRoundRange(chart.axes(Qt::Vertical).front(), 0, top);
}

// A flat line across the bars at `value`.
void SetLevel(QLineSeries& line, double value) {
  line.replace({QPointF(-0.5, value), QPointF(48.5, value)});
}

// The bars of a set, one per number.
void SetBars(QBarSet& bars, const std::array<int, 49>& values) {
  bars.remove(0, bars.count());
  for (int value : values) bars << value;
}

QTableWidgetItem* NumberItem(double value, int decimals = 0) {
  return DataTable::Cell(QString::number(value, 'f', decimals), value);
}

}  // namespace

StatisticsPage::StatisticsPage(Session& session, HelpViewer& help, QWidget* parent)
    : RangedView(session, "rngStats", parent) {
  setObjectName("picStatistics");
  connect(range_, &DateRangeBar::RangeChanged, this, [this] { Recount(); });
  fairness_ = new QLabel(this);
  fairness_->setObjectName("lblFairness");
  fairness_->setWordWrap(true);
  fairness_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // Room for the sentence: the tab pages do not pass on the height a wrapped text needs.
  fairness_->setMinimumHeight(2 * fairness_->fontMetrics().lineSpacing() + 4);
  table_ = new DataTable(
      "tblFrequency", {"Number", "Main", "Fair main", "Bonus", "Fair bonus", "Draws since"}, this);
  table_->setRowCount(49);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  counts_ = new ChartPanel("CountsChart", "How often each number was drawn", this);
  since_ = new ChartPanel("SinceChart", "Draws since each number was last drawn", this);
  QPushButton* helpButton =
      HelpButton("cmdHelpStatistics", "He&lp", help, help_topic::kNumberStatistics, this);

  BuildCharts();

  auto* charts = new QSplitter(Qt::Vertical, this);
  charts->addWidget(counts_);
  charts->addWidget(since_);
  auto* sides = new QSplitter(Qt::Horizontal, this);
  sides->addWidget(table_);
  sides->addWidget(charts);
  sides->setStretchFactor(1, 1);
  table_->resizeColumnsToContents();
  sides->setSizes({table_->horizontalHeader()->length() + 24, 800});
  auto* column = new QVBoxLayout(this);
  column->addWidget(range_);
  column->addWidget(fairness_);
  column->addWidget(sides, 1);
  auto* saveTable = new QPushButton("Save table as CSV...", this);
  saveTable->setObjectName("cmdSaveStatistics");
  connect(saveTable, &QPushButton::clicked, this, [this] { table_->SaveCsv("statistics.csv"); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(saveTable);
  buttons->addStretch();
  buttons->addWidget(helpButton);
  column->addLayout(buttons);
}

void StatisticsPage::BuildCharts() {
  mainCounts_ = new QBarSet("as main number", this);
  bonusCounts_ = new QBarSet("as bonus", this);
  sinceCounts_ = new QBarSet("draws since last drawn", this);
  countBars_ = new QBarSeries(this);
  countBars_->append({mainCounts_, bonusCounts_});
  fairMain_ = new QLineSeries(this);
  fairMain_->setName("fair main count");
  fairBonus_ = new QLineSeries(this);
  fairBonus_->setName("fair bonus count");
  QChart& counts = counts_->Chart();
  for (QAbstractSeries* series :
       std::initializer_list<QAbstractSeries*>{countBars_, fairMain_, fairBonus_})
    counts.addSeries(series);
  AddNumberAxes(*counts_);
  // Main and bonus differ in fill (solid, hatched) and fair line (dashes, dots).
  counts_->SetSeriesColours([this](const QPalette& colours) {
    const QColor text = colours.text().color(), highlight = colours.highlight().color();
    mainCounts_->setColor(highlight);
    mainCounts_->setBorderColor(highlight);
    bonusCounts_->setBrush(QBrush(text, Qt::BDiagPattern));
    bonusCounts_->setBorderColor(text);
    fairMain_->setPen(QPen(text, 2, Qt::DashLine));
    fairBonus_->setPen(QPen(text, 2, Qt::DotLine));
  });
  auto* sinceBars = new QBarSeries(this);
  sinceBars->append(sinceCounts_);
  since_->Chart().addSeries(sinceBars);
  AddNumberAxes(*since_);
  since_->Chart().legend()->hide();
  since_->SetSeriesColours([this](const QPalette& colours) {
    sinceCounts_->setColor(colours.highlight().color());
    sinceCounts_->setBorderColor(colours.highlight().color());
  });
}

void StatisticsPage::showEvent(QShowEvent* event) {
  RangedView::showEvent(event);
  if (event->spontaneous()) return;  // the window came back: nothing changed
  RefreshHistoryDates();
  Recount();
  table_->scrollToTop();  // opens at number 1, wherever it was left
}

void StatisticsPage::Recount() {
  try {
    const NumberFrequency frequency = session_.Frequency(range_->Range());
    range_->SetNote(QStringLiteral("%1 draws").arg(frequency.draws));
    const FairnessTest& test = frequency.fairness;
    fairness_->setText(QStringLiteral("Fairness test: chi-square %1 on %2 degrees of freedom, "
                                      "p = %3. %4")
                           .arg(test.statistic, 0, 'f', 2)
                           .arg(test.degreesOfFreedom)
                           .arg(test.p, 0, 'f', 3)
                           .arg(QString::fromStdString(FairnessVerdict(test))));
    ShowTable(frequency);
    ShowCounts(frequency);
    for (ChartPanel* panel : {counts_, since_}) panel->SetSubject(Subject());
  } catch (const EmptyRangeError& error) {
    ShowNothing(error.what());
  }
}

void StatisticsPage::ShowTable(const NumberFrequency& frequency) {
  const bool bonus = session_.State().settings.useBonus;
  table_->BeginFilling();
  table_->setColumnHidden(3, !bonus);
  table_->setColumnHidden(4, !bonus);
  for (int row = 0; row < 49; ++row) {
    const NumberCount& count = frequency.numbers[static_cast<std::size_t>(row)];
    table_->setItem(row, 0, NumberItem(count.number));
    table_->setItem(row, 1, NumberItem(count.mainCount));
    table_->setItem(row, 2, NumberItem(frequency.expectedMain, 1));
    table_->setItem(row, 3, NumberItem(count.bonusCount));
    table_->setItem(row, 4, NumberItem(frequency.expectedBonus, 1));
    table_->setItem(row, 5, NumberItem(count.since));
  }
  table_->EndFilling();
  table_->resizeColumnsToContents();
}

void StatisticsPage::ShowCounts(const NumberFrequency& frequency) {
  const bool bonus = session_.State().settings.useBonus;
  std::array<int, 49> main{}, asBonus{}, since{};
  for (std::size_t i = 0; i < 49; ++i) {
    main[i] = frequency.numbers[i].mainCount;
    asBonus[i] = frequency.numbers[i].bonusCount;
    since[i] = frequency.numbers[i].since;
  }
  SetBars(*mainCounts_, main);
  SetBars(*bonusCounts_, asBonus);
  SetBars(*sinceCounts_, since);
  if (bonus && !countBars_->barSets().contains(bonusCounts_)) countBars_->append(bonusCounts_);
  if (!bonus && countBars_->barSets().contains(bonusCounts_)) countBars_->take(bonusCounts_);
  SetLevel(*fairMain_, frequency.expectedMain);
  SetLevel(*fairBonus_, frequency.expectedBonus);
  fairBonus_->setVisible(bonus);
  SetTop(counts_->Chart(),
         std::max<qreal>(*std::max_element(main.begin(), main.end()), frequency.expectedMain));
  SetTop(since_->Chart(), *std::max_element(since.begin(), since.end()));
  counts_->SetNote(QStringLiteral("A fair draw gives each number %1 main draws in %2 draws.")
                       .arg(frequency.expectedMain, 0, 'f', 1)
                       .arg(frequency.draws));
  since_->SetNote("0: drawn in the last draw of the range.");
}

void StatisticsPage::ShowNothing(const QString& why) {
  range_->SetNote(why);
  fairness_->clear();
  for (QBarSet* bars : {mainCounts_, bonusCounts_, sinceCounts_}) bars->remove(0, bars->count());
  for (ChartPanel* panel : {counts_, since_}) panel->SetNote(why);
  table_->clearContents();
}

}  // namespace bw::ui
