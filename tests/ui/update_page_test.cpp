// New draws entered on the Update page or dropped as a result file on the
// window: confirmation, date labels, and the history written when the page is
// left or the window closes; a refused or failed write leaves the old history.
#include "model/day_number.h"
#include "support/privileges.h"
#include "ui/import_preview_dialog.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const char* const kSettings = "stake=1\r\nret3=1\r\nret4=1\r\n";
const QString kRange = "Recorded Database Entries\r\nFrom: %1\r\nTo: %2";
const std::string kNewDraws =
    "Draw Date;Ball 1;Ball 2;Ball 3;Ball 4;Ball 5;Ball 6;Bonus\r\n"
    "24.06.2020;4;8;15;16;23;42;7\r\n"
    "20.06.2020;1;2;3;4;5;6;7\r\n"
    "17.06.2020;5;10;18;29;32;48;6\r\n";

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

}  // namespace

class UpdatePageTest : public QObject {
  Q_OBJECT
 private slots:
  void drawWithBonusIsConfirmedAddedAndSavedOnPageChange() {
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
    QCOMPARE(Row(window, 0, 6), "||||||");
    QVERIFY(!Enabled(window, "cmdGetNumber3"));
    QCOMPARE(Caption(window, "lblRecorded"), kRange.arg("12 June 1982", "20 June 2020"));
    QCOMPARE(Caption(window, "lblLastUpdate"), "Last Database Entry 20 June 2020");
    QCOMPARE(rig.folder.Read("Sample.opt"), saved);  // only in memory so far
    PickDate(window, QDate(2020, 6, 21));            // a new date opens the grid again
    QVERIFY(Enabled(window, "cmdGetNumber3"));

    QVERIFY(ChooseTab(window.ChoiceTabs(), ChoiceTab::kSingleLine));
    QCOMPARE(rig.folder.Read("Sample.opt"), saved + "20/06/2020 03 11 17 25 38 44 09\r\n");
    QCOMPARE(rig.folder.Read("Sample.old"), saved);
  }

  // Without a bonus the seventh pick is ignored; a draw older than the rest
  // moves only From, the first of an empty history sets From; no question on close.
  void drawWithoutBonusIsSavedOnClose_data() {
    QTest::addColumn<bool>("empty");
    QTest::addColumn<QString>("range");
    QTest::addColumn<std::string>("ending");
    QTest::newRow("before the oldest")
        << false << kRange.arg("05 January 2000", "20 March 2001")
        << std::string("20/03/2001 20 29 39 44 45 49 \r\n05/01/2000 01 02 03 04 05 06 \r\n");
    const QString today = QString::fromStdString(FormatLongDate(DateOfDayNumber(46000)));
    QTest::newRow("into an empty history") << true << kRange.arg("05 January 2000", today)
                                           << std::string("05/01/2000 01 02 03 04 05 06 \r\n");
  }
  void drawWithoutBonusIsSavedOnClose() {
    QFETCH(bool, empty);
    QFETCH(QString, range);
    QFETCH(std::string, ending);
    WindowRig rig;
    QVERIFY(rig.StartTest(kSettings, empty ? std::vector<std::string>{} : TripleHistory()));
    QVERIFY(ChooseTab(rig.Window().ChoiceTabs(), ChoiceTab::kUpdate));
    Enter(rig.Window(), QDate(2000, 1, 5), {6, 5, 4, 3, 2, 1, 7});
    QVERIFY(rig.Last().text.find("Numbers: 01-02-03-04-05-06\r\n") != std::string::npos);
    QCOMPARE(Caption(rig.Window(), "lblRecorded"), range);
    QVERIFY(rig.Window().ChoiceTabs().IsTabSelectable(ChoiceTab::kSingleLine));
    const std::size_t asked = rig.messages.shown.size();
    rig.Window().close();
    QCOMPARE(rig.messages.shown.size(), asked);
    QVERIFY(rig.folder.Read("Test.opt").ends_with(ending));
  }

  void linesTheReadSetAsideOrStoppedAtAreReportedAndNeverLost() {
    const struct {
      const char* line;  // put before the last draw of the history
      const char* startTitle;
      bool updates;
    } cases[] = {{"17/01/2000 01 02 03 04 05 50", "Lines set aside", true},
                 {"31/02/2000 01 02 03 04 05 06", "History not read to its end", false}};
    for (const auto& c : cases) {
      WindowRig rig;
      std::vector<std::string> history = TripleHistory();
      history.insert(history.end() - 1, c.line);
      QVERIFY(rig.StartTest(kSettings, history));
      const std::string before = rig.folder.Read("Test.opt");
      QCOMPARE(rig.messages.shown.size(), 1u);
      QCOMPARE(rig.Last().title, c.startTitle);
      QVERIFY(rig.Last().text.find("line 20") != std::string::npos);
      QVERIFY(ChooseTab(rig.Window().ChoiceTabs(), ChoiceTab::kUpdate));
      Enter(rig.Window(), QDate(2002, 2, 2), {10, 20, 30, 40, 41, 42});
      if (!c.updates) {
        QCOMPARE(rig.Last().title, "History not saved");
        QVERIFY(rig.Last().text.find("line 20: \"31/02/2000\" is not a date") != std::string::npos);
      }
      rig.Window().close();
      const std::string saved = rig.folder.Read("Test.opt");
      if (c.updates) {
        QVERIFY(saved.find("\r\n" + std::string(c.line) + "\r\n") != std::string::npos);
        QVERIFY(saved.ends_with("\r\n02/02/2002 10 20 30 40 41 42 \r\n"));
      } else {
        QCOMPARE(saved, before);
      }
    }
  }

  void failedSaveOnCloseIsReportedAndKeepsTheOldHistory() {
    WindowRig rig;
    QVERIFY(rig.StartTest(kSettings));
    const std::string before = rig.folder.Read("Test.opt");
    rig.session.AppendDraw("05/01/2002 01 02 03 04 05 06 ");
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
      rig.Window().close();
    }
    QVERIFY(rig.Window().IsUnloaded());
    QCOMPARE(rig.Last().title, "Error saving file");
    QVERIFY(!barWithTheBox);  // the save bar is gone once the error shows
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
      Click(preview, "cmdImport");
    });
    QCOMPARE(rig.folder.Read("Sample.opt"),
             saved + "20/06/2020 01 02 03 04 05 06 07\r\n24/06/2020 04 08 15 16 23 42 07\r\n");
    QCOMPARE(rig.folder.Read("Sample.old"), saved);
    QCOMPARE(Caption(rig.Window(), "lblLastUpdate"), "Last Database Entry 24 June 2020");
    CheckLine(rig.Window(), {4, 8, 15, 16, 23, 42});
    QCOMPARE(Caption(rig.Window(), "lblHitSix0"), "1");
  }
};

QTEST_MAIN(UpdatePageTest)
#include "update_page_test.moc"
