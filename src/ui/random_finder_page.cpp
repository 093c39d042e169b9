// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/random_finder_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/random_finder.h"
#include "model/numbers.h"
#include "ui/my_lines_page.h"

namespace bw::ui {

namespace {

constexpr int kLineCount = 8;
constexpr int kHelpTopicRandomFinder = 430;

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption = {}) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

// A boxed, centred cell of the number and result grid.
QLabel* MakeCell(QWidget* parent, const QString& name, int minimumWidth) {
  auto* cell = MakeLabel(parent, name);
  cell->setFrameShape(QFrame::StyledPanel);
  cell->setAlignment(Qt::AlignCenter);
  cell->setMinimumWidth(minimumWidth);
  return cell;
}

}  // namespace

RandomFinderPage::RandomFinderPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName("picMain");
  BuildLayout();
  for (int n = 1; n <= kLineCount; ++n) ResetResultRow(n);
  EnableLineButtons(false);
}

void RandomFinderPage::BuildLayout() {
  auto* outer = new QVBoxLayout(this);
  lblSpeech_ = MakeLabel(this, "lblSpeech", "Hi, click on start...");
  lblSpeech_->setStyleSheet("font-weight: bold; padding: 4px;");
  outer->addWidget(lblSpeech_);

  auto* grid = new QGridLayout();
  grid->setHorizontalSpacing(4);
  const QStringList headings = {"3", "4", "5", "5+", "6", "Result"};
  for (int h = 0; h < headings.size(); ++h) {
    auto* heading = new QLabel(headings[h], this);
    heading->setAlignment(Qt::AlignCenter);
    grid->addWidget(heading, 0, 9 + h, 1, h == 5 ? 2 : 1);
  }
  for (int n = 1; n <= kLineCount; ++n) {
    cmdLine_[n] = new QPushButton(QString("Line &%1    >>").arg(n), this);
    cmdLine_[n]->setObjectName(QString("cmdLine%1").arg(n));
    connect(cmdLine_[n], &QPushButton::clicked, this, [this, n] { cmdLine_Click(n); });
    grid->addWidget(cmdLine_[n], n, 0);
    for (int k = 1; k <= 6; ++k) {
      const int index = 6 * n - 6 + k;
      lblRandom_[index] = MakeCell(this, QString("lblRandom%1").arg(index), 30);
      grid->addWidget(lblRandom_[index], n, k);
    }
    ResultRow& row = rows_[n];
    row.three = MakeCell(this, QString("lblHitThree%1").arg(n), 34);
    row.four = MakeCell(this, QString("lblHitFour%1").arg(n), 34);
    row.five = MakeCell(this, QString("lblHitFive%1").arg(n), 34);
    row.fivePlus = MakeCell(this, QString("lblHitFivePlus%1").arg(n), 34);
    row.six = MakeCell(this, QString("lblHitSix%1").arg(n), 34);
    row.digit = MakeCell(this, QString("Digit%1").arg(n), 34);
    row.digit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.ret = MakeLabel(this, QString("lblReturn%1").arg(n));
    QLabel* cells[] = {row.three, row.four, row.five, row.fivePlus, row.six, row.digit};
    for (int c = 0; c < 6; ++c) grid->addWidget(cells[c], n, 9 + c);
    grid->addWidget(row.ret, n, 15);
    auto* toMyLines = new QPushButton("To my lines", this);
    toMyLines->setObjectName(QString("cmdLineToMyLines%1").arg(n));
    toMyLines->setAccessibleName(QString("Add line %1 to my lines").arg(n));
    connect(toMyLines, &QPushButton::clicked, this, [this, n] {
      Line line = DealtLine(n);
      std::sort(line.begin(), line.end());
      AddToMyLines(host_.GetSession(), host_.Messages(), this,
                   IsValidLine(line) ? std::vector<Line>{line} : std::vector<Line>{});
    });
    grid->addWidget(toMyLines, n, 16);
  }
  grid->setColumnMinimumWidth(7, 16);
  grid->setColumnMinimumWidth(8, 16);
  auto* notPlaced = new QLabel("Not placed   >>", this);
  notPlaced->setObjectName("lblNotPlaced");
  notPlaced->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(notPlaced, kLineCount + 1, 0, 1, 6);
  lblRandom_[49] = MakeCell(this, "lblRandom49", 30);
  grid->addWidget(lblRandom_[49], kLineCount + 1, 6);
  // Without a button in it the row would be lower than the eight above it.
  grid->setRowMinimumHeight(kLineCount + 1, cmdLine_[1]->sizeHint().height());
  outer->addLayout(grid);

  auto* buttons = new QHBoxLayout();
  cmdContinue_ = new QPushButton("&Start", this);
  cmdContinue_->setObjectName("cmdContinue");
  connect(cmdContinue_, &QPushButton::clicked, this, &RandomFinderPage::cmdContinue_Click);
  cmdHelpRandom_ = new QPushButton("He&lp", this);
  cmdHelpRandom_->setObjectName("cmdHelpRandom");
  connect(cmdHelpRandom_, &QPushButton::clicked, this,
          [this] { host_.Help().ShowTopic(kHelpTopicRandomFinder); });
  buttons->addWidget(cmdContinue_);
  buttons->addStretch();
  buttons->addWidget(cmdHelpRandom_);
  outer->addLayout(buttons);
  outer->addStretch();
}

