// SPDX-License-Identifier: GPL-3.0-or-later
// New draws entered on the Update page or dropped as a result file on the
// window: confirmation, date labels, and the history written when the page is
// left or the window closes; a refused or failed write leaves the old history.
// The import preview: the date order picked from the two readings of the
// first rows, a column's role picked by clicking its heading, and Enter
// pressing Import.
#include <QHeaderView>
#include <QMenu>

#include "model/day_number.h"
#include "support/privileges.h"
#include "ui/import_preview_dialog.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const char* const kSettings = "stake=1\r\nret3=1\r\nret4=1\r\n";
const std::string kNewDraws =
    "Draw Date;Ball 1;Ball 2;Ball 3;Ball 4;Ball 5;Ball 6;Bonus\r\n"
    "24.06.2020;4;8;15;16;23;42;7\r\n"
    "20.06.2020;1;2;3;4;5;6;7\r\n"
    "17.06.2020;5;10;18;29;32;48;6\r\n";

// A draw typed on the Update page, and what comes of it: `put` before the
// last draw ("empty": no history), `answers` y or n to each question, `said`
// in one of the messages, `range` shown ("": not checked), `ending` of the
// saved history ("": unchanged).
struct TypedDraw {
  QString put;
  QDate date;
  QList<int> numbers;
  QString answers, titles, said, range = "", ending = "";
};

void Enter(ui::MainWindow& window, const QDate& date, const std::vector<int>& numbers) {
  PickDate(window, date);
  CheckLine(window, numbers);
}

// Drops the file on the window and hands the preview to `answer` (which
// closes it).
void Drop(ui::MainWindow& window, const std::filesystem::path& file,
          const std::function<void(ui::ImportPreviewDialog&)>& answer) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  QVERIFY(enter.isAccepted());
  bool shown = false;
  QTimer::singleShot(0, [&] {
    auto* preview = qobject_cast<ui::ImportPreviewDialog*>(QApplication::activeModalWidget());
    shown = preview != nullptr;
    if (preview) answer(*preview);
  });
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  QVERIFY(shown);
}

// Picks `role` for column `column` (counted from 0) as the user does: a click
// on the heading, then the role in the menu that opens.
void PickRole(ui::ImportPreviewDialog& preview, int column, const QString& role) {
  auto& table = Child<QTableWidget>(preview, "tblFirstRows");
  emit table.horizontalHeader()->sectionClicked(column);
  auto& menu = Child<QMenu>(preview, "mnuColumnRole");
  menu.setObjectName("");  // the next click opens a menu of its own
  for (QAction* action : menu.actions()) {
    if (action->text() == role) action->trigger();
  }
  menu.close();
}

QString Heading(ui::ImportPreviewDialog& preview, int column) {
  return Child<QTableWidget>(preview, "tblFirstRows").horizontalHeaderItem(column)->text();
}

}  // namespace

Q_DECLARE_METATYPE(TypedDraw)

