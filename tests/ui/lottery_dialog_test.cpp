// SPDX-License-Identifier: GPL-3.0-or-later
// The lottery profile dialog as a user drives it: clicks, keys typed into the
// focus widget, Tab between fields, and real message boxes answered by click.
#include "ui/lottery_dialog.h"
#include "store/settings_files.h"
#include "store/text_file.h"
#include "ui/help_viewer.h"
#include "ui/qt_platform.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const std::string kSampleIni =
    "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=1500\r\nret5p=100000\r\nret6=1000000\r\n";
const std::string kAlphaIni =
    "bonus=false\r\nstake=2\r\nret3=8\r\nret4=50\r\nret5=900\r\nret5p=9000\r\nret6=90000\r\n";
const std::string kHistory = "05/12/2000 03 11 17 25 38 44 \r\n";
const QString kSwitch = "Please confirm|Are you sure you want to switch to alpha?";
const QString kInvalid =
    "Invalid Details|All values must be greater than '0'.\n\nPlease correct values!";
const QString kCreate =
    "Please confirm|<folder>/%1.opt\n\nThis Lottery %2 a bonus number!\n\nAre you sure to "
    "create the new file?";

// A program folder with Sample (current), alpha, Broken (no settings file), an
// index file and a file that is not a lottery; the dialog open on it.
struct Fixture {
  test::TestFolder folder;
  AnsweredBoxes boxes;
  CountingClock clock;
  RecordingHelp help;
  Session session{folder.Path(), boxes, clock};
  std::unique_ptr<ui::LotteryDialog> dialog;

  explicit Fixture(const QString& lottoFile = "Sample.opt") {
    folder.Write("vomrix.ini", "file=" + lottoFile.toStdString() + "\r\n");
    for (const char* name : {"Sample.opt", "alpha.opt", "Broken.opt"}) folder.Write(name, kHistory);
    folder.Write("Sample.ini", kSampleIni);
    folder.Write("alpha.ini", kAlphaIni);
    folder.Write("01_S_Sample.opt", "");
    folder.Write("notes.txt", "");
    ReadProgramSettings(session.State());
    ReadLotterySettings(session.State());
    session.State().newFileCreated = true;
  }
  void Open(HelpViewer* viewer = nullptr, QWidget* owner = nullptr) {
    dialog = std::make_unique<ui::LotteryDialog>(session, boxes, viewer ? *viewer : help, owner);
    if (owner) return;
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
  }
  // What a user sees: the name, the six values, the bonus choice, whether Save
  // can be pressed, and whether the dialog is still open.
  QString Shown() {
    QStringList values;
    for (const char* box : {"txtStake", "txtRet3", "txtRet4", "txtRet5", "txtRet5p", "txtRet6"})
      values << Child<QLineEdit>(*dialog, box).text();
    return Child<QComboBox>(*dialog, "Combo1").currentText() + "|" + values.join(' ') + "|" +
           (Child<QRadioButton>(*dialog, "optBonus0").isChecked() ? "bonus" : "no bonus") + "|" +
           (Enabled(*dialog, "cmdSave") ? "save" : "no save") + "|" +
           (dialog->isVisible() ? "open"
            : dialog->result()  ? "accepted"
                                : "cancelled");
  }
  void Run(const QString& script) {
    RunScript(*dialog, script, [this] { ReturnFocus(); });
  }
  // As the window manager does when a message box closes.
  void ReturnFocus() {
    if (!QApplication::activeWindow() && dialog->isVisible())
      QApplication::setActiveWindow(dialog.get());
  }
};