void RandomFinderPage::Enter() {
  auto& chosen = host_.ChosenLines();
  chosen[1] = chosen[2] = 0;
  nextNumberSlot_ = 1;
  const bool haveSet = !lblRandom_[1]->text().isEmpty();
  lblSpeech_->setText(haveSet ? "Choose any two lines for optimisation, or get a New Set."
                              : "Click on 'Start' button");
  EnableLineButtons(haveSet);
  cmdContinue_->setEnabled(true);
}

void RandomFinderPage::cmdContinue_Click() {
  ResetPicks();
  for (int n = 1; n <= kLineCount; ++n) {
    ResetResultRow(n);
    rows_[n].digit->repaint();
  }
  if (IsMakingSet()) {
    lblSpeech_->setText("Get a New Set!");
    host_.GetSession().State().stopRequested = true;
    for (int i = 1; i <= 49; ++i) lblRandom_[i]->clear();
    return;
  }
  MakeNewSet();
}

void RandomFinderPage::MakeNewSet() {
  ProgramState& state = host_.GetSession().State();
  state.stopRequested = false;
  cmdContinue_->setText("&Stop");
  lblSpeech_->setText("Just a few moments, finding the facts! ");
  EnableLineButtons(false);
  host_.SetTabsEnabled(false);

  ShowDealtNumbers();
  CheckDealtLines();

  host_.SetTabsEnabled(true);
  cmdContinue_->setEnabled(true);
  cmdContinue_->setText("&New Set");
  if (!state.stopRequested) {
    EnableLineButtons(true);
    cmdLine_[1]->setFocus();
  }
  if (!lblRandom_[1]->text().isEmpty()) {
    lblSpeech_->setText("Choose any two lines for optimisation, or get a New Set.");
  }
}

void RandomFinderPage::ShowDealtNumbers() {
  // A fresh seed from the clock for every set.
  const uint64_t seed = host_.GetSession().SystemClock().SeedFromClock();
  const std::array<int, 49> dealt = DealRandomSet(host_.Random(), seed);
  for (int i = 1; i <= 49; ++i) lblRandom_[i]->setText(QString::number(dealt[i - 1]));
}

void RandomFinderPage::CheckDealtLines() {
  const ProgramState& state = host_.GetSession().State();
  for (int n = 1; n <= kLineCount; ++n) {
    host_.Events().LetEventsRun();  // a Stop click is handled here
    if (state.stopRequested) break;
    ShowResult(n, host_.CheckLineOnPanel(DealtLine(n)));
    rows_[n].digit->repaint();
  }
}

Line RandomFinderPage::DealtLine(int line) const {
  Line numbers{};
  for (int k = 0; k < 6; ++k) {
    numbers[k] = LeadingNumber(lblRandom_[6 * line - 5 + k]->text().toStdString());
  }
  return numbers;
}

void RandomFinderPage::cmdLine_Click(int index) {
  if (index < 1 || index > kLineCount) return;
  cmdLine_[index]->setEnabled(false);
  auto& selected = host_.SelectedNumbers();
  for (int k = 6 * index - 5; k <= 6 * index && nextNumberSlot_ <= 12; ++k) {
    selected[nextNumberSlot_] = std::string(TrimBlanks(lblRandom_[k]->text().toStdString()));
    ++nextNumberSlot_;
  }
  auto& chosen = host_.ChosenLines();
  if (chosen[1] != 0) {
    chosen[2] = index;
    nextNumberSlot_ = 1;
    host_.ShowLineOptimiser();
  } else {
    chosen[1] = index;
  }
}

void RandomFinderPage::ResetPicks() {
  auto& chosen = host_.ChosenLines();
  chosen[1] = chosen[2] = 0;
  for (auto& number : host_.SelectedNumbers()) number.clear();
  nextNumberSlot_ = 1;
}

void RandomFinderPage::ResetResultRow(int line) {
  const ResultRow& row = rows_[line];
  for (QLabel* count : {row.three, row.four, row.five, row.fivePlus, row.six}) count->clear();
  row.ret->setText("%");
  row.digit->setText("0");
}

void RandomFinderPage::ShowResult(int line, const SingleLineResult& result) {
  const ResultCaptions captions = CaptionsOf(result);
  const ResultRow& row = rows_[line];
  row.three->setText(FromUtf8(captions.three));
  row.four->setText(FromUtf8(captions.four));
  row.five->setText(FromUtf8(captions.five));
  row.fivePlus->setText(FromUtf8(captions.fivePlus));
  row.six->setText(FromUtf8(captions.six));
  row.ret->setText(FromUtf8(captions.ret));
  row.digit->setText(FromUtf8(captions.digit));
}

void RandomFinderPage::EnableLineButtons(bool enabled) {
  for (int n = 1; n <= kLineCount; ++n) cmdLine_[n]->setEnabled(enabled);
}

bool RandomFinderPage::IsMakingSet() const {
  return cmdContinue_->text() == "&Stop";
}

}  // namespace bw::ui
