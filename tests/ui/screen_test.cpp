// SPDX-License-Identifier: GPL-3.0-or-later
// The window on small and scaled screens and under a dark theme: it opens
// within the screen, its pages scroll to every control, the status bar stays
// in view, and every text is whole and readable.
#include <QChartView>
#include <QScopeGuard>
#include <cmath>

#include "ui/lottery_dialog.h"
#include "ui/page_widgets.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

// Scrolls to each control of the page on show that a person uses; names
// those still out of sight.
QStringList OutOfReach(ui::MainWindow& window) {
  QStringList missed;
  for (QWidget* control : window.findChildren<QWidget*>()) {
    const bool used = qobject_cast<QAbstractButton*>(control) ||
                      qobject_cast<QAbstractSpinBox*>(control) || qobject_cast<QComboBox*>(control);
    if (!used || !control->isVisible() || control->objectName().isEmpty()) continue;
    QScrollArea* area = nullptr;  // the one the control's page is in
    for (QWidget* up = control->parentWidget(); up && !area; up = up->parentWidget())
      if (up->objectName().endsWith("Scroll")) area = qobject_cast<QScrollArea*>(up);
    if (!area) continue;
    const QPoint centre = control->mapTo(area->widget(), control->rect().center());
    area->ensureVisible(centre.x(), centre.y(), control->width() / 2 + 1,
                        control->height() / 2 + 1);
    const QRect shown(control->mapTo(area->viewport(), QPoint(0, 0)), control->size());
    if (!area->viewport()->rect().contains(shown)) missed << control->objectName();
  }
  return missed;
}

// A dark palette whose own colour pairs are readable.
QPalette DarkPalette() {
  QPalette dark;
  const QString roles =
      "Window=#353535 WindowText=#fff Base=#2a2a2a AlternateBase=#424242 Text=#fff "
      "Button=#3c3c3c ButtonText=#fff Highlight=#1d5fa8 HighlightedText=#fff Link=#7fb4ff "
      "Light=#5a5a5a Midlight=#4a4a4a Mid=#808080 Dark=#1e1e1e Shadow=#141414 "
      "ToolTipBase=#202020 ToolTipText=#fff PlaceholderText=#a0a0a0";
  const QMetaEnum names = QMetaEnum::fromType<QPalette::ColorRole>();
  for (const QString& pair : roles.split(' ')) {
    const int role = names.keyToValue(qPrintable(pair.section('=', 0, 0)));
    if (role < 0) qFatal("no colour role %s", qPrintable(pair));
    dark.setColor(QPalette::ColorRole(role), QColor(pair.section('=', 1)));
  }
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    dark.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
  return dark;
}

