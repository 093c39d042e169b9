// A result file dropped on the main window reaches the import preview; the
// imported draws count on every page at once, and a cancelled or refused
// import leaves every file as it was.
#include <QApplication>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "ui/import_preview_dialog.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const std::string kNewDraws =
    "Draw Date;Ball 1;Ball 2;Ball 3;Ball 4;Ball 5;Ball 6;Bonus\r\n"
    "24.06.2020;4;8;15;16;23;42;7\r\n"
    "20.06.2020;1;2;3;4;5;6;7\r\n"
    "17.06.2020;5;10;18;29;32;48;6\r\n";

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

class ImportPreviewTest : public QObject {
  Q_OBJECT
 private slots:
  void droppedFileIsPreviewedImportedAndCountedAtOnce() {
    WindowRig rig;
    PlaceDemoLottery(rig.folder);
    QVERIFY(rig.Start());
    rig.folder.Write("new.csv", kNewDraws);
    const std::string saved = rig.folder.Read("Sample.opt");
    Drop(rig.Window(), rig.folder / "new.csv", [](ui::ImportPreviewDialog& preview) {
      QCOMPARE(Caption(preview, "lblCounts"),
               "read 3 rows: 2 new draws, 1 already there, 0 problems");
      QCOMPARE(Child<QListWidget>(preview, "lstRows").item(1)->text(),
               "24/06/2020 04 08 15 16 23 42 07");
      Click(preview, "cmdImport");
    });
    QCOMPARE(rig.folder.Read("Sample.opt"), saved +
                                                "20/06/2020 01 02 03 04 05 06 07\r\n"
                                                "24/06/2020 04 08 15 16 23 42 07\r\n");
    QCOMPARE(rig.folder.Read("Sample.old"), saved);
    QCOMPARE(Caption(rig.Window(), "lblLastUpdate"), "Last Database Entry 24 June 2020");
    PickNumbers(rig.Window(), {4, 8, 15, 16, 23, 42});
    Click(rig.Window(), "cmdCheckUpdate");
    QCOMPARE(Caption(rig.Window(), "lblHitSix0"), "1");
  }

  void rowsWithProblemsNeedTheCheckBoxAndCancelWritesNothing() {
    WindowRig rig;
    PlaceDemoLottery(rig.folder);
    QVERIFY(rig.Start());
    rig.folder.Write("bad.csv", kNewDraws + "27.06.2020;1;2;3;4;5;50;7\r\n");
    const std::string saved = rig.folder.Read("Sample.opt");
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
  }
};

QTEST_MAIN(ImportPreviewTest)
#include "import_preview_test.moc"
