// The lottery profile dialog as a user drives it: the list, the key filters
// with their beep, picking, switching, creating with and without a bonus
// number, refusing bad values, and cancelling.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
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

// Types text as key presses (any Unicode letter).
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
  QStringList Values() {
    QStringList values;
    for (const char* box : kBoxes) values << Box(box)->text();
    return values;
  }
  void SetValues(const QStringList& values) {
    for (int i = 0; i < 6; ++i) Box(kBoxes[i])->setText(values[i]);
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
  void Save() { Click(*dialog, "cmdSave"); }
};

}  // namespace

class LotteryDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void keyFilters() {
    for (int key : Keys{8, '0', '9'}) QVERIFY(ui::IsDigitKey(key));
    for (int key : Keys{'a', '-', '.', 13, 7, '/', ':'}) QVERIFY(!ui::IsDigitKey(key));
    for (int key : Keys{8, 'a', 'z', 'A', 'Z', '-', ' ', 192, 214, 216, 246, 248, 255, 138, 140,
                        154, 156, 159, 181}) {
      QVERIFY2(ui::IsNameKey(key), std::to_string(key).c_str());
    }
    for (int key : Keys{'0', '9', '_', '.', '@', '[', '`', '{', 13, 128, 191, 215, 247, 139, 157}) {
      QVERIFY2(!ui::IsNameKey(key), std::to_string(key).c_str());
    }
    for (auto [text, code] : {std::pair{"é", 233}, {"Š", 138}, {"€", 128}, {"ア", '?'}, {"", -1}})
      QCOMPARE(ui::Windows1252KeyCode(QString::fromUtf8(text)), code);
  }

  void opensOnTheCurrentLotteryWithItsValues() {
    Fixture f;
    QStringList names;
    for (int i = 0; i < f.Combo().count(); ++i) names << f.Combo().itemText(i);
    QCOMPARE(names, QStringList({"alpha", "Broken", "Sample"}));  // sorted, lotteries only
    QCOMPARE(f.Combo().currentText(), "Sample");
    QCOMPARE(f.Values(), QStringList({"1", "10", "60", "1500", "100000", "1000000"}));
    QVERIFY(f.Checked("optBonus0"));
    QVERIFY(!Enabled(*f.dialog, "cmdSave"));
    QVERIFY(!f.State().newFileCreated);
    QVERIFY(f.messages.shown.empty());  // the unreadable Broken was passed silently
    QCOMPARE(Caption(*f.dialog, "optBonus1"), "Lottery deos NOT have a bonus number");
    QCOMPARE(Caption(*f.dialog, "cmdSave"), "Import / &Switch / Create");

    Fixture none("");
    QCOMPARE(none.Combo().currentText(), "alpha");  // no current one: the first
    Fixture noBonus("alpha.opt");
    QVERIFY(noBonus.Checked("optBonus0"));  // opens with the bonus option all the same
  }

  void typingANameResetsValuesAndFiltersKeys() {
    Fixture f;
    Click(*f.dialog, "optBonus1");
    QLineEdit* text = f.Combo().lineEdit();
    f.TypeName("5");  // refused, but the values are reset all the same
    QCOMPARE(f.Values(), QStringList({"0", "0", "0", "0", "0", "0"}));
    QVERIFY(f.Checked("optBonus0"));
    QCOMPARE(f.messages.beeps, 1);
    QCOMPARE(text->text(), "");
    QVERIFY(!Enabled(*f.dialog, "cmdSave"));
    Type(text, QString::fromUtf8("Lé_t.o 7-X"));
    QCOMPARE(text->text(), QString::fromUtf8("Léto -X"));
    QCOMPARE(f.messages.beeps, 4);
    QVERIFY(Enabled(*f.dialog, "cmdSave"));
    QTest::keyClick(text, Qt::Key_Backspace);
    QCOMPARE(f.messages.beeps, 4);
    text->selectAll();
    QTest::keyClick(text, Qt::Key_Backspace);
    QVERIFY(!Enabled(*f.dialog, "cmdSave"));  // a blank name cannot be saved

    QLineEdit* stake = f.Box("txtStake");
    stake->clear();
    Type(stake, "1a2.-3");
    QCOMPARE(stake->text(), "123");
    QCOMPARE(f.messages.beeps, 4);  // value boxes refuse silently
    QSignalSpy enterInStake(stake, &QLineEdit::returnPressed);
    QTest::keyClick(stake, Qt::Key_Return);
    QCOMPARE(enterInStake.count(), 0);
    QVERIFY(f.dialog->isVisible());  // Enter presses no button
  }

  void pickingALotteryShowsItsSettingsOrPutsThePreviousBack() {
    Fixture f;
    f.Pick("alpha");
    QCOMPARE(f.Values(), QStringList({"2", "8", "50", "900", "9000", "90000"}));
    QVERIFY(f.Checked("optBonus1"));
    QVERIFY(Enabled(*f.dialog, "cmdSave"));
    QCOMPARE(f.State().lottoFile, "alpha.opt");

    f.Pick("Sample");
    f.Box("txtStake")->setText("5");
    f.State().settings.stake = 5;
    f.Pick("Broken");
    QCOMPARE(Text(f.Last()), "Error|Could not read Broken.ini|Ok|None|Ok");
    QCOMPARE(f.Combo().currentText(), "Sample");
    QCOMPARE(f.State().lottoFile, "Sample.opt");
    QCOMPARE(f.State().settings.stake, 5);
    QCOMPARE(f.Values().front(), "5");
    QVERIFY(f.dialog->isVisible());

    Fixture gone("Gone.opt");  // the previous cannot be read either
    gone.State().settings.stake = 3;
    gone.Pick("Broken");
    QCOMPARE(gone.messages.shown.size(), 2u);
    QCOMPARE(Text(gone.Last()),
             "Error|Could not re-initialise previous database, cannot continue...|Ok|Critical|Ok");
    QVERIFY(!gone.dialog->isVisible());
    QCOMPARE(gone.State().lottoFile, "Gone.opt");
    QCOMPARE(gone.State().settings.stake, 3);
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
    QCOMPARE(f.folder.Read("alpha.ini"),
             "bonus=false\r\nstake=4\r\nret3=8\r\nret4=50\r\n"
             "ret5=900\r\nret5p=9000\r\nret6=90000\r\n");
    QCOMPARE(f.folder.Read("alpha.opt"), kHistory);

    Fixture same;  // saving the current lottery rewrites its values
    same.Pick("Sample");
    same.Box("txtRet3")->setText("12");
    same.Save();
    QCOMPARE(same.Last().text, "Are you sure you want to switch to Sample");
    QVERIFY(same.folder.Read("Sample.ini").find("ret3=12\r\n") != std::string::npos);
    QCOMPARE(same.folder.Read("vomrix.ini"), kOnSample);
  }

  void zeroEmptyOrHugeValuesAreRefused() {
    struct Case {
      QStringList values;
      const char* focused;
    } cases[] = {{{"1", "10", "0", "0", "5", "6"}, "txtRet4"},
                 {{"0", "0", "1", "1", "1", "1"}, "txtStake"},
                 {{"1", "1", "1", "1", "1", ""}, "txtRet6"},
                 {{"99999999999", "1", "1", "1", "1", "1"}, "txtStake"}};
    for (const Case& c : cases) {
      Fixture f;
      QApplication::setActiveWindow(f.dialog.get());
      f.Pick("Sample");
      f.SetValues(c.values);
      f.Save();
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
    f.SetValues({"1", "3", "20", "800", "5000", "100000"});
    f.Save();
    const std::string file = "Lotto Österreich.opt";
    QCOMPARE(Text(f.Last()), "Please confirm|" + (f.folder / file).string() +
                                 "\r\n\r\nThis Lottery USES a bonus number!\r\n\r\nAre you sure "
                                 "to create the new file?|YesNo|Question|Yes");
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.State().lottoFile, file);
    QVERIFY(f.State().newFileCreated);
    QCOMPARE(f.folder.Read("vomrix.ini"), Windows1252FromUtf8("file=" + file) + "\r\n");
    QCOMPARE(f.folder.Read("Lotto Österreich.ini"),
             "bonus=true\r\nstake=1\r\nret3=3\r\nret4=20\r\nret5=800\r\nret5p=5000\r\n"
             "ret6=100000\r\n");
    const std::string history = f.folder.Read(file);
    QVERIFY(history.starts_with("00/00/0000 01 02 03 04 05 06 49\r\n"));
    QCOMPARE(std::count(history.begin(), history.end(), '\n'), 8);

    Fixture plain;
    plain.TypeName("Plain");
    Click(*plain.dialog, "optBonus1");
    plain.SetValues({"1", "3", "20", "800", "5000", "100000"});
    plain.Save();
    QVERIFY(plain.Last().text.find("This Lottery DOES NOT USE a bonus number!") !=
            std::string::npos);
    QVERIFY(!plain.State().settings.useBonus);
    QVERIFY(plain.folder.Read("Plain.ini").starts_with("bonus=false\r\n"));
    QVERIFY(plain.folder.Read("Plain.opt").starts_with("00/00/0000 01 02 03 04 05 06\r\n"));
    QCOMPARE(plain.folder.Read("vomrix.ini"), "file=Plain.opt\r\n");
  }

  void creatingOverAnExistingLotteryKeepsItsHistoryAsBackup() {
    Fixture f;
    f.TypeName("alpha");
    f.SetValues({"1", "1", "1", "1", "1", "1"});
    f.messages.answers = {MessageAnswer::No};
    f.Save();
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
    f.SetValues({"1", "1", "1", "1", "1", "1"});
    f.Save();
    QVERIFY(f.Last().text.starts_with("Could not create "));
    QCOMPARE(f.Last().icon, MessageIcon::Critical);
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(f.State().lottoFile, "Sample.opt");
    QVERIFY(!f.State().newFileCreated);
    QCOMPARE(f.folder.Read("vomrix.ini"), kOnSample);
  }

  void cancelOrEscapePutsEverythingBack() {
    Fixture f;
    const LotterySettings before = f.State().settings;
    f.Pick("alpha");
    f.Box("txtStake")->setText("0");
    f.Save();  // refused, but the variables hold the typed values
    QCOMPARE(f.State().settings.stake, 0);
    Click(*f.dialog, "cmdCancel");
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.dialog->result(), int(QDialog::Rejected));
    QCOMPARE(f.State().lottoFile, "Sample.opt");
    QVERIFY(f.State().settings == before);
    QCOMPARE(f.folder.Read("alpha.ini"), kAlphaIni);

    f.Open();
    f.Pick("alpha");
    QTest::keyClick(f.dialog.get(), Qt::Key_Escape);
    QCOMPARE(f.State().lottoFile, "Sample.opt");
    QVERIFY(f.State().settings == before);
    Click(*f.dialog, "cmdHelp");
    QCOMPARE(f.help.topics, std::vector<int>{590});
  }
};

QTEST_MAIN(LotteryDialogTest)
#include "lottery_dialog_test.moc"
