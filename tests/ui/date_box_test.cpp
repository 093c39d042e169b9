// Dates typed as they are written, in every date field: the range bars of
// Single Line and Statistics and the draw date of the Update page.
#include <QCalendarWidget>
#include <QDateEdit>

#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

QDateEdit& Box(const QWidget& root, const QString& name) {
  return Child<QDateEdit>(root, name);
}

void Press(const QKeySequence& keys) {
  QTest::keySequence(QApplication::focusWidget(), keys);
}

}  // namespace

class DateBoxTest : public QObject {
  Q_OBJECT
  std::unique_ptr<WindowRig> rig_;
  ui::MainWindow* w_ = nullptr;

 private slots:
  void init() {
    rig_ = std::make_unique<WindowRig>();
    QVERIFY(rig_->StartDemo());
    w_ = &rig_->Window();
    QVERIFY(rig_->Show());
  }
  void cleanup() { rig_.reset(); }

  // However the field was reached, what is typed fills that field; what is
  // not a date is refused with a word, and the field keeps its date.
  void typedDateFillsTheFieldItIsTypedIn_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("reach");  // "click", "ctrl+a", "shift+tab"
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("taken");  // invalid: refused
    QTest::addColumn<QString>("hint");
    const QDate kept;
    QTest::newRow("slashes") << "rngLineFrom"
                             << "click"
                             << "01/01/2015" << QDate(2015, 1, 1) << "";
    QTest::newRow("short") << "rngLineFrom"
                           << "ctrl+a"
                           << "1/2/2015" << QDate(2015, 2, 1) << "";
    QTest::newRow("dots") << "rngLineTo"
                          << "shift+tab"
                          << "03.02.2016" << QDate(2016, 2, 3) << "";
    QTest::newRow("statistics") << "rngStatsFrom"
                                << "click"
                                << "5-6-2019" << QDate(2019, 6, 5) << "";
    QTest::newRow("no such day") << "rngLineFrom"
                                 << "click"
                                 << "31/02/2015" << kept
                                 << "\"31/02/2015\" is not a date: type it as dd/mm/yyyy";
    QTest::newRow("not finished") << "rngLineTo"
                                  << "click"
                                  << "01/01/20" << kept << "\"01/01/20\" is not a date";
    QTest::newRow("before the first draw")
        << "rngLineFrom"
        << "click"
        << "01/01/1950" << QDate(1982, 6, 12)
        << "Dates go from 12/06/1982 to 17/06/2020: 12/06/1982 is taken";
  }
  void typedDateFillsTheFieldItIsTypedIn() {
    QFETCH(QString, field);
    QFETCH(QString, reach);
    QFETCH(QString, typed);
    QFETCH(QDate, taken);
    QFETCH(QString, hint);
    const QString bar = field.left(field.startsWith("rngStats") ? 8 : 7);
    if (bar == "rngStats") QVERIFY(ChooseTab(w_->MainTabs(), ui::kStatistics));
    QDateEdit& box = Box(*w_, field);
    QDateEdit& other = Box(*w_, bar + (field.endsWith("From") ? "To" : "From"));
    const QDate before = box.date(), otherBefore = other.date();
    if (reach == "click") {
      TypeDate(*w_, field, typed);
    } else {
      if (reach == "ctrl+a") {
        box.setFocus(Qt::MouseFocusReason);
        Press(QKeySequence::SelectAll);
      } else {
        Child(*w_, bar + "Whole").setFocus();
        Press(Qt::Key_Backtab);
        QCOMPARE(box.findChild<QLineEdit*>()->selectedText(), box.text());  // not its year
      }
      QTest::keyClicks(QApplication::focusWidget(), typed);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget(), &box);
    QCOMPARE(box.date(), taken.isValid() ? taken : before);
    QCOMPARE(other.date(), otherBefore);
    auto& shownHint = Child<QLabel>(*w_, bar + "Hint");
    QCOMPARE(shownHint.text().left(hint.size()), hint);
    QCOMPARE(shownHint.isVisible(), !hint.isEmpty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // a refused text is dropped
    QCOMPARE(box.text(), box.date().toString("dd/MM/yyyy"));
  }

  void keysOfADateBoxStillWork_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<bool>("calendar");
    QTest::addColumn<QDate>("date");
    QTest::newRow("F4") << QKeySequence(Qt::Key_F4) << true << QDate(2020, 6, 17);
    QTest::newRow("Alt+Down") << QKeySequence(Qt::ALT | Qt::Key_Down) << true << QDate(2020, 6, 17);
    QTest::newRow("Down") << QKeySequence(Qt::Key_Down) << false << QDate(2020, 6, 16);
  }
  void keysOfADateBoxStillWork() {
    QFETCH(QKeySequence, keys);
    QFETCH(bool, calendar);
    QFETCH(QDate, date);
    Child(*w_, "rngLineWhole").setFocus();
    Press(Qt::Key_Backtab);  // on To, at the last draw; Down steps its year
    Press(keys);
    QWidget* popup = QApplication::activePopupWidget();
    QCOMPARE(popup && popup->findChild<QCalendarWidget*>(), calendar);
    if (popup) popup->close();
    QCOMPARE(Box(*w_, "rngLineTo").date(), date);
    const QAccessibleInterface* spoken =
        QAccessible::queryAccessibleInterface(&Box(*w_, "rngLineTo"));
    QCOMPARE(spoken->role(), QAccessible::SpinBox);
    QCOMPARE(spoken->text(QAccessible::Name), "To");
  }

  // The Update page proposes the day after the last draw on which the
  // lottery draws, with the grid usable; the typed date and the calendar
  // show the same day.
  void updatePageProposesTheNextDrawDayAndKeepsTypedDateAndCalendarInStep() {
    QVERIFY(ChooseTab(w_->ChoiceTabs(), ChoiceTab::kUpdate));
    auto& calendar = Child<QCalendarWidget>(*w_, "MonthView1");
    QCOMPARE(Box(*w_, "DrawDate").date(), QDate(2020, 6, 20));  // Wednesday 17: Saturday
    QCOMPARE(calendar.selectedDate(), QDate(2020, 6, 20));
    QVERIFY(Enabled(*w_, "cmdGetNumber3"));
    TypeDate(*w_, "DrawDate", "24.6.2020");
    QCOMPARE(calendar.selectedDate(), QDate(2020, 6, 24));
    QCOMPARE(QApplication::focusWidget()->objectName(), "cmdGetNumber1");  // Enter: the numbers
    PickDate(*w_, QDate(2020, 6, 27));
    QCOMPARE(Box(*w_, "DrawDate").date(), QDate(2020, 6, 27));
    TypeDate(*w_, "DrawDate", "27/6/2O", Qt::Key_unknown);
    QVERIFY(Caption(*w_, "DrawDateHint").startsWith("A date is typed in digits"));
    QCOMPARE(Box(*w_, "DrawDate").text(), "27/6/2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(Box(*w_, "DrawDate").text(), "27/06/2020");
    TypeDate(*w_, "DrawDate", "01/01/2030");  // the day after today at the latest
    QCOMPARE(Box(*w_, "DrawDate").date(), QDate(2025, 12, 10));

    rig_->messages.answers = {MessageAnswer::Yes};
    TypeDate(*w_, "DrawDate", "20/06/2020");
    CheckLine(*w_, {1, 2, 3, 4, 5, 6, 7});
    QCOMPARE(Box(*w_, "DrawDate").date(), QDate(2020, 6, 24));  // the next after the new draw
    QVERIFY(Enabled(*w_, "cmdGetNumber3"));
  }
};

QTEST_MAIN(DateBoxTest)
#include "date_box_test.moc"
