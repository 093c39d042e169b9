// The window on small and scaled screens: it opens within the screen, its
// pages scroll to every control, and the status bar stays in view.
#include "ui/lottery_dialog.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

// A screen's free room in logical pixels, less a panel of 32.
QRect Available(const QSize& pixels, qreal scale) {
  return QRect(QPoint(0, 0), (QSizeF(pixels) / scale).toSize() - QSize(0, 32));
}

// The scroll area the control's page is in.
QScrollArea* PageArea(QWidget& control) {
  for (QWidget* up = control.parentWidget(); up; up = up->parentWidget())
    if (auto* area = qobject_cast<QScrollArea*>(up); area && area->objectName().endsWith("Scroll"))
      return area;
  return nullptr;
}

// Scrolls to each control of the page on show that a person uses; names
// those still out of sight.
QStringList OutOfReach(ui::MainWindow& window) {
  QStringList missed;
  for (QWidget* control : window.findChildren<QWidget*>()) {
    const bool used = qobject_cast<QAbstractButton*>(control) ||
                      qobject_cast<QAbstractSpinBox*>(control) || qobject_cast<QComboBox*>(control);
    if (!used || !control->isVisible() || control->objectName().isEmpty()) continue;
    QScrollArea* area = PageArea(*control);
    if (!area) continue;
    const QPoint centre = control->mapTo(area->widget(), control->rect().center());
    area->ensureVisible(centre.x(), centre.y(), control->width() / 2 + 1,
                        control->height() / 2 + 1);
    const QRect shown(control->mapTo(area->viewport(), QPoint(0, 0)), control->size());
    if (!area->viewport()->rect().contains(shown)) missed << control->objectName();
  }
  return missed;
}

}  // namespace

class ScreenTest : public QObject {
  Q_OBJECT
 private slots:
  void windowFitsTheScreenAndReachesEveryControl_data() {
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<qreal>("scale");
    QTest::newRow("1024x768") << QSize(1024, 768) << 1.0;
    QTest::newRow("1366x768 at 125%") << QSize(1366, 768) << 1.25;
    QTest::newRow("1600x1000 at 150%") << QSize(1600, 1000) << 1.5;
    QTest::newRow("1600x1000 at 200%") << QSize(1600, 1000) << 2.0;
    QTest::newRow("1920x1080") << QSize(1920, 1080) << 1.0;
  }
  void windowFitsTheScreenAndReachesEveryControl() {
    QFETCH(QSize, pixels);
    QFETCH(qreal, scale);
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    ui::MainWindow& window = rig.Window();
    QVERIFY(rig.Show());
    const QRect available = Available(pixels, scale);
    window.FitTo(available);
    QVERIFY(window.height() + 40 <= available.height() && window.width() <= available.width());
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
    QVERIFY2(least.width() <= 640 && least.height() <= 440,
             qPrintable(QStringLiteral("%1x%2").arg(least.width()).arg(least.height())));
    const ui::LotteryDialog dialog(rig.session, rig.messages, rig.help, &window);
    QVERIFY(dialog.minimumSizeHint().height() + 40 <= available.height());

    for (int page :
         {ui::kGeneralServices, ui::kRandomLineFinder, ui::kLineOptimiser, ui::kStatistics}) {
      if (page == ui::kLineOptimiser)
        window.ShowLineOptimiser();  // as the Optimise page hands its numbers on
      else
        QVERIFY(ChooseTab(window.MainTabs(), page));
      for (int choice = ui::kSingleLine; choice <= ui::kSixFrom49; ++choice) {
        if (page == ui::kGeneralServices) QVERIFY(ChooseTab(window.ChoiceTabs(), choice));
        QCoreApplication::processEvents();
        QCOMPARE(OutOfReach(window).join(' '), QString());
        const QStatusBar& status = *window.statusBar();
        QVERIFY(status.isVisible());
        QVERIFY(window.rect().contains(QRect(status.mapTo(&window, QPoint()), status.size())));
        if (page != ui::kGeneralServices) break;
      }
    }
  }
};

QTEST_MAIN(ScreenTest)
#include "screen_test.moc"
