// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/single_line_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "ui/help_viewer.h"
#include "ui/line_insight_panel.h"
#include "ui/page_widgets.h"
#include "ui/pictures.h"

namespace bw::ui {
namespace {

constexpr int kFacePixels = 96;

}  // namespace

SingleLinePage::SingleLinePage(Session& session, HelpViewer& help, QWidget* parent)
    : QWidget(parent), session_(session) {
  setObjectName("tabSingleLine");
  QWidget* panel = BuildResultPanel();
  happyFace_ = PictureLabel("ImageHappyFace", FacePicture(FaceKind::Happy, kFacePixels), this);
  moodyFace_ = PictureLabel("ImageMoodyFace", FacePicture(FaceKind::Moody, kFacePixels), this);
  veryMoodyFace_ =
      PictureLabel("ImageVeryMoody", FacePicture(FaceKind::VeryMoody, kFacePixels), this);
  auto* faces = new QGridLayout;
  for (QLabel* face : {happyFace_, moodyFace_, veryMoodyFace_}) {
    face->hide();
    faces->addWidget(face, 0, 0);
  }
  faces->setRowMinimumHeight(0, kFacePixels + 8);

  auto* intro = new QHBoxLayout;
  intro->addWidget(PictureLabel("ImageMagnify", MagnifierPicture(64), this));
  intro->addWidget(Guidance("Pick six numbers on the grid and press Start: the line is checked "
                            "against every draw of the history. The columns count the draws in "
                            "which it would have had 3, 4, 5, 5 plus the bonus number, or 6 "
                            "numbers right; the result is what its 3 and 4 hits would have "
                            "returned for one unit staked on each draw.",
                            this),
                   1);
  auto* side = new QVBoxLayout;
  side->addLayout(intro);
  side->addSpacing(12);
  side->addLayout(faces);
  side->addStretch();
  auto* addToLines = new QPushButton("Add to m&y lines", this);
  addToLines->setObjectName("cmdAddToMyLines");
  connect(addToLines, &QPushButton::clicked, this, &SingleLinePage::AddToMyLines);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(HelpButton("cmdHelpSingle", "He&lp", help, help_topic::kSingleLine, this));
  buttons->addWidget(addToLines);
  buttons->addStretch();
  side->addLayout(buttons);

  auto* row = new QHBoxLayout;
  row->addWidget(panel, 0, Qt::AlignTop);
  row->addSpacing(12);
  row->addLayout(side, 1);
  insight_ = new LineInsightPanel(session_, this);
  auto* column = new QVBoxLayout(this);
  column->addLayout(row);
  column->addWidget(insight_, 1);
  connect(insight_, &LineInsightPanel::RangeChanged, this, [this] { RecheckOverNewRange(); });
}

// The counts by class and the result; index 0 of the result label groups.
QWidget* SingleLinePage::BuildResultPanel() {
  auto* panel = new QGroupBox("Result", this);
  panel->setObjectName("fraResult");
  auto* grid = new QGridLayout(panel);
  grid->setVerticalSpacing(6);
  hitThree_ = ResultBox("lblHitThree0", panel);
  hitFour_ = ResultBox("lblHitFour0", panel);
  hitFive_ = ResultBox("lblHitFive0", panel);
  hitFivePlus_ = ResultBox("lblHitFivePlus0", panel);
  hitSix_ = ResultBox("lblHitSix0", panel);
  const std::array<QLabel*, 5> counts{hitThree_, hitFour_, hitFive_, hitFivePlus_, hitSix_};
  const std::array<const char*, 5> headings{"3", "4", "5", "5+", "6"};
  for (int i = 0; i < 5; ++i) {
    grid->addWidget(counts[i], i, 0);
    QLabel* heading = NamedLabel(QStringLiteral("Label8_%1").arg(i), headings[i], panel);
    heading->setFont(FixedFont(12, true));
    grid->addWidget(heading, i, 1);
  }
  digit_ = ResultBox("Digit0", panel, 18);
  digit_->setText("0");
  digit_->setMinimumHeight(40);
  return_ = NamedLabel("lblReturn0", "%", panel);
  return_->setFont(FixedFont(18, true));
  grid->setRowMinimumHeight(5, 10);
  grid->addWidget(digit_, 6, 0);
  grid->addWidget(return_, 6, 1);
  grid->addWidget(NamedLabel("Label1_1", "Result", panel), 7, 0, Qt::AlignHCenter);
  grid->setRowStretch(8, 1);
  grid->setColumnMinimumWidth(1, 36);
  return panel;
}

SingleLineResult SingleLinePage::CheckOverRange(const Line& line) {
  const SingleLineResult result = ShowCheck(line, insight_->Range());
  if (IsValidLine(line)) insight_->ShowLine(line, result);
  return result;
}

// Only a line checked on this page is on show: changing pages clears it.
void SingleLinePage::RecheckOverNewRange() {
  const std::optional<Line> line = insight_->ShownLine();
  if (!line) return;
  HideFaces();
  ShowFace(CheckOverRange(*line));
}

SingleLineResult SingleLinePage::ShowCheck(const Line& line, const DateRange& range) {
  SingleLineResult result;
  try {
    if (IsValidLine(line)) result = session_.Check(line, range);
  } catch (const EmptyRangeError&) {  // the range bar says so; nothing was drawn
  }
  const ResultCaptions captions = CaptionsOf(result);
  const std::pair<QLabel*, const std::string&> shown[] = {
      {hitThree_, captions.three}, {hitFour_, captions.four},
      {hitFive_, captions.five},   {hitFivePlus_, captions.fivePlus},
      {hitSix_, captions.six},     {digit_, captions.digit},
      {return_, captions.ret}};
  for (const auto& [label, caption] : shown) label->setText(QString::fromStdString(caption));
  return result;
}

void SingleLinePage::HideFaces() {
  for (QLabel* face : {happyFace_, moodyFace_, veryMoodyFace_}) face->hide();
}

void SingleLinePage::ShowFace(const SingleLineResult& result) {
  QLabel* face = veryMoodyFace_;
  switch (VerdictOf(result)) {
    case Verdict::Happy:
      face = happyFace_;
      break;
    case Verdict::Moody:
      face = moodyFace_;
      break;
    case Verdict::VeryMoody:
      break;
  }
  face->show();
  face->raise();
}

void SingleLinePage::Clear() {
  for (QLabel* count : {hitThree_, hitFour_, hitFive_, hitFivePlus_, hitSix_}) count->clear();
  insight_->Clear();
  return_->setText("%");
  digit_->setText("0");
  HideFaces();
}

}  // namespace bw::ui
