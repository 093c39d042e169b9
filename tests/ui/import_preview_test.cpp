// The import preview: the date order picked from the two readings of the
// first rows, a column's role picked by clicking its heading, and Enter
// pressing Import.
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>

#include "ui/import_preview_dialog.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

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

class ImportPreviewTest : public QObject {
  Q_OBJECT
 private slots:
  void dateOrderIsPickedFromTheTwoReadingsAndEnterImports() {
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    const std::string saved = rig.folder.Read("Sample.opt");
    rig.folder.Write("either.csv", "3/2/2024,4,13,26,34,35,42,1\r\n");
    ui::ImportPreviewDialog preview(rig.session, rig.folder / "either.csv", false, nullptr);
    QCOMPARE(Caption(preview, "lblDateQuestion"),
             "The dates do not say whether the day or the month comes first: choose the right "
             "reading under Date order.");
    QVERIFY(!Enabled(preview, "cmdImport"));
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
  }

  void aColumnsRoleIsPickedByClickingItsHeading() {
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    rig.folder.Write("prize.csv", "2024-02-03,4,13,26,34,35,42,77,1\r\n");
    ui::ImportPreviewDialog preview(rig.session, rig.folder / "prize.csv", false, nullptr);
    QCOMPARE(Heading(preview, 7), "8 bonus");
    QCOMPARE(Caption(preview, "lblShape"),
             "The file cannot be imported: column 9 holds a further drawn number: this lottery "
             "draws six numbers and at most a bonus.");

    PickRole(preview, 8, "bonus");
    QCOMPARE(Heading(preview, 7), "8 other");
    QCOMPARE(Heading(preview, 8), "9 bonus");
    QCOMPARE(Child<QLineEdit>(preview, "txtColumns").text(), "date=1,main=2-7,bonus=9");
    QCOMPARE(Child<QListWidget>(preview, "lstProblems").count(), 0);
    QCOMPARE(Child<QListWidget>(preview, "lstRows").item(0)->text(),
             "03/02/2024 04 13 26 34 35 42 01");
    QVERIFY(Enabled(preview, "cmdImport"));

    PickRole(preview, 1, "other");
    QCOMPARE(Caption(preview, "lblColumnsError"), "Pick six main columns: 5 are picked.");
    QCOMPARE(Heading(preview, 1), "2 other");
  }
};

QTEST_MAIN(ImportPreviewTest)
#include "import_preview_test.moc"
