// SPDX-License-Identifier: GPL-3.0-or-later
// The Single Line page of General Services: the result panel of a line
// check with its face, and below it the line's hits, balance and standing
// over the chosen date range. A new range counts the line on show again.
#pragma once

#include <QWidget>

#include "app/session.h"
#include "platform/services.h"

class QLabel;

namespace bw::ui {

class LineInsightPanel;

class SingleLinePage : public QWidget {
  Q_OBJECT
 public:
  SingleLinePage(Session& session, HelpViewer& help, QWidget* parent);

  // Checks the line over the page's range and shows it in full.
  SingleLineResult CheckOverRange(const Line& line);
  // Writes the result panel for the line checked over `range`; a line that
  // is not valid, or a range without draws, shows the empty result.
  SingleLineResult ShowCheck(const Line& line, const DateRange& range = {});
  void ShowFace(const SingleLineResult& result);
  void HideFaces();
  void Clear();

  LineInsightPanel& Insight() const { return *insight_; }

 signals:
  // "Add to my lines" was pressed: the grid's line is to be saved.
  void AddToMyLines();

 private:
  QWidget* BuildResultPanel();
  void RecheckOverNewRange();

  Session& session_;
  LineInsightPanel* insight_ = nullptr;
  QLabel *hitThree_ = nullptr, *hitFour_ = nullptr, *hitFive_ = nullptr, *hitFivePlus_ = nullptr,
         *hitSix_ = nullptr, *digit_ = nullptr, *return_ = nullptr;
  QLabel *happyFace_ = nullptr, *moodyFace_ = nullptr, *veryMoodyFace_ = nullptr;
};

}  // namespace bw::ui
