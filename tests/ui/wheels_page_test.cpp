// SPDX-License-Identifier: GPL-3.0-or-later
// The Wheels page by keyboard and mouse: numbers picked on the grid or typed,
// the two in step; a wheel built off the GUI thread, proved and shown with
// its size against the fewest possible, added to My Lines, played over a
// chosen range; a wheel from a file proved or refused with the reason.
#include <QPlainTextEdit>
#include <QSpinBox>

#include "ui/main_window.h"
#include "ui/ui_test_support.h"
#include "ui/wheels_page.h"

using namespace bw;
using namespace bw::uitest;

namespace {

void Press(const QKeySequence& keys) {
  QTest::keySequence(QApplication::focusWidget(), keys);
}

void TabTo(const QString& name) {
  for (int step = 0; step < 20 && QApplication::focusWidget()->objectName() != name; ++step)
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget()->objectName(), name);
}

void TypeOver(const QString& text) {
  Press(QKeySequence::SelectAll);
  QTest::keyClicks(QApplication::focusWidget(), text);
}

QString NumberButton(int number) {
  return QStringLiteral("cmdWheelNumber%1").arg(number);
}

// The numbers the grid shows picked, as a screen reader tells them.
QString PickedOnGrid(const QWidget& root) {
  QStringList picked;
  for (int n = 1; n <= 49; ++n)
    if (Spoken(root, NumberButton(n)).endsWith(", picked")) picked << QString::number(n);
  return picked.join(' ');
}

}  // namespace

class WheelsPageTest : public DemoWindowTest {
  Q_OBJECT