class UpdatePageTest : public QObject {
  Q_OBJECT
 private slots:
  void drawWithBonusIsConfirmedAddedAndSavedAtOnce() {
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    ui::MainWindow& window = rig.Window();
    const std::string saved = rig.folder.Read("Sample.opt");
    QVERIFY(ChooseTab(window.ChoiceTabs(), ChoiceTab::kUpdate));
    rig.messages.answers = {MessageAnswer::No};
    Enter(window, QDate(2020, 6, 20), {38, 3, 17, 44, 11, 25, 9});
    QCOMPARE(rig.Last().text,
             "Lottery Update Details\r\n\r\nDate: 20 June 2020\r\nNumbers: 03-11-17-25-38-44 | "
             "09\r\n\r\nProceed with update?");
    QCOMPARE(rig.Last().defaultButton, MessageAnswer::No);
    QCOMPARE(Row(window, 0, 6), "9|3|11|17|25|38|44");

    Click(window, "cmdCheckUpdate");  // Yes
    QCOMPARE(window.statusBar()->currentMessage(), "Draw added to the history");
    QCOMPARE(Row(window, 0, 6), "||||||");
    QVERIFY(Enabled(window, "cmdGetNumber3"));  // for the next draw day, proposed
    QCOMPARE(Caption(window, "lblRecorded"), kRecorded.arg("12 June 1982", "20 June 2020"));
    QCOMPARE(Caption(window, "lblLastUpdate"), "Last Database Entry 20 June 2020");
    QCOMPARE(rig.folder.Read("Sample.opt"), saved + "20/06/2020 03 11 17 25 38 44 09\r\n");
    QCOMPARE(Child<QDateEdit>(window, "DrawDate").date(), QDate(2020, 6, 24));
    QVERIFY(ChooseTab(window.ChoiceTabs(), ChoiceTab::kSingleLine));  // leaving writes no more
    QCOMPARE(rig.folder.Read("Sample.opt"), saved + "20/06/2020 03 11 17 25 38 44 09\r\n");
    QCOMPARE(rig.folder.Read("Sample.old"), saved);
  }

  // Without a bonus the seventh pick is ignored; a draw older than the rest
  // goes first and moves only From, the first of an empty history sets From.
  // Lines the read set aside are kept; a history not read to its end is never
  // overwritten. The same draw is refused, a second draw of a day is let in
  // only on the user's word (the question defaults to No), an earlier one
  // goes at its place in date order after the usual confirmation, which says
  // so. Saved at once, so no question on close.
  void typedDrawsKeepTheDateOrderAndAreSavedAtOnce_data() {
    QTest::addColumn<TypedDraw>("row");
    const QString older = kRecorded.arg("05 January 2000", "20 March 2001");
    const QString numbers = "Numbers: 01-02-03-04-05-06\r\n", twice = "twice that day";
    const QDate first(2000, 1, 5), taken(2001, 3, 1);
    const QList<int> seven{6, 5, 4, 3, 2, 1, 7}, six{1, 2, 3, 4, 5, 6};
    const auto row = [](const char* name, const TypedDraw& typed) { QTest::newRow(name) << typed; };
    row("older first", {"", first, seven, "", "Confirm Update", numbers, older,
                        "05/01/2000 01 02 03 04 05 06 \r\n01/03/2001 01 02 03 10 30 40 \r\n"});
    row("empty history",
        {"empty", first, seven, "", "Error loading file|Confirm Update", numbers,
         kRecorded.arg("05 January 2000", "05 January 2000"), "05/01/2000 01 02 03 04 05 06 \r\n"});
    row("line set aside kept",
        {"17/01/2000 01 02 03 04 05 50", first, seven, "", "Lines set aside|Confirm Update",
         "line 20", older, "17/01/2000 01 02 03 04 05 50\r\n20/03/2001 20 29 39 44 45 49 \r\n"});
    row("history not read to its end",
        {"31/02/2000 01 02 03 04 05 06", first, seven, "",
         "History not read to its end|History not saved", "line 20: \"31/02/2000\" is not a date"});
    row("same draw", {"", taken, {1, 2, 3, 10, 30, 40}, "", "Draw not added", "already"});
    row("second of a day refused", {"", taken, six, "n", "Second draw of a day", twice});
    row("second of a day let in",
        {"", taken, six, "yy", "Second draw of a day|Confirm Update", twice, "",
         "01/03/2001 01 02 03 10 30 40 \r\n01/03/2001 01 02 03 04 05 06 \r\n02/03/2001"});
    row("earlier",
        {"", QDate(2001, 2, 28), six, "y", "Confirm Update", "in its place in date order", "",
         "28/02/2001 01 02 03 04 05 06 \r\n01/03/2001"});
  }
  void typedDrawsKeepTheDateOrderAndAreSavedAtOnce() {
    QFETCH(TypedDraw, row);
    const auto& [put, date, numbers, answers, titles, said, range, ending] = row;
    WindowRig rig;
    std::vector<std::string> history = TripleHistory();
    if (put == "empty")
      history.clear();
    else if (!put.isEmpty())
      history.insert(history.end() - 1, put.toStdString());
    QVERIFY(rig.StartTest(kSettings, history));
    const std::string before = rig.folder.Read("Test.opt");
    QVERIFY(ChooseTab(rig.Window().ChoiceTabs(), ChoiceTab::kUpdate));
    for (QChar answer : answers)
      rig.messages.answers.push_back(answer == 'y' ? MessageAnswer::Yes : MessageAnswer::No);
    Enter(rig.Window(), date, {numbers.begin(), numbers.end()});
    QCOMPARE(rig.Titles(), titles);
    const std::size_t asked = rig.messages.shown.size();
    QVERIFY(std::ranges::any_of(rig.messages.shown, [&](const Message& message) {
      return QString::fromStdString(message.text).contains(said);
    }));
    if (!range.isEmpty()) QCOMPARE(Caption(rig.Window(), "lblRecorded"), range);
    QVERIFY(rig.Window().ChoiceTabs().IsTabSelectable(ChoiceTab::kSingleLine));
    rig.Window().close();
    QCOMPARE(rig.messages.shown.size(), asked);
    const std::string saved = rig.folder.Read("Test.opt");
    QVERIFY(ending.isEmpty() ? saved == before
                             : saved.find(ending.toStdString()) != std::string::npos);
  }