double Luminance(const QColor& colour) {
  const auto linear = [](double c) {
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour a control's text is drawn on: its own face, or what shows
// through from below.
QColor Background(const QWidget& control) {
  for (const QWidget* under = &control; under; under = under->parentWidget()) {
    const bool face = (qobject_cast<const QPushButton*>(under) && !under->styleSheet().isEmpty()) ||
                      under->autoFillBackground() ||
                      under->testAttribute(Qt::WA_StyledBackground) || under->isWindow();
    if (qobject_cast<const QPushButton*>(under) || qobject_cast<const QTabBar*>(under))
      return under->palette().color(QPalette::Button);
    if (face) return under->palette().color(under->backgroundRole());
  }
  return {};
}

// What is wrong with the texts in view: cut (smaller than they ask for) or
// too faint against what they are drawn on.
QStringList TextFaults(QWidget& window) {
  QStringList faults;
  for (QWidget* control : window.findChildren<QWidget*>()) {
    auto* label = qobject_cast<QLabel*>(control);
    auto* button = qobject_cast<QAbstractButton*>(control);
    const QString text = label ? label->text() : button ? button->text() : QString();
    if (text.isEmpty() || !control->isVisible()) continue;
    const QString name = control->objectName().isEmpty() ? text.left(24) : control->objectName();
    const QSize wanted = control->sizeHint();
    const bool cut = label && label->wordWrap()
                         ? control->height() < label->heightForWidth(control->width())
                         : control->width() < wanted.width() || control->height() < wanted.height();
    if (cut) faults << name + " cut";
    if (!control->isEnabled()) continue;  // a disabled control need not be read
    const QColor ink = control->palette().color(control->foregroundRole());
    const QColor ground = Background(*control);
    if (Contrast(ink, ground) < 4.5)
      faults << name + QStringLiteral(" faint (%1 on %2)").arg(ink.name(), ground.name());
    if (ui::IsDarkTheme(window.palette()) && ground.lightness() > 160) faults << name + " glares";
  }
  return faults;
}

}  // namespace

class ScreenTest : public QObject {
  Q_OBJECT
 private slots:
  // Under a dark theme (at 1366x768 at 125%) no text is cut either, and
  // every text reads at a contrast of 4.5:1 at least, the charts' too.
  void windowFitsTheScreenAndReachesEveryControl_data() {
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<bool>("dark");
    QTest::newRow("1024x768") << QSize(1024, 768) << 1.0 << false;
    QTest::newRow("1366x768 at 125%, dark") << QSize(1366, 768) << 1.25 << true;
    QTest::newRow("1600x1000 at 150%") << QSize(1600, 1000) << 1.5 << false;
    QTest::newRow("1600x1000 at 200%") << QSize(1600, 1000) << 2.0 << false;
    QTest::newRow("1920x1080") << QSize(1920, 1080) << 1.0 << false;
  }
  void windowFitsTheScreenAndReachesEveryControl() {
    QFETCH(QSize, pixels);
    QFETCH(qreal, scale);
    QFETCH(bool, dark);
    const QPalette light = QApplication::palette();
    const auto restore = qScopeGuard([&light] { QApplication::setPalette(light); });
    if (dark) QApplication::setPalette(DarkPalette());
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    ui::MainWindow& window = rig.Window();
    QVERIFY(rig.Show());
    // The screen's free room in logical pixels, less a panel of 32.
    const QRect available(QPoint(0, 0), (QSizeF(pixels) / scale).toSize() - QSize(0, 32));
    window.FitTo(available);
    QVERIFY(window.height() + 40 <= available.height() && window.width() <= available.width());
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
    QVERIFY2(least.width() <= 640 && least.height() <= 440,
             qPrintable(QStringLiteral("%1x%2").arg(least.width()).arg(least.height())));
    ui::LotteryDialog dialog(rig.session, rig.messages, rig.help, &window);
    QVERIFY(dialog.minimumSizeHint().height() + 40 <= available.height());
    if (dark) {  // the dialog reads as well as the pages
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      QCOMPARE(TextFaults(dialog).join(", "), QString());
      dialog.hide();
    }

    CheckLine(window, {3, 11, 12, 14, 41, 43});  // tables and charts filled
    ForEachPage(window, [&window, dark] {
      QCOMPARE(OutOfReach(window).join(' '), QString());
      const QStatusBar& status = *window.statusBar();
      QVERIFY(status.isVisible());
      QVERIFY(window.rect().contains(QRect(status.mapTo(&window, QPoint()), status.size())));
      if (dark) QCOMPARE(TextFaults(window).join(", "), QString());
    });
    for (QChartView* view : dark ? window.findChildren<QChartView*>() : QList<QChartView*>()) {
      const QChart& chart = *view->chart();
      const QColor ground = chart.backgroundBrush().color();
      QVERIFY(Contrast(chart.titleBrush().color(), ground) >= 4.5);
      QVERIFY(Contrast(chart.legend()->labelColor(), ground) >= 4.5);
      for (const QAbstractAxis* axis : chart.axes())
        QVERIFY(Contrast(axis->labelsColor(), ground) >= 4.5);
    }
  }
};

QTEST_MAIN(ScreenTest)
#include "screen_test.moc"