  ui::WheelsPage& Page() { return Child<ui::WheelsPage>(*w_, "tabWheels"); }
  void WaitForWheel() { QTRY_VERIFY_WITH_TIMEOUT(!Page().Running(), 60000); }
  // Types the numbers and the guarantee into the page, as a user tabs through it.
  void Choose(const QString& numbers, int t, int m) {
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kWheels));
    QTest::mouseClick(&Child(*w_, "txtWheelNumbers"), Qt::LeftButton);
    TypeOver(numbers);
    TabTo("spnWheelT");
    TypeOver(QString::number(t));
    TabTo("spnWheelM");
    TypeOver(QString::number(m));
  }

 private slots:
  // Clicks and keys on the grid write the field, ascending; typing picks on
  // the grid; up to all 49 numbers.
  void gridAndFieldFollowEachOther_data() {
    QTest::addColumn<QString>("script");  // as RunScript reads it
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("focus");  // where the keyboard ends, or empty
    const auto row = [](const char* name, const QString& script, const QString& field,
                        const QString& picked, const QString& focus = {}) {
      QTest::newRow(name) << script << field << picked << focus;
    };
    row("clicks", "@cmdWheelNumber12@cmdWheelNumber3@cmdWheelNumber7", "3 7 12", "3 7 12");
    row("a second click unpicks", "@cmdWheelNumber3@cmdWheelNumber7@cmdWheelNumber3", "7", "7");
    row("keys", "@txtWheelNumbers<Ctrl+A>5<Tab><Right><Right><Down><Space>", "5 10", "5 10",
        "cmdWheelNumber10");
    row("the edge keeps the focus", "@txtWheelNumbers<Tab><Left><Up><Space><Space><Space>", "1",
        "1", "cmdWheelNumber1");
    const QString to44 = "@txtWheelNumbers<Tab><Down><Down><Down><Down><Down><Down><Right>";
    row("Tab leaves the grid from any number", to44 + "<Tab>", "", "", "cmdWheelClearPicks");
    row("Shift+Tab comes back to the number used", to44 + "<Tab><Shift+Tab>", "", "",
        "cmdWheelNumber44");
    row("typed", "@txtWheelNumbers<Ctrl+A>7, 49-1;50 7", "7, 49-1;50 7", "1 7 49");
    row("typed, then clicked", "@txtWheelNumbers<Ctrl+A>9 2@cmdWheelNumber1", "1 2 9", "1 2 9");
    row("cleared", "@cmdWheelNumber4@cmdWheelNumber9@cmdWheelClearPicks", "", "");
    QString all, every;
    for (int n = 1; n <= 49; ++n) {
      all += "@" + NumberButton(50 - n);
      every += QString::number(n) + (n < 49 ? " " : "");
    }
    row("all 49", all, every, every);
  }
  void gridAndFieldFollowEachOther() {
    QFETCH(QString, script);
    QFETCH(QString, field);
    QFETCH(QString, picked);
    QFETCH(QString, focus);
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kWheels));
    RunScript(*w_, script, nullptr);
    QCOMPARE(Child<QLineEdit>(*w_, "txtWheelNumbers").text(), field);
    QCOMPARE(PickedOnGrid(*w_), picked);
    const auto count = picked.isEmpty() ? 0 : picked.count(' ') + 1;
    QCOMPARE(Caption(*w_, "lblWheelPicked"),
             count == 1 ? "1 number picked" : QStringLiteral("%1 numbers picked").arg(count));
    if (!focus.isEmpty()) QCOMPARE(QApplication::focusWidget()->objectName(), focus);
  }

  // The wheel's ticket goes over the range chosen; its picture names it.
  void rangeChoosesTheDrawsOfTheTicket_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("draws");
    QTest::newRow("whole") << ""
                           << "" << 3799;
    QTest::newRow("from 2015") << "01/01/2015"
                               << "" << 570;
    QTest::newRow("until 1999") << ""
                                << "31/12/1999" << 1663;
    QTest::newRow("one draw") << "17/06/2020"
                              << "17/06/2020" << 1;
  }
  void rangeChoosesTheDrawsOfTheTicket() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, draws);
    QVERIFY(ChooseTab(w_->MainTabs(), ui::kWheels));
    for (int n = 1; n <= 12; ++n) Click(*w_, NumberButton(n));
    Child<QSpinBox>(*w_, "spnWheelM").setValue(3);
    Click(*w_, "cmdWheelGenerate");
    WaitForWheel();
    const QString whole = Caption(*w_, "lblWheelTicket");
    if (!to.isEmpty()) TypeDate(*w_, "rngWheelTo", to);
    if (!from.isEmpty()) TypeDate(*w_, "rngWheelFrom", from);
    // 15 lines at a stake of 1 on each draw of the range.
    const QString ticket = Caption(*w_, "lblWheelTicket");
    QVERIFY2(ticket.startsWith(
                 QStringLiteral("Over %1 draws: staked %2, returned ").arg(draws).arg(15 * draws)),
             qPrintable(ticket));
    const QString proposed = AnswerFileDialog([this] { Click(*w_, "WheelChartSave"); });
    const QString dates =
        (from.isEmpty() ? "12/06/1982" : from) + " to " + (to.isEmpty() ? "17/06/2020" : to);
    QCOMPARE(proposed, "WheelChart Sample " + QString(dates).replace('/', '-') + ".png");
    Click(*w_, "rngWheelWhole");
    QCOMPARE(Caption(*w_, "lblWheelTicket"), whole);
  }

  void buildsProvesAndAddsAWheelByKeyboardAndMouse() {
    Choose("1 2 3 4 5 6 7 8 9 10 11 12", 3, 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // Generate is the default
    WaitForWheel();
    auto& lines = Child<QTableWidget>(*w_, "tblWheelLines");
    QCOMPARE(lines.rowCount(), 15);
    QVERIFY2(Caption(*w_, "lblWheelSize").startsWith("15 lines; no wheel can have fewer than 15."),
             qPrintable(Caption(*w_, "lblWheelSize")));
    // The worst best hit when 3, 4, 5, 6 drawn numbers are among the twelve.
    QCOMPARE(Column(Child<QTableWidget>(*w_, "tblWheelGuarantee"), 1), QList<double>({3, 3, 3, 4}));
    QVERIFY(Caption(*w_, "lblWheelChances").contains("at least 6: 0.00011%"));
    QVERIFY(Caption(*w_, "lblWheelTicket").startsWith("Over 3799 draws: staked"));
    QVERIFY(TakePicture(*w_, "wheels.png"));
    Click(*w_, "cmdPrintWheel");
    QCOMPARE(rig_->printJobs.back().what, "wheel");
    QVERIFY(rig_->printJobs.back().text.find("15 lines; no wheel can have fewer than 15") !=
            std::string::npos);

    // Two rows picked with the mouse: only they go to My Lines.
    lines.scrollToItem(lines.item(0, 1));
    QTest::mouseClick(lines.viewport(), Qt::LeftButton, {},
                      lines.visualItemRect(lines.item(0, 1)).center());
    QTest::mouseClick(lines.viewport(), Qt::LeftButton, Qt::ControlModifier,
                      lines.visualItemRect(lines.item(1, 1)).center());
    Click(*w_, "cmdWheelToMyLines");
    const std::string saved = rig_->folder.Read("Sample.lines");
    QCOMPARE(std::count(saved.begin(), saved.end(), '\n'), 2);
    QCOMPARE(w_->statusBar()->currentMessage(), "Added 2 lines to My Lines");
  }

  void checksAWheelFromAFile_data() {
    QTest::addColumn<QString>("wheel");
    QTest::addColumn<QString>("told");  // in the check note, or in a message when it starts "!"
    QTest::newRow("fails") << "01-02-03-04-05-06\n"
                           << "The wheel fails 3 if 6: no line holds 3 of 1 2 7 8 9 10.";
    QTest::newRow("holds") << "01 02 03 04 05 06\n01 02 03 07 08 09\n04 05 06 10 11 12\n"
                              "07 08 09 10 11 12\n01 02 03 10 11 12\n04 05 06 07 08 09\n"
                           << "";
    QTest::newRow("not chosen") << "01 02 03 04 05 06\n01 02 03 04 05 13\n"
                                << "!wheel.txt\" line 2: the number 13 is not among the chosen";
    QTest::newRow("five numbers") << "01 02 03 04 05\n"
                                  << "!wheel.txt\" line 1: a line needs six different numbers";
  }
  void checksAWheelFromAFile() {
    QFETCH(QString, wheel);
    QFETCH(QString, told);
    rig_->folder.Write("wheel.txt", wheel.toStdString());
    Choose("1 2 3 4 5 6 7 8 9 10 11 12", 3, 6);
    const std::size_t messages = rig_->messages.shown.size();
    const QString path = QString::fromStdString((rig_->folder.Path() / "wheel.txt").string());
    QVERIFY(AnswerFileDialog([this] { Click(*w_, "cmdWheelLoad"); }, path) != kNoFileDialog);
    WaitForWheel();
    if (told.startsWith('!')) {
      QCOMPARE(rig_->messages.shown.size(), messages + 1);
      QVERIFY2(QString::fromStdString(rig_->Last().text).contains(told.mid(1)),
               rig_->Last().text.c_str());
    } else if (!told.isEmpty()) {
      QCOMPARE(Caption(*w_, "lblWheelCheck"), told);
      QCOMPARE(Child<QTableWidget>(*w_, "tblWheelLines").rowCount(), 0);  // never shown unproved
    } else {
      QVERIFY(Caption(*w_, "lblWheelCheck").startsWith("The wheel holds 3 if 6"));
      QCOMPARE(Child<QTableWidget>(*w_, "tblWheelLines").rowCount(), 6);
    }
  }

  // Stop ends the search at once and keeps a proved wheel.
  void stopKeepsTheBestProvedWheel() {
    Choose(QString("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20"), 3, 3);
    Click(*w_, "cmdWheelGenerate");
    QVERIFY(Page().Running());
    QVERIFY(Enabled(*w_, "cmdWheelStop"));
    Click(*w_, "cmdWheelStop");
    WaitForWheel();
    QVERIFY(Child<QTableWidget>(*w_, "tblWheelLines").rowCount() > 0);
    QVERIFY(Caption(*w_, "lblWheelSize").contains("proved over 1140 sets"));
  }
};

QTEST_MAIN(WheelsPageTest)
#include "wheels_page_test.moc"
