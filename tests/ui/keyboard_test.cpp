// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard a desktop user knows: Tab walks every page in the order of
// its layout and Shift+Tab walks it back the same way; tables take the arrow
// keys and let Tab go on. Dates typed as they are written, in every date
// field: the range bars of Single Line and Statistics and the draw date of
// the Update page.
#include <QCalendarWidget>
#include <QDateEdit>
#include <QTableWidget>

#include "ui/help_viewer.h"
#include "ui/lottery_dialog.h"
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

QString FocusName() {
  QWidget* focus = QApplication::focusWidget();
  if (!focus) return "(none)";
  // Qt's own parts by the control they belong to.
  if (focus->objectName() == "qt_tabwidget_tabbar")
    return focus->parentWidget()->objectName() + "Bar";
  if (focus->objectName().startsWith("qt_")) return focus->parentWidget()->objectName();
  return focus->objectName();
}

// Presses `key` until the focus comes back to where it started; names the
// stops on the way.
QStringList Walk(Qt::Key key) {
  const QWidget* start = QApplication::focusWidget();
  QStringList stops{FocusName()};
  for (int step = 0; step < 300; ++step) {
    QTest::keyClick(QApplication::focusWidget(), key);
    if (QApplication::focusWidget() == start) return stops;
    stops << FocusName();
  }
  stops << "(no way back)";
  return stops;
}

// The captions that can be reached with Alt+letter where `root` is shown:
// its visible buttons, labelled fields and, for a main window, the menu titles.
QStringList ReachableCaptions(const QWidget& root) {
  QStringList captions;
  if (const auto* window = qobject_cast<const QMainWindow*>(&root))
    for (const QAction* menu : window->menuBar()->actions()) captions << menu->text();
  for (const QWidget* control : root.findChildren<QWidget*>()) {
    if (!control->isVisibleTo(&root) || control->window() != &root) continue;
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
      captions << button->text();
    else if (const auto* label = qobject_cast<const QLabel*>(control); label && label->buddy())
      captions << label->text();
    else if (const auto* tabs = qobject_cast<const QTabBar*>(control))
      for (int tab = 0; tab < tabs->count(); ++tab) captions << tabs->tabText(tab);
  }
  return captions;
}

// Captions that share an Alt+letter, "F: &File &From".
QStringList Clashes(const QStringList& captions) {
  QMap<QChar, QStringList> byLetter;
  for (const QString& caption : captions)  // "&File": F
    if (const QKeySequence keys = QKeySequence::mnemonic(caption); !keys.isEmpty())
      byLetter[QChar(keys[0].key()).toUpper()] << caption;
  QStringList clashes;
  for (auto letter = byLetter.begin(); letter != byLetter.end(); ++letter)
    if (letter.value().size() > 1)
      clashes << QString(letter.key()) + ": " + letter.value().join(' ');
  return clashes;
}

// A date typed into `field`, reached by "click", "ctrl+a" or "shift+tab";
// `taken` is invalid when the text is refused with `hint`.
struct TypedDate {
  QString field, reach, typed;
  QDate taken;
  QString hint = "";
};

}  // namespace

Q_DECLARE_METATYPE(TypedDate)

class KeyboardTest : public DemoWindowTest {
  Q_OBJECT

 private slots:
  // No two controls that can be reached at once share an Alt+letter: the
  // menu titles and the page on show, the items of each menu, each dialog.
  void noTwoControlsShareAnAltLetter() {
    QStringList clashes;
    ForEachPage(*w_, [&] {
      for (const QString& clash : Clashes(ReachableCaptions(*w_)))
        clashes << QStringLiteral("page %1/%2 %3")
                       .arg(w_->MainTabs().currentIndex())
                       .arg(w_->ChoiceTabs().currentIndex())
                       .arg(clash);
    });
    for (const QMenu* menu : w_->findChildren<QMenu*>()) {
      QStringList items;
      for (const QAction* item : menu->actions()) items << item->text();
      for (const QString& clash : Clashes(items)) clashes << menu->title() + " " + clash;
    }
    ui::LotteryDialog dialog(rig_->session, rig_->messages, rig_->help, w_);
    for (const QString& clash : Clashes(ReachableCaptions(dialog))) clashes << "lottery " + clash;
    QCOMPARE(clashes.join('\n'), QString());
  }