  void failedSaveIsReportedAndKeepsTheOldHistory() {
    WindowRig rig;
    QVERIFY(rig.StartTest(kSettings));
    const std::string before = rig.folder.Read("Test.opt");
    const DrawList draws = rig.session.State().draws;
    bool barWithTheBox = true;
    rig.messages.whileBoxOpen = [&] {
      barWithTheBox = !rig.Window()
                           .centralWidget()
                           ->findChild<QWidget*>("ProgressBar", Qt::FindDirectChildrenOnly)
                           ->isHidden();
    };
    {
      test::AsUnprivilegedUser nobody;  // the folder cannot be written
      if (!nobody.Switched()) QSKIP("dropping privileges needs root");
      rig.session.AddDraw("05/01/2002 01 02 03 04 05 06 ", rig.Window().SaveProgressBar());
    }
    QCOMPARE(rig.Last().title, "Error saving file");
    QVERIFY(rig.session.State().draws == draws);  // nothing held in memory alone
    QVERIFY(!barWithTheBox);                      // the save bar is gone once the error shows
    QCOMPARE(rig.folder.Read("Test.opt"), before);
  }

  // A file with a bad row needs the check box; Cancel writes nothing. The
  // good rows, imported, count on every page at once.
  void droppedFileIsPreviewedAndImportedOnlyWhenConfirmed() {
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    const std::string saved = rig.folder.Read("Sample.opt");
    rig.folder.Write("bad.csv", kNewDraws + "27.06.2020;1;2;3;4;5;50;7\r\n");
    Drop(rig.Window(), rig.folder / "bad.csv", [](ui::ImportPreviewDialog& preview) {
      QCOMPARE(Child<QListWidget>(preview, "lstProblems").item(0)->text(),
               "line 5: main number \"50\" is not a number from 1 to 49");
      QVERIFY(!Enabled(preview, "cmdImport"));
      Click(preview, "chkSkipBad");
      QVERIFY(Enabled(preview, "cmdImport"));
      Click(preview, "cmdCancel");
    });
    QCOMPARE(rig.folder.Read("Sample.opt"), saved);
    QVERIFY(!rig.folder.Exists("Sample.old"));

    rig.folder.Write("new.csv", kNewDraws);
    Drop(rig.Window(), rig.folder / "new.csv", [](ui::ImportPreviewDialog& preview) {
      QCOMPARE(Caption(preview, "lblCounts"),
               "read 3 rows: 2 new draws, 1 already there, 0 problems");
      QCOMPARE(Child<QListWidget>(preview, "lstRows").item(1)->text(),
               "24/06/2020 04 08 15 16 23 42 07");
      QTest::keyClick(&preview, Qt::Key_Return);  // Enter imports
    });
    QCOMPARE(rig.folder.Read("Sample.opt"),
             saved + "20/06/2020 01 02 03 04 05 06 07\r\n24/06/2020 04 08 15 16 23 42 07\r\n");
    QCOMPARE(rig.folder.Read("Sample.old"), saved);
    QCOMPARE(rig.Window().statusBar()->currentMessage(), "2 draws imported");
    QCOMPARE(Caption(rig.Window(), "lblLastUpdate"), "Last Database Entry 24 June 2020");
    CheckLine(rig.Window(), {4, 8, 15, 16, 23, 42});
    QCOMPARE(Caption(rig.Window(), "lblHitSix0"), "1");
  }

