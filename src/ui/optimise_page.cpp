// SPDX-License-Identifier: GPL-3.0-or-later
// The Optimise page: the statistics options and list, and the hand-over of
// the picked system to the Line Optimiser.
#include "ui/optimise_page.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "model/statistics_text.h"
#include "ui/help_viewer.h"
#include "ui/number_grid.h"
#include "ui/page_widgets.h"

namespace bw::ui {
namespace {

constexpr int kStatsSingles = 0, kStatsDoubles = 1, kStatsTrebles = 2;

}  // namespace

OptimisePage::OptimisePage(PageHost& host, NumberGrid& grid, QWidget* parent)
    : QWidget(parent), host_(host), grid_(grid) {
  setObjectName("tabOptimise");
  QWidget* page = this;
  const std::array<const char*, 3> captions{"Singles", "Doubles", "Trebles"};
  auto* options = new QVBoxLayout;
  auto* group = new QButtonGroup(page);
  for (int i = 0; i < 3; ++i) {
    statsOptions_[i] = new QRadioButton(captions[i], page);
    statsOptions_[i]->setObjectName(QStringLiteral("optDoubleTreble%1").arg(i));
    group->addButton(statsOptions_[i], i);
    options->addWidget(statsOptions_[i]);
    connect(statsOptions_[i], &QRadioButton::clicked, this, [this] { optDoubleTreble_Click(); });
  }
  statsOptions_[kStatsDoubles]->setChecked(true);
  list7_ = new QListWidget(page);
  list7_->setObjectName("List7");
  list7_->setFont(FixedFont(10));
  list7_->setMinimumWidth(180);
  list7_->setMaximumWidth(260);
  label3_ = Guidance(
      "Right click on any number to retrieve 'single', 'double', 'treble' information only.", page,
      "Label3");
  label3_->hide();

  auto* side = new QVBoxLayout;
  side->addWidget(
      Guidance("Pick twelve numbers on the grid and press Optimise: the Line "
               "Optimiser checks all 924 lines they make.",
               page));
  side->addLayout(options);
  side->addWidget(label3_);
  statsNote_ = Guidance(QString(), page, "lblStatsNote");
  statsNote_->hide();
  side->addWidget(statsNote_);
  side->addStretch();
  side->addWidget(HelpButton("cmdHelpOptimise", "He&lp", host_.Help(), help_topic::kOptimise, page),
                  0, Qt::AlignLeft);
  auto* row = new QHBoxLayout(page);
  row->addLayout(side, 1);
  row->addWidget(list7_, 1);

  connect(&grid_, &NumberGrid::NumberRightClicked, this,
          [this](int number) { cmdGetNumber_MouseDown(number); });
}

void OptimisePage::Start() {
  std::array<int, 3>& chosen = host_.ChosenLines();
  chosen[1] = 1;
  chosen[2] = 2;
  std::array<std::string, 13>& selected = host_.SelectedNumbers();
  for (int i = 1; i <= 12; ++i) selected[i] = grid_.TrimmedCaption(i);
  host_.SetTabsEnabled(false);
  host_.ShowLineOptimiser();
}

void OptimisePage::ShowRightClickHint(bool shown) {
  label3_->setVisible(shown);
}

void OptimisePage::HideStatistics() {
  list7_->hide();
}

void OptimisePage::RefreshStatistics() {
  if (statsNumber_ > 0) FillStatistics(statsNumber_);
}

// A right click on the grid: the statistics of the number in List7.
void OptimisePage::cmdGetNumber_MouseDown(int number) {
  statsNumber_ = number;
  list7_->show();
  FillStatistics(statsNumber_);
}

void OptimisePage::optDoubleTreble_Click() {
  if (statsNumber_ == 0) statsNumber_ = 1;
  list7_->clear();
  list7_->show();
  FillStatistics(statsNumber_);
}

// Fills List7 by the chosen option; a number that starts no double (49)
// or treble (48, 49) shows an empty list and says why.
void OptimisePage::FillStatistics(int number) {
  const ProgramState& state = host_.GetSession().State();
  std::vector<std::string> lines;
  QString note;
  if (statsOptions_[kStatsSingles]->isChecked()) {
    lines = FillSinglesText(state.tables);
  } else if (statsOptions_[kStatsDoubles]->isChecked()) {
    if (number < kHighestNumber)
      lines = FillDoublesText(state.tables, number);
    else
      note = QStringLiteral("%1 starts no double: a double is listed under its lower number.");
  } else if (number < kHighestNumber - 1) {
    lines = FillTreblesText(state.tables, number);
  } else {
    note = QStringLiteral("%1 starts no treble: a treble is listed under its lowest number.");
  }
  statsNote_->setText(note.arg(number));
  statsNote_->setVisible(!note.isEmpty());
  list7_->clear();
  for (const std::string& line : lines) list7_->addItem(QString::fromStdString(line));
}

}  // namespace bw::ui
