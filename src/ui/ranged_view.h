// SPDX-License-Identifier: GPL-3.0-or-later
// A view whose counts go over a date range of the history, chosen on the
// range bar it shows at its top.
#pragma once

#include <QWidget>

#include "app/session.h"
#include "ui/date_range_bar.h"

namespace bw::ui {

// The lottery and the dates of the range: "Sample, 12/06/1982 to 17/06/2020",
// as a picture of counts over the range is titled and named.
QString RangeSubject(const Session& session, const DateRangeBar& range);

class RangedView : public QWidget {
  Q_OBJECT
 public:
  // The range bar is named `rangeName` (see DateRangeBar).
  RangedView(Session& session, const QString& rangeName, QWidget* parent);

  DateRange Range() const { return range_->Range(); }
  // The first and last draw dates, after the history was loaded or grew.
  void RefreshHistoryDates();
  QString Subject() const { return RangeSubject(session_, *range_); }

 protected:
  Session& session_;
  DateRangeBar* const range_;
};

}  // namespace bw::ui
