// SPDX-License-Identifier: GPL-3.0-or-later
// A chart in the window's colours that grows with its page, with buttons to
// copy it to the clipboard or save it as a PNG picture.
#pragma once

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QString>
#include <QValueAxis>
#include <QWidget>
#include <functional>

class QLabel;

namespace bw::ui {

class ChartPanel : public QWidget {
  Q_OBJECT
 public:
  // `name` names the panel; its chart view and buttons are named after it
  // (name + "View", "Copy", "Save").
  ChartPanel(const QString& name, const QString& title, QWidget* parent);

  QChart& Chart() const { return *chart_; }
  QChartView& View() const { return *view_; }
  // A line under the chart: what it shows or why it is empty.
  void SetNote(const QString& note);
  QString Note() const;
  // Puts `across` under the chart and `up` beside it, for every series added
  // so far, in the panel's colours.
  void SetAxes(QAbstractAxis* across, QAbstractAxis* up);
  // Colours the chart, its axes and (through `colourSeries`) its series from
  // the panel's palette; again whenever the palette changes.
  void ApplyPalette();
  void SetSeriesColours(std::function<void(const QPalette&)> colourSeries);
  // Keeps the chart wide enough for an upright label under each of
  // `categories` and at least 3 device pixels for each of its bars (that
  // many side by side, each `barWidth` of its share); the page scrolls.
  void KeepBarsAndLabels(int categories, int barsPerCategory, qreal barWidth);

  // What the chart is of ("Sample, 12/06/1982 to 17/06/2020"): in the
  // title of a copied or saved picture, and in the name a save proposes.
  void SetSubject(const QString& subject);
  QPixmap Picture() const;
  void CopyPicture() const;
  // Asks for a file name and saves the picture; false when cancelled or failed.
  bool SavePicture();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  QChart* chart_ = nullptr;
  QChartView* view_ = nullptr;
  QLabel* note_ = nullptr;
  std::function<void(const QPalette&)> colourSeries_;
  QString subject_;
};

// Categories under bars in small upright labels, so that many fit.
QBarCategoryAxis* UprightCategoryAxis(const QStringList& categories = {});
// A value axis labelled in whole numbers.
QValueAxis* WholeNumberAxis();
// Sets the axis to take in `low` to `high`, widened to round tick values.
void SetRoundRange(QAbstractAxis* axis, qreal low, qreal high);

}  // namespace bw::ui
