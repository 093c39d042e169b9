// SPDX-License-Identifier: GPL-3.0-or-later
// The window among the desktop's others: the About box, and one window for
// each lottery folder: a second start of the real program brings the window
// to the front and opens its results file there; a window that cannot be
// reached is named, a socket left by a killed window is replaced.
#include <QLocalSocket>
#include <QProcess>
#include <QtConcurrent>

#include "platform/folder_lock.h"
#include "ui/import_preview_dialog.h"
#include "ui/single_window.h"
#include "ui/start_up.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const std::string kNewDraws =
    "Draw Date;Ball 1;Ball 2;Ball 3;Ball 4;Ball 5;Ball 6;Bonus\r\n"
    "24.06.2020;4;8;15;16;23;42;7\r\n"
    "20.06.2020;1;2;3;4;5;6;7\r\n";

QString Text(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

// What the import preview showed when it came up (then cancelled), "" when
// none came up.
class PreviewWatch : public QObject {
 public:
  PreviewWatch() {
    connect(&poll_, &QTimer::timeout, this, [this] {
      auto* preview = qobject_cast<ui::ImportPreviewDialog*>(QApplication::activeModalWidget());
      // The system activates a window a moment after it shows.
      if (!preview || (!preview->isActiveWindow() && ++waited_ < 100)) return;
      shown = Caption(*preview, "lblShape") + "|" + Caption(*preview, "lblCounts");
      inFront = preview->isActiveWindow();
      Click(*preview, "cmdCancel");
    });
    poll_.start(20);
  }
  QString shown;
  bool inFront = false;

 private:
  QTimer poll_;
  int waited_ = 0;
};

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT
 private slots:
  void aboutTellsTheVersionAndLicenceAndClosesWithEscape() {
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    QVERIFY(rig.Show());
    QString text;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      poll.stop();
      text = box->windowTitle() + "|" + box->text();
      QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Escape);
    });
    poll.start(20);
    Trigger(rig.Window(), "mnuAbout");
    QVERIFY2(text.startsWith(
                 QString("About Ballwright|<h3>Ballwright %1</h3>").arg(ui::ProgramVersion())),
             qPrintable(text));
    QVERIFY(text.contains("GNU General Public License, version 3 or later"));
    QVERIFY(text.contains("no warranty"));
    QVERIFY(!QApplication::activeModalWidget());
  }

  // The real program started again on the folder, from another window and
  // folder: a file named relative to where it was started.
  void aSecondStartBringsTheWindowForwardWithItsFile_data() {
    QTest::addColumn<QString>("file");   // "" for none
    QTest::addColumn<QString>("shown");  // a part of what the preview shows
    QTest::newRow("no file") << ""
                             << "";
    QTest::newRow("results file") << "new.csv"
                                  << "read 2 rows: 2 new draws, 0 already there, 0 problems";
    QTest::newRow("missing file") << "gone.csv"
                                  << "cannot read %1";
  }
  void aSecondStartBringsTheWindowForwardWithItsFile() {
    QFETCH(QString, file);
    QFETCH(QString, shown);
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    rig.folder.Write("new.csv", kNewDraws);
    FolderLock lock(rig.folder.Path());
    QVERIFY(lock.MarkWindowOpen());
    ui::SingleWindow single(rig.folder.Path());
    QCOMPARE(single.Listen(), "");
    ui::ServeWindow(single, rig.Window());
    QVERIFY(rig.Show());
    rig.Window().showMinimized();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    const std::string before = rig.folder.Read("Sample.opt");

    PreviewWatch watch;
    QProcess second;
    test::TestFolder elsewhere;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(environment);
    second.setWorkingDirectory(Text(file.isEmpty() ? elsewhere.Path() : rig.folder.Path()));
    QStringList arguments = {"--folder", Text(rig.folder.Path())};
    if (!file.isEmpty()) arguments << file;
    second.start(BALLWRIGHT_WINDOW_PROGRAM, arguments);
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 30000);
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY(!rig.Window().isMinimized());
    if (file.isEmpty()) QTRY_VERIFY(rig.Window().isActiveWindow());
    if (!file.isEmpty()) {
      QTRY_VERIFY(!watch.shown.isEmpty());
      QVERIFY(watch.inFront);
      const QString expected =
          shown.contains("%1") ? shown.arg(Text(rig.folder / file.toStdString())) : shown;
      QVERIFY2(watch.shown.contains(expected), qPrintable(watch.shown));
    }
    QCOMPARE(watch.shown.isEmpty(), file.isEmpty());
    QCOMPARE(rig.folder.Read("Sample.opt"), before);  // cancelled
  }

  // A file handed over while the window asks something is not opened over
  // that dialog; the message names it.
  void aFileHandedOverWhileADialogIsOpenIsRefusedWithItsName() {
    WindowRig rig;
    QVERIFY(rig.StartDemo());
    QVERIFY(rig.Show());
    QDialog dialog(&rig.Window());
    bool wasOpen = false;
    QTimer::singleShot(100, [&] {
      wasOpen = QApplication::activeModalWidget() == &dialog;
      rig.Window().OpenResultFile(rig.folder / "new.csv");
      dialog.reject();
    });
    dialog.exec();
    QVERIFY(wasOpen);
    QCOMPARE(rig.Last().title, "Import Draws");
    QVERIFY(rig.Last().text.find((rig.folder / "new.csv").string()) != std::string::npos);
  }

  // Each spelling of a folder reaches its one window; another folder has its own.
  void aFolderHasOneNameHoweverItIsSpelled() {
    TestFolder folder;
    std::filesystem::create_directory(folder / "lotto");
    std::filesystem::create_directory(folder / "other");
    std::filesystem::create_directory_symlink(folder / "lotto", folder / "link");
    const QString name = ui::SingleWindow::ServerName(folder / "lotto");
    for (const char* same : {"lotto/", "other/../lotto", "link"}) {
      QCOMPARE(ui::SingleWindow::ServerName(folder / same), name);
    }
    QVERIFY(ui::SingleWindow::ServerName(folder / "other") != name);
  }

  // A window that holds the folder but does not answer (hung, or killed
  // with its socket left) is named; the next window replaces a left socket.
  void aWindowThatCannotBeReachedIsNamedAndALeftSocketReplaced() {
    TestFolder folder;
    const QString name = ui::SingleWindow::ServerName(folder.Path());
    QFile left(QDir::temp().filePath(name));  // where a killed window's socket stays
    for (const bool socketLeft : {false, true}) {
      if (socketLeft) QVERIFY(left.open(QIODevice::WriteOnly));
      FolderLock holder(folder.Path());
      QVERIFY(holder.MarkWindowOpen());
      const std::string problem =
          ui::SingleWindow::HandOver(folder.Path(), {}, std::chrono::milliseconds(300));
      QVERIFY2(problem.find("window has the lottery folder \"" + folder.Path().string() +
                            "\" open, but it cannot be reached") != std::string::npos,
               problem.c_str());
    }
    ui::SingleWindow single(folder.Path());
    QCOMPARE(single.Listen(), "");
    std::vector<std::filesystem::path> asked;
    single.Serve([&](const std::filesystem::path& file) { asked.push_back(file); });
    const auto handOver = QtConcurrent::run(
        [&] { return ui::SingleWindow::HandOver(folder.Path(), folder / "a b%.csv"); });
    QTRY_VERIFY(handOver.isFinished());
    QCOMPARE(handOver.result(), "");
    QTRY_COMPARE(asked, std::vector<std::filesystem::path>{folder / "a b%.csv"});
  }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