  // Enter presses the button drawn as the default: Start on the grid.
  void enterPressesStart() {
    PickNumbers(*w_, {3, 11, 12, 14, 41});
    auto& number = Child(*w_, "cmdGetNumber43");
    number.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&number, Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Caption(*w_, "lblHitSix0"), "1");
  }

  // The number with the keyboard's focus can be seen, picked or not.
  void focusedNumberCanBeSeen() {
    QVERIFY(QTest::qWaitForWindowExposed(w_));
    const auto focusOn = [this](int number) {
      Child(*w_, QStringLiteral("cmdGetNumber%1").arg(number)).setFocus(Qt::TabFocusReason);
    };
    const auto look = [this](int number) {
      return Child(*w_, QStringLiteral("cmdGetNumber%1").arg(number)).grab().toImage();
    };
    PickNumbers(*w_, {9});
    focusOn(8);
    const QImage plainFocused = look(8), picked = look(9);
    focusOn(9);
    QVERIFY(look(8) != plainFocused);
    QVERIFY(look(9) != picked);
  }

  // Ctrl+O opens the import's file dialog; Escape closes the help window.
  void shortcutsOfADesktopProgram() {
    QVERIFY(AnswerFileDialog([this] { QTest::keySequence(w_, QKeySequence("Ctrl+O")); }) !=
            kNoFileDialog);

    const std::unique_ptr<HelpViewer> help = ui::MakeHelpViewer(kDemoHelp);
    help->ShowTopic(ui::help_topic::kContents);
    QWidget& window = *HelpPage()->window();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(HelpPage(), Qt::Key_Escape);
    QVERIFY(!window.isVisible());
  }

  void tabWalksEveryPageTheSameWayBothWays_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("reachedInOrder");  // in this order, among the stops
    const auto row = [](const char* name, int page, int choice, const char* reached) {
      QTest::newRow(name) << page << choice << QString(reached);
    };
    row("Single Line", ui::kGeneralServices, ui::kSingleLine,
        "cmdGetNumber1 cmdClear cmdHelpSingle rngLineFrom rngLineTo rngLineWhole tblHits "
        "cmdCopyHits cmdSaveHits");
    row("Update", ui::kGeneralServices, ui::kUpdate,
        "DrawDate MonthView1 cmdGetNumber1 cmdClear cmdHelpUpdate");
    row("Optimise", ui::kGeneralServices, ui::kOptimise, "cmdGetNumber1 cmdClear");
    row("6 from 49", ui::kGeneralServices, ui::kSixFrom49, "cmdGetNumber1 cmdClear cmdHelpRunAll");
    row("Random Line Finder", ui::kRandomLineFinder, 0, "cmdHelpRandom");
    row("Statistics", ui::kStatistics, 0,
        "rngStatsFrom rngStatsTo rngStatsWhole tblFrequency CountsChartCopy CountsChartSave "
        "SinceChartCopy SinceChartSave cmdHelpStatistics");
    row("My Lines", ui::kMyLines, 0,
        "txtMyLineNumbers txtMyLineLabel txtMyLineSince cmdMyLineAdd cmdMyLineRelabel "
        "cmdMyLineRemove cmdMyLineUp cmdMyLineDown tblMyLines cmdCopyMyLines cmdSaveMyLines "
        "rngTicketFrom rngTicketTo rngTicketWhole TicketChartCopy TicketChartSave cmdHelpMyLines");
    row("History", ui::kHistory, 0,
        "rngHistoryFrom rngHistoryTo rngHistoryWhole HistoryWithNumber tblHistory HistoryDate "
        "HistoryNumber1 HistoryNumber6 HistoryBonus cmdCorrectDraw cmdInsertDraw cmdDeleteDraw "
        "cmdCopyHistory cmdSaveHistory cmdHelpHistory");
    row("Wheels", ui::kWheels, 0,
        "txtWheelNumbers cmdWheelNumber1 cmdWheelClearPicks spnWheelT spnWheelM cmdWheelGenerate "
        "tblWheelLines tblWheelGuarantee cmdCopyWheel cmdSaveWheel cmdPrintWheel "
        "cmdWheelToMyLines txtWheelCheck cmdWheelLoad cmdWheelCheck rngWheelFrom rngWheelTo "
        "rngWheelWhole WheelChartCopy WheelChartSave cmdHelpWheels");
  }
  void tabWalksEveryPageTheSameWayBothWays() {
    QFETCH(int, page);
    QFETCH(int, choice);
    QFETCH(QString, reachedInOrder);
    const QStringList reached = reachedInOrder.split(' ');
    QVERIFY(ChooseTab(w_->MainTabs(), page));
    if (page == ui::kGeneralServices) QVERIFY(ChooseTab(w_->ChoiceTabs(), choice));
    CheckLine(*w_, {3, 11, 12, 14, 41, 43});  // tables with rows
    w_->MainTabs().tabBar()->setFocus(Qt::TabFocusReason);
    const QStringList forward = Walk(Qt::Key_Tab);
    QStringList backward = Walk(Qt::Key_Backtab);
    std::reverse(backward.begin() + 1, backward.end());
    QCOMPARE(forward.join(' '), backward.join(' '));
    QStringList inOrder;
    for (const QString& stop : forward)
      if (reached.contains(stop)) inOrder << stop;
    QCOMPARE(inOrder, reached);
    for (const char* name :
         {"tblHits", "tblFrequency", "tblHistory"}) {  // one stop; the arrows move inside
      if (!reached.contains(name)) continue;
      QCOMPARE(forward.count(name), 1);
      auto& table = Child<QTableWidget>(*w_, name);
      table.setFocus(Qt::TabFocusReason);
      table.setCurrentCell(0, 0);
      QTest::keyClick(&table, Qt::Key_Down);
      QTest::keyClick(&table, Qt::Key_Right);
      QCOMPARE(QPoint(table.currentColumn(), table.currentRow()), QPoint(1, 1));
    }
  }

  // However the field was reached, what is typed fills that field; what is
  // not a date is refused with a word, and the field keeps its date.
  void typedDateFillsTheFieldItIsTypedIn_data() {
    QTest::addColumn<TypedDate>("row");
    const auto row = [](const char* name, const TypedDate& typed) { QTest::newRow(name) << typed; };
    row("slashes", {"rngLineFrom", "click", "01/01/2015", {2015, 1, 1}});
    row("short", {"rngLineFrom", "ctrl+a", "1/2/2015", {2015, 2, 1}});
    row("dots", {"rngLineTo", "shift+tab", "03.02.2016", {2016, 2, 3}});
    row("statistics", {"rngStatsFrom", "click", "5-6-2019", {2019, 6, 5}});
    row("no such day", {"rngLineFrom", "click", "31/02/2015", QDate(),
                        "\"31/02/2015\" is not a date: type it as dd/mm/yyyy"});
    row("not finished", {"rngLineTo", "click", "01/01/20", QDate(), "\"01/01/20\" is not a date"});
    row("before the first draw", {"rngLineFrom", "click", "01/01/1950", QDate(1982, 6, 12),
                                  "Dates go from 12/06/1982 to 17/06/2020: 12/06/1982 is taken"});
  }
  void typedDateFillsTheFieldItIsTypedIn() {
    QFETCH(TypedDate, row);
    const auto& [field, reach, typed, taken, hint] = row;
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

  // F4 and Alt+Down open the calendar, Down steps the day; the box is
  // spoken as a spin box named by its label.
  void keysOfADateBoxStillWork() {
    const std::tuple<QKeySequence, bool, QDate> cases[] = {
        {Qt::Key_F4, true, {2020, 6, 17}},
        {Qt::ALT | Qt::Key_Down, true, {2020, 6, 17}},
        {Qt::Key_Down, false, {2020, 6, 16}}};
    for (const auto& [keys, calendar, date] : cases) {
      Child(*w_, "rngLineWhole").setFocus();
      Press(Qt::Key_Backtab);  // on To, at the last draw
      Press(keys);
      QWidget* popup = QApplication::activePopupWidget();
      QCOMPARE(popup && popup->findChild<QCalendarWidget*>(), calendar);
      if (popup) popup->close();
      QCOMPARE(Box(*w_, "rngLineTo").date(), date);
    }
    const QAccessibleInterface* spoken =
        QAccessible::queryAccessibleInterface(&Box(*w_, "rngLineTo"));
    QCOMPARE(spoken->role(), QAccessible::SpinBox);
    QCOMPARE(spoken->text(QAccessible::Name), "To");
  }

  // The Update page proposes the day after the last draw on which the
  // lottery draws, with the grid usable; the typed date and the calendar
  // show the same day. (The next day proposed after an added draw: the
  // update page test.)
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
  }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