  // The date order picked from the two readings, Enter importing; a
  // column's role picked by clicking its heading.
  void previewSettlesDateOrderAndColumnRolesByHand() {
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    const std::string saved = rig.folder.Read("Sample.opt");
    rig.folder.Write("either.csv", "3/2/2024,4,13,26,34,35,42,1\r\n");
    rig.folder.Write("prize.csv", "2024-02-03,4,13,26,34,35,42,77,1\r\n");
    ui::ImportPreviewDialog preview(rig.session, rig.help, rig.folder / "either.csv", false,
                                    nullptr),
        prize(rig.session, rig.help, rig.folder / "prize.csv", false, nullptr);
    QCOMPARE(Caption(preview, "lblDateQuestion"),
             "The dates do not say whether the day or the month comes first: choose the right "
             "reading under Date order.");
    QVERIFY(!Enabled(preview, "cmdImport"));
    Click(preview, "cmdHelpImport");  // its own topic, as on every dialog
    QCOMPARE(rig.help.topics, std::vector<int>{ui::help_topic::kImportingDraws});
    auto& order = Child<QComboBox>(preview, "cboDateOrder");
    QCOMPARE(order.itemText(1), "day first: 3/2 is 03 February 2024");
    QCOMPARE(order.itemText(2), "month first: 3/2 is 02 March 2024");
    order.setCurrentIndex(2);
    QCOMPARE(Caption(preview, "lblDateQuestion"), "");
    QCOMPARE(Child<QListWidget>(preview, "lstRows").item(0)->text(),
             "02/03/2024 04 13 26 34 35 42 01");
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QTest::keyClick(&preview, Qt::Key_Return);
    QCOMPARE(preview.result(), int(QDialog::Accepted));
    QCOMPARE(rig.folder.Read("Sample.opt"), saved + "02/03/2024 04 13 26 34 35 42 01\r\n");
    QVERIFY(rig.folder.Read("Sample.ini").ends_with("dateorder=mdy\r\n"));

    QCOMPARE(Heading(prize, 7), "8 bonus");
    QCOMPARE(Caption(prize, "lblShape"),
             "The file cannot be imported: column 9 holds a further drawn number: this lottery "
             "draws six numbers and at most a bonus.");
    PickRole(prize, 8, "bonus");
    QCOMPARE(Heading(prize, 7), "8 other");
    QCOMPARE(Heading(prize, 8), "9 bonus");
    QCOMPARE(Child<QLineEdit>(prize, "txtColumns").text(), "date=1,main=2-7,bonus=9");
    QCOMPARE(Child<QListWidget>(prize, "lstProblems").count(), 0);
    QCOMPARE(Child<QListWidget>(prize, "lstRows").item(0)->text(),
             "03/02/2024 04 13 26 34 35 42 01");
    QVERIFY(Enabled(prize, "cmdImport"));
    PickRole(prize, 1, "other");
    QCOMPARE(Caption(prize, "lblColumnsError"), "Pick six main columns: 5 are picked.");
    QCOMPARE(Heading(prize, 1), "2 other");
  }
};

QTEST_MAIN(UpdatePageTest)
#include "update_page_test.moc"
