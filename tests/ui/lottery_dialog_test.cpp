// The lottery profile dialog: list, key filters, switching, creating, refusing and cancelling.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "store/settings_files.h"
#include "store/text_file.h"
#include "ui/lottery_dialog.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const char* const kBoxes[] = {"txtStake", "txtRet3", "txtRet4", "txtRet5", "txtRet5p", "txtRet6"};
const std::string kSampleIni =
    "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=1500\r\nret5p=100000\r\nret6=1000000\r\n";
const std::string kAlphaIni =
    "bonus=false\r\nstake=2\r\nret3=8\r\nret4=50\r\nret5=900\r\nret5p=9000\r\nret6=90000\r\n";
const std::string kHistory = "05/12/2000 03 11 17 25 38 44 \r\n";
const std::string kOnSample = "file=Sample.opt\r\n";
using Keys = std::initializer_list<int>;

void Type(QWidget* target, const QString& text) {
  for (QChar character : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
    QApplication::sendEvent(target, &press);
  }
}

// A program folder with Sample (current), alpha, Broken (no settings file),
// an index file and a file that is not a lottery; the dialog open on it.
struct Fixture : WindowRig {
  std::unique_ptr<ui::LotteryDialog> dialog;

  explicit Fixture(const std::string& lottoFile = "Sample.opt") {
    folder.Write("vomrix.ini", "file=" + lottoFile + "\r\n");
    for (const char* name : {"Sample.opt", "alpha.opt", "Broken.opt"}) folder.Write(name, kHistory);
    folder.Write("Sample.ini", kSampleIni);
    folder.Write("alpha.ini", kAlphaIni);
    folder.Write("01_S_Sample.opt", "");
    folder.Write("notes.txt", "");
    ReadProgramSettings(State());
    ReadLotterySettings(State());
    State().newFileCreated = true;
    Open();
  }
  void Open() {
    dialog = std::make_unique<ui::LotteryDialog>(session, messages, help, nullptr);
    dialog->show();
  }
  QComboBox& Combo() { return Child<QComboBox>(*dialog, "Combo1"); }
  QLineEdit* Box(const char* name) { return &Child<QLineEdit>(*dialog, name); }
  bool Checked(const char* option) { return Child<QRadioButton>(*dialog, option).isChecked(); }
  QString Values() {
    QStringList values;
    for (const char* box : kBoxes) values << Box(box)->text();
    return values.join(' ');
  }
  void Pick(const QString& name) {
    const int index = Combo().findText(name);
    Combo().setCurrentIndex(index);
    emit Combo().activated(index);
  }
  void TypeName(const QString& name) {
    Combo().lineEdit()->clear();
    Type(Combo().lineEdit(), name);
  }
  void Save(const QString& values = {}) {
    if (!values.isEmpty())
      for (int i = 0; i < 6; ++i) Box(kBoxes[i])->setText(values.section(' ', i, i));
    Click(*dialog, "cmdSave");
  }
};

}  // namespace

class LotteryDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void keyFilters() {
    for (int key : Keys{8, '0', '9'}) QVERIFY(ui::IsDigitKey(key));
    for (int key : Keys{'-', '.', '/', ':'}) QVERIFY(!ui::IsDigitKey(key));
    for (int key : Keys{8, 'a', 'Z', '-', ' ', 192, 214, 216, 246, 248, 255, 138, 159, 181})
      QVERIFY2(ui::IsNameKey(key), std::to_string(key).c_str());
    for (int key : Keys{'0', '_', '@', '[', '`', '{', 13, 128, 191, 215, 247, 139, 157})
      QVERIFY2(!ui::IsNameKey(key), std::to_string(key).c_str());
    for (auto [text, code] : {std::pair{"é", 233}, {"Š", 138}, {"€", 128}, {"ア", '?'}, {"", -1}})
      QCOMPARE(ui::Windows1252KeyCode(QString::fromUtf8(text)), code);
  }

  void opensOnTheCurrentLotteryWithItsValues() {
    Fixture f;
    QStringList names;
    for (int i = 0; i < f.Combo().count(); ++i) names << f.Combo().itemText(i);
    QCOMPARE(names, QStringList({"alpha", "Broken", "Sample"}));  // sorted, lotteries only
    QCOMPARE(f.Combo().currentText(), "Sample");
    QCOMPARE(f.Values(), "1 10 60 1500 100000 1000000");
    QVERIFY(f.Checked("optBonus0"));
    QVERIFY(!Enabled(*f.dialog, "cmdSave"));
    QVERIFY(!f.State().newFileCreated);
    QVERIFY(f.messages.shown.empty());  // the unreadable Broken was passed silently
    QCOMPARE(Fixture("").Combo().currentText(), "alpha");  // no current one: the first
  }

  void typingANameResetsValuesAndFiltersKeys() {
    Fixture f;
    Click(*f.dialog, "optBonus1");
    QLineEdit* text = f.Combo().lineEdit();
    f.TypeName(QString::fromUtf8("5Lé_o -X"));  // the values are reset all the same
    QCOMPARE(f.Values(), "0 0 0 0 0 0");
    QVERIFY(f.Checked("optBonus0"));
    QCOMPARE(text->text(), QString::fromUtf8("Léo -X"));
    QCOMPARE(f.messages.beeps, 2);
    QVERIFY(Enabled(*f.dialog, "cmdSave"));
    text->selectAll();
    QTest::keyClick(text, Qt::Key_Backspace);
    QVERIFY(!Enabled(*f.dialog, "cmdSave"));  // a blank name cannot be saved

    QLineEdit* stake = f.Box("txtStake");
    stake->clear();
    Type(stake, "1a2.-3");
    QCOMPARE(stake->text(), "123");
    QCOMPARE(f.messages.beeps, 2);  // value boxes refuse silently
    QTest::keyClick(stake, Qt::Key_Return);
    QVERIFY(f.dialog->isVisible());  // Enter presses no button
  }

  void pickingALotteryShowsItsSettingsOrPutsThePreviousBack() {
    Fixture f;
    f.Pick("alpha");
    QCOMPARE(f.Values(), "2 8 50 900 9000 90000");
    QVERIFY(f.Checked("optBonus1"));
    QCOMPARE(f.State().lottoFile, "alpha.opt");

    f.Pick("Sample");
    f.Box("txtStake")->setText("5");
    f.State().settings.stake = 5;
    f.Pick("Broken");
    QCOMPARE(Text(f.Last()), "Error|Could not read Broken.ini|Ok|None|Ok");
    QCOMPARE(f.Combo().currentText(), "Sample");
    QCOMPARE(f.State().lottoFile, "Sample.opt");
    QCOMPARE(f.State().settings.stake, 5);
    QVERIFY(f.Values().startsWith("5 "));

    Fixture gone("Gone.opt");  // the previous cannot be read either
    gone.State().settings.stake = 3;
    gone.Pick("Broken");
    QCOMPARE(Text(gone.Last()),
             "Error|Could not re-initialise previous database, cannot continue...|Ok|Critical|Ok");
    QVERIFY(!gone.dialog->isVisible());
    QCOMPARE(gone.State().lottoFile, "Gone.opt");
  }

  void switchingAsksThenWritesBothSettingsFiles() {
    Fixture f;
    f.Pick("alpha");
    f.Box("txtStake")->setText("4");
    f.messages.answers = {MessageAnswer::No};
    f.Save();
    QCOMPARE(Text(f.Last()),
             "Please confirm|Are you sure you want to switch to alpha|YesNo|"
             "Question|Yes");
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(f.folder.Read("vomrix.ini"), kOnSample);
    QCOMPARE(f.folder.Read("alpha.ini"), kAlphaIni);

    f.Save();  // Yes
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(f.folder.Read("vomrix.ini"), "file=alpha.opt\r\n");
    QVERIFY(f.folder.Read("alpha.ini").starts_with("bonus=false\r\nstake=4\r\nret3=8\r\n"));
    QCOMPARE(f.folder.Read("alpha.opt"), kHistory);
  }

  void zeroOrHugeValuesAreRefused() {
    struct Case {
      QString values;
      const char* focused;
    } cases[] = {{"0 10 60 1 1 1", "txtStake"}, {"1 1 99999999999 1 1 1", "txtRet4"}};
    for (const Case& c : cases) {
      Fixture f;
      QApplication::setActiveWindow(f.dialog.get());
      f.Pick("Sample");
      f.Save(c.values);
      QCOMPARE(Text(f.Last()),
               "Invalid Details|All values must be greater than '0'.\r\n\r\n"
               "Please correct values!|Ok|Exclamation|Ok");
      QVERIFY(f.dialog->isVisible());
      QCOMPARE(QApplication::focusWidget(), f.Box(c.focused));
      QCOMPARE(f.folder.Read("Sample.ini"), kSampleIni);
      QCOMPARE(f.folder.Read("vomrix.ini"), kOnSample);
    }
  }

  void creatingALotteryWithOrWithoutBonus() {
    Fixture f;
    f.TypeName(QString::fromUtf8("Lotto Österreich"));
    f.Save("1 3 20 800 5000 100000");
    const std::string file = "Lotto Österreich.opt";
    QVERIFY(f.Last().text.starts_with((f.folder / file).string() +
                                      "\r\n\r\nThis Lottery USES a bonus number!"));
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.State().lottoFile, file);
    QVERIFY(f.State().newFileCreated);
    QCOMPARE(f.folder.Read("vomrix.ini"), Windows1252FromUtf8("file=" + file) + "\r\n");
    QVERIFY(
        f.folder.Read("Lotto Österreich.ini").starts_with("bonus=true\r\nstake=1\r\nret3=3\r\n"));
    QVERIFY(f.folder.Read(file).starts_with("00/00/0000 01 02 03 04 05 06 49\r\n"));

    Fixture plain;
    plain.TypeName("Plain");
    Click(*plain.dialog, "optBonus1");
    plain.Save("1 3 20 800 5000 100000");
    QVERIFY(plain.Last().text.find("This Lottery DOES NOT USE a bonus number!") !=
            std::string::npos);
    QVERIFY(plain.folder.Read("Plain.ini").starts_with("bonus=false\r\n"));
  }

  void creatingOverAnExistingLotteryKeepsItsHistoryAsBackup() {
    Fixture f;
    f.TypeName("alpha");
    f.messages.answers = {MessageAnswer::No};
    f.Save("1 1 1 1 1 1");
    QVERIFY(f.dialog->isVisible());  // No: nothing written
    QCOMPARE(f.folder.Read("alpha.opt") + f.folder.Read("alpha.ini"), kHistory + kAlphaIni);
    QVERIFY(!f.folder.Exists("alpha.old"));
    f.Save();
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.folder.Read("alpha.old"), kHistory);
    QVERIFY(f.folder.Read("alpha.opt").starts_with("00/00/0000"));
  }

  void creationThatCannotWriteIsReportedAndChangesNothing() {
    Fixture f;
    f.State().appFolder = f.folder / "no-such-folder";
    f.TypeName("Lost");
    f.Save("1 1 1 1 1 1");
    QVERIFY(Text(f.Last()).starts_with("Error|Could not create "));
    QCOMPARE(f.Last().icon, MessageIcon::Critical);
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(f.State().lottoFile, "Sample.opt");
    QCOMPARE(f.folder.Read("vomrix.ini"), kOnSample);
  }

  void cancelPutsEverythingBack() {
    Fixture f;
    const LotterySettings before = f.State().settings;
    f.Pick("alpha");
    f.Box("txtStake")->setText("0");
    f.Save();  // refused, but the variables hold the typed values
    QCOMPARE(f.State().settings.stake, 0);
    Click(*f.dialog, "cmdCancel");
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.State().lottoFile, "Sample.opt");
    QVERIFY(f.State().settings == before);
    QCOMPARE(f.folder.Read("alpha.ini"), kAlphaIni);
  }
};

QTEST_MAIN(LotteryDialogTest)
#include "lottery_dialog_test.moc"
