// What a screen reader says for the grid, the results and the faces, and a
// keyboard-only walk through the General Services pages.
#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QTest>

#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

QString Spoken(const QWidget& root, const QString& name,
               QAccessible::Text kind = QAccessible::Name) {
  return QAccessible::queryAccessibleInterface(&Child(root, name))->text(kind);
}

// Presses the keys on whatever has the focus; names where the focus went.
QString Press(std::initializer_list<Qt::Key> keys) {
  QStringList focused;
  for (Qt::Key key : keys) {
    QTest::keyClick(QApplication::focusWidget(), key);
    focused << QApplication::focusWidget()->objectName();
  }
  return focused.join(' ');
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT
  std::unique_ptr<WindowRig> rig_;
  ui::MainWindow* w_ = nullptr;

 private slots:
  void init() {
    rig_ = std::make_unique<WindowRig>();
    WriteLottery(rig_->folder, TripleHistory(),
                 "bonus=false\r\nstake=1\r\nret3=1\r\nret4=1\r\nret5=1\r\nret5p=1\r\nret6=1\r\n");
    QVERIFY(rig_->Start());
    w_ = &rig_->Window();
    w_->show();
    QApplication::setActiveWindow(w_);
    QVERIFY(QTest::qWaitForWindowActive(w_));
  }
  void cleanup() { rig_.reset(); }

  void gridResultsAndFacesSpeakInWords() {
    PickNumbers(*w_, {1, 2, 3, 46, 47, 48});
    Click(*w_, "cmdCheckUpdate");  // 45 percent: the happy face
    const std::pair<const char*, QString> cases[] = {
        {"cmdGetNumber47", "Number 47, picked"},
        {"cmdGetNumber17", "Number 17"},
        {"lblNumber10", "Selected number 10: 46"},
        {"lblHitThree0", "3 numbers right: 9 draws"},
        {"Digit0", "Result: 45 percent"},
        {"ImageHappyFace", "Happy face"},
        {"lblHitSix3", "Line 3, 6 numbers right: no draws"},
        {"lblRandom49", "Number not placed: empty"},
        {"OptimiseDigit0", "Print report on all lines: 0 lines"},
    };
    for (const auto& [name, spoken] : cases) QCOMPARE(Spoken(*w_, name), spoken);
    QVERIFY(Spoken(*w_, "ImageHappyFace", QAccessible::Description).contains("45 percent or more"));
  }

  void keyboardAloneChecksALineAndReachesEveryControlInOrder() {
    Child(*w_, "cmdHelpSingle").setFocus();
    // After Help come the date range and the hits below; back from there
    // through Help, Clear and the grid.
    QCOMPARE(Press({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backtab,
                    Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Backtab}),
             "rngLineFrom rngLineTo rngLineWhole rngLineTo rngLineFrom cmdHelpSingle cmdClear "
             "cmdGetNumber1");
    // Picks 2, 3 and 1; up from 1 leaves the grid's edge, which is refused.
    QCOMPARE(Press({Qt::Key_Right, Qt::Key_Space, Qt::Key_Right, Qt::Key_Space, Qt::Key_Down,
                    Qt::Key_Up, Qt::Key_Left, Qt::Key_Left, Qt::Key_Space, Qt::Key_Up})
                 .section(' ', -1),
             "cmdGetNumber1");
    PickNumbers(*w_, {46, 47, 48});
    QCOMPARE(Press({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space}).section(' ', -1), "cmdCheckUpdate");
    QCOMPARE(Caption(*w_, "lblHitThree0"), "9");

    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kUpdate));
    auto& calendar = Child<QCalendarWidget>(*w_, "MonthView1");
    calendar.setFocus();
    QCOMPARE(Press({Qt::Key_Return}), "cmdGetNumber1");  // Enter picks the date
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