// A script typed into the dialog: what it shows after, the message boxes seen
// ("\n"-joined), the files written as name=start of their content,
// ";"-joined (unless the dialog is accepted, none), and the beeps.
struct Typed {
  const char* name;
  QString script, answers, shown, boxes = {}, files = {};
  int beeps = 0;
  QString current = "Sample.opt";
  const char* appFolder = "";  // under the test folder
};
const QString kNoChange = "Sample|1 10 60 1500 100000 1000000|bonus|no save|open";
const Typed kTyped[] = {
    {"opens on the current lottery", "", "", kNoChange},
    {"no current lottery: the first listed", "", "", "alpha|0 0 0 0 0 0|bonus|no save|open", "", "",
     0, ""},
    {"no lottery at all: nothing to save", "", "",
     "|1 10 60 1500 100000 1000000|bonus|no save|open", "", "", 0, "Sample.opt", "empty"},
    {"name keys filtered, values reset",
     QString::fromUtf8("@optBonus1@Combo1<End>Te st-ÀÖØöøÿŠŸµ1_.€¿×÷‹[`{ア"), "",
     QString::fromUtf8("SampleTe st-ÀÖØöøÿŠŸµ|0 0 0 0 0 0|bonus|save|open"), "", "", 12},
    {"blank name cannot be saved", "@Combo1<Ctrl+A>L<Backspace>", "",
     "|0 0 0 0 0 0|bonus|no save|open"},
    {"editing keys and Tab in value boxes",
     "@txtStake<End>2a.-/"
     ":3<Home><Del><End><Left><Backspace>9<Tab>7<Tab>5<Shift+Backtab><Shift+Backtab><End>4",
     "", "Sample|934 7 5 1500 100000 1000000|bonus|save|open"},
    {"Escape in a value box cancels", "@txtRet5<Ctrl+A>8<Esc>", "",
     "Sample|1 10 60 8 100000 1000000|bonus|save|cancelled"},
    {"Enter with nothing to save does nothing", "@txtRet3<Return>@Combo1<Return>", "", kNoChange},
    {"Enter presses Save", "@txtStake<End>5<Return>", "y",
     "Sample|15 10 60 1500 100000 1000000|bonus|save|accepted",
     "Please confirm|Are you sure you want to save the settings of Sample?",
     "vomrix.ini=file=Sample.opt\r\n;Sample.ini=bonus=true\r\nstake=15\r\n"},
    {"switch refused, then confirmed", "@Combo1=alpha@txtStake<Ctrl+A>4@cmdSave@cmdSave", "ny",
     "alpha|4 8 50 900 9000 90000|no bonus|save|accepted", kSwitch + "\n" + kSwitch,
     "vomrix.ini=file=alpha.opt\r\n;alpha.ini=bonus=false\r\nstake=4\r\nret3=8\r\n;alpha.opt=" +
         QString::fromStdString(kHistory)},
    {"unreadable pick puts the previous back", "@Combo1<Up>", "", kNoChange,
     "Error|Could not read Broken.ini"},
    {"previous unreadable too closes", "@Combo1<Up>", "",
     "Sample|0 0 0 0 0 0|bonus|no save|cancelled",
     "Error|Could not read Broken.ini\nError|Could not re-initialise previous database, cannot "
     "continue...",
     "", 0, "Gone.opt"},
    {"zero stake refused", "@txtStake<Ctrl+A>0<Tab>@cmdSave", "",
     "Sample|0 10 60 1500 100000 1000000|bonus|save|open", kInvalid},
    {"huge return refused", "@txtRet4<Ctrl+A>99999999999@cmdSave", "",
     "Sample|1 10 99999999999 1500 100000 1000000|bonus|save|open", kInvalid},
    {"create with bonus",
     QString::fromUtf8("@Combo1<Ctrl+A>Lotto Österreich<Tab>1<Tab>3<Tab>20<Tab>800<Tab>5000<Tab>"
                       "100000@cmdSave"),
     "y", QString::fromUtf8("Lotto Österreich|1 3 20 800 5000 100000|bonus|save|accepted"),
     kCreate.arg(QString::fromUtf8("Lotto Österreich"), "USES"),
     QString::fromUtf8("vomrix.ini=file=Lotto Österreich.opt\r\n;Lotto Österreich.ini=bonus=true"
                       "\r\nstake=1\r\nret3=3\r\n;Lotto Österreich.opt=00/00/0000 01 02 03 04 05 "
                       "06 49\r\n")},
    {"typing a listed name picks it", "@Combo1<Ctrl+A>alpha<Tab>", "",
     "alpha|2 8 50 900 9000 90000|no bonus|save|open"},
    {"create without bonus, refused once",
     "@Combo1<Ctrl+A>Plain<Tab>1<Tab>1<Tab>1<Tab>1<Tab>1<Tab>1@optBonus1@cmdSave@cmdSave", "ny",
     "Plain|1 1 1 1 1 1|no bonus|save|accepted",
     kCreate.arg("Plain", "DOES NOT USE") + "\n" + kCreate.arg("Plain", "DOES NOT USE"),
     "Plain.opt=00/00/0000 01 02 03 04 05 06;Plain.ini=bonus=false;vomrix.ini=file=Plain.opt"},
    {"cancel after an edit writes nothing", "@Combo1=alpha@txtStake<Ctrl+A>0@cmdSave@cmdCancel", "",
     "alpha|0 8 50 900 9000 90000|no bonus|save|cancelled", kInvalid},
    {"creation that cannot write is reported",
     "@Combo1<Ctrl+A>Lost<Tab>1<Tab>1<Tab>1<Tab>1<Tab>1<Tab>1@cmdSave", "y",
     "Lost|1 1 1 1 1 1|bonus|save|open",
     kCreate.arg("no-such-folder/Lost", "USES") +
         "\nError|Could not create <folder>/no-such-folder/Lost.opt\n\nError 76 Path not found",
     "", 0, "Sample.opt", "no-such-folder"},
};

}  // namespace

class LotteryDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void typedAsAUser_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kTyped)); ++row) QTest::newRow(kTyped[row].name) << row;
  }
  void typedAsAUser() {
    QFETCH(int, row);
    const Typed& t = kTyped[row];
    Fixture f(t.current);
    f.session.State().appFolder /= t.appFolder;
    std::filesystem::create_directory(f.folder / "empty");
    const LotterySettings before = f.session.State().settings;
    const auto filesBefore = f.folder.Files();
    f.Open();
    QVERIFY(!f.session.State().newFileCreated);
    if (!*t.appFolder)  // sorted, lotteries only; the unreadable Broken passed silently
      QCOMPARE(Items(*f.dialog, "Combo1"), QStringList({"alpha", "Broken", "Sample"}));
    f.boxes.answers = t.answers;
    f.Run(t.script);
    QCOMPARE(f.Shown(), t.shown);
    const QString folder = QString::fromStdString(f.folder.Path().string());
    QCOMPARE(f.boxes.seen.join('\n').replace(folder, "<folder>"), t.boxes);
    QCOMPARE(f.boxes.beeps, t.beeps);
    for (const QString& file : t.files.split(';', Qt::SkipEmptyParts)) {
      const QString name = file.section('=', 0, 0);
      const std::string start = Windows1252FromUtf8(file.section('=', 1).toStdString());
      QVERIFY2(f.folder.Read(name.toStdString()).starts_with(start), qPrintable(name));
    }
    if (!t.shown.endsWith("accepted")) QVERIFY(f.folder.Files() == filesBefore);
    if (t.shown.endsWith("cancelled") && !t.boxes.contains("re-initialise")) {
      QCOMPARE(f.session.State().lottoFile, t.current.toStdString());  // Cancel puts all back
      QVERIFY(f.session.State().settings == before);
    }
    if (t.boxes == kInvalid && t.shown.endsWith("open")) {  // back on the refused value
      f.ReturnFocus();
      QWidget* focus = QApplication::focusWidget();
      QCOMPARE(focus ? focus->objectName() : "none",
               t.script.contains("Ret4") ? "txtRet4" : "txtStake");
    }
  }

  // The name and amount rules hold whichever way the text comes, and the
  // field says why it was refused.
  void refusedTextIsExplainedWhicheverWayItCame_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("way");
    for (const char* way : {"typed", "pasted", "middle button", "dropped"}) {
      QTest::addRow("name %s", way) << "Combo1" << way;
      QTest::addRow("amount %s", way) << "txtRet3" << way;
    }
  }
  void refusedTextIsExplainedWhicheverWayItCame() {
    QFETCH(QString, field);
    QFETCH(QString, way);
    const QString hint = field == "Combo1" ? "lblNameHint" : "lblValueHint";
    Fixture f;
    f.Open();
    QWidget& box = Child(*f.dialog, field);
    auto& edit = qobject_cast<QLineEdit*>(&box) ? *qobject_cast<QLineEdit*>(&box)
                                                : *qobject_cast<QComboBox*>(&box)->lineEdit();
    QTest::mouseClick(&edit, Qt::LeftButton);
    edit.end(false);
    const QString before = edit.text(), refused = "Pasted_Lotto-1.5";
    if (way == "typed") {
      QTest::keyClicks(QApplication::focusWidget(), "_");
    } else if (way == "pasted") {
      QApplication::clipboard()->setText(refused);
      QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
    } else if (way == "middle button") {
      if (!QApplication::clipboard()->supportsSelection()) QSKIP("no selection on this screen");
      QApplication::clipboard()->setText(refused, QClipboard::Selection);
      QTest::mouseClick(&edit, Qt::MiddleButton);
    } else {
      QMimeData data;
      data.setText(refused);
      QDragEnterEvent enter(edit.rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
      QApplication::sendEvent(&edit, &enter);
      QDropEvent drop(QPointF(edit.rect().center()), Qt::CopyAction, &data, Qt::LeftButton, {});
      QApplication::sendEvent(&edit, &drop);
    }
    QCOMPARE(edit.text(), before);
    QVERIFY(Child(*f.dialog, hint).isVisible() && !Caption(*f.dialog, hint).isEmpty());
    QTest::keyClicks(QApplication::focusWidget(), field == "Combo1" ? "a" : "7");
    QVERIFY(!Child(*f.dialog, hint).isVisible());  // a good character clears it
  }

  // Help opened from the modal dialog takes clicks while the dialog waits,
  // and moves Back and to the Contents.
  void helpIsUsableWhileTheDialogIsOpen() {
    QWidget owner;  // the main window, blocked while the dialog is open
    Fixture f;
    auto viewer = ui::MakeHelpViewer(kDemoHelp);
    f.Open(viewer.get(), &owner);
    QStringList pages;
    QTimer::singleShot(0, [&] {
      QTest::mouseClick(&Child(*f.dialog, "cmdHelp"), Qt::LeftButton);
      QWidget& help = *HelpPage()->window();
      auto clickThroughWindow = [&](const char* name) {
        QWidget& button = Child(help, name);
        QTest::mouseClick(help.windowHandle(), Qt::LeftButton, {},
                          button.mapTo(&help, button.rect().center()));
      };
      pages << HelpPage()->toPlainText().section('\n', 0, 0);
      clickThroughWindow("HelpContents");
      pages << HelpPage()->toPlainText().section('\n', 0, 0);
      clickThroughWindow("HelpBack");
      pages << HelpPage()->toPlainText().section('\n', 0, 0) +
                   (help.isEnabled() && help.isVisible() ? " (usable)" : "");
      f.dialog->reject();
    });
    f.dialog->exec();
    QCOMPARE(pages.join(','),
             "Importing an unlisted Lottery,Contents,Importing an unlisted Lottery (usable)");
  }
};

QTEST_MAIN(LotteryDialogTest)
#include "lottery_dialog_test.moc"
