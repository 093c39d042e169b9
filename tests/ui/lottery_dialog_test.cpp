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
#include "support/test_folder.h"
#include "ui/fake_host_support.h"
#include "ui/lottery_dialog.h"

using namespace bw;
using fakehost::RecordingHelp;
using fakehost::ScriptedMessages;

namespace {

const char* const kBoxes[] = {"txtStake", "txtRet3", "txtRet4", "txtRet5", "txtRet5p", "txtRet6"};
const std::string kSampleIni =
    "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=1500\r\nret5p=100000\r\nret6=1000000\r\n";
const std::string kAlphaIni =
    "bonus=false\r\nstake=2\r\nret3=8\r\nret4=50\r\nret5=900\r\nret5p=9000\r\nret6=90000\r\n";
const std::string kAlphaHistory = "05/12/2000 03 11 17 25 38 44 \r\n";

// Sends one typed character (any Unicode letter) as a key press.
void Type(QWidget* target, const QString& character) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
  QApplication::sendEvent(target, &press);
}

void TypeText(QWidget* target, const QString& text) {
  for (QChar character : text) Type(target, QString(character));
}

// A program folder with the demo lottery (current), Alpha, a lottery whose
// settings file is missing, and files that are not lotteries.
struct Fixture {
  test::TestFolder folder;
  ScriptedMessages messages;
  fakehost::CountingClock clock;
  RecordingHelp help;
  Session session{folder.Path(), messages, clock};
  std::unique_ptr<ui::LotteryDialog> dialog;

  explicit Fixture(const std::string& lottoFile = "Sample.opt") {
    folder.Write("vomrix.ini", "file=" + lottoFile + "\r\n");
    folder.Write("Sample.opt", kAlphaHistory);
    folder.Write("Sample.ini", kSampleIni);
    folder.Write("alpha.opt", kAlphaHistory);
    folder.Write("alpha.ini", kAlphaIni);
    folder.Write("Broken.opt", kAlphaHistory);
    folder.Write("01_S_Sample.opt", "");
    folder.Write("notes.txt", "");
    ReadProgramSettings(session.State());
    ReadLotterySettings(session.State());
    session.State().newFileCreated = true;
    Open();
  }
  void Open() {
    dialog = std::make_unique<ui::LotteryDialog>(session, messages, help, nullptr);
    dialog->show();
  }

  QComboBox* Combo() { return dialog->findChild<QComboBox*>("Combo1"); }
  QLineEdit* Box(const char* name) { return dialog->findChild<QLineEdit*>(name); }
  QPushButton* Button(const char* name) { return dialog->findChild<QPushButton*>(name); }
  QRadioButton* Option(const char* name) { return dialog->findChild<QRadioButton*>(name); }
  QStringList Values() {
    QStringList values;
    for (const char* box : kBoxes) values << Box(box)->text();
    return values;
  }
  void SetValues(const QStringList& values) {
    for (int i = 0; i < 6; ++i) Box(kBoxes[i])->setText(values[i]);
  }
  void Pick(const QString& name) {
    const int index = Combo()->findText(name);
    Combo()->setCurrentIndex(index);
    emit Combo()->activated(index);
  }
  Message LastMessage() { return messages.shown.empty() ? Message{} : messages.shown.back(); }
};

}  // namespace

class LotteryDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void keyFilters() {
    for (int accepted : std::initializer_list<int>{8, '0', '9'}) QVERIFY(ui::IsDigitKey(accepted));
    for (int refused : std::initializer_list<int>{'a', '-', '.', 13, 7, '/', ':'})
      QVERIFY(!ui::IsDigitKey(refused));
    for (int accepted : std::initializer_list<int>{8, 'a', 'z', 'A', 'Z', '-', ' ', 192, 214, 216,
                                                   246, 248, 255, 138, 140, 154, 156, 159, 181}) {
      QVERIFY2(ui::IsNameKey(accepted), std::to_string(accepted).c_str());
    }
    for (int refused : std::initializer_list<int>{'0', '9', '_', '.', '@', '[', '`', '{', 13, 128,
                                                  191, 215, 247, 139, 157}) {
      QVERIFY2(!ui::IsNameKey(refused), std::to_string(refused).c_str());
    }
    QCOMPARE(ui::Windows1252KeyCode(QString::fromUtf8("é")), 233);
    QCOMPARE(ui::Windows1252KeyCode(QString::fromUtf8("Š")), 138);
    QCOMPARE(ui::Windows1252KeyCode(QString::fromUtf8("€")), 128);
    QCOMPARE(ui::Windows1252KeyCode(QString::fromUtf8("ア")), '?');
    QCOMPARE(ui::Windows1252KeyCode(QString()), -1);
  }

  void opensOnTheCurrentLotteryWithItsValues() {
    Fixture f;
    QCOMPARE(f.Combo()->count(), 3);  // sorted by name, index files and other files left out
    QCOMPARE(f.Combo()->itemText(0), QString("alpha"));
    QCOMPARE(f.Combo()->itemText(1), QString("Broken"));
    QCOMPARE(f.Combo()->itemText(2), QString("Sample"));
    QCOMPARE(f.Combo()->currentText(), QString("Sample"));
    QCOMPARE(f.Values(), QStringList({"1", "10", "60", "1500", "100000", "1000000"}));
    QVERIFY(f.Option("optBonus0")->isChecked());
    QVERIFY(!f.Button("cmdSave")->isEnabled());
    QVERIFY(!f.session.State().newFileCreated);
    QVERIFY(f.messages.shown.empty());  // the unreadable Broken was passed silently
    QCOMPARE(f.Option("optBonus1")->text(), QString("Lottery deos NOT have a bonus number"));
    QCOMPARE(f.Button("cmdSave")->text(), QString("Import / &Switch / Create"));
  }

  void opensOnTheFirstLotteryWithoutACurrentOne() {
    Fixture f("");
    QCOMPARE(f.Combo()->currentText(), QString("alpha"));
    test::TestFolder empty;
    f.session.State().appFolder = empty.Path();
    f.Open();
    QCOMPARE(f.Combo()->count(), 0);
    TypeText(f.Combo()->lineEdit(), "First");
    QVERIFY(f.Button("cmdSave")->isEnabled());
  }

  void noBonusLotteryStillOpensWithTheBonusOption() {
    Fixture f("alpha.opt");
    QVERIFY(!f.session.State().settings.useBonus);
    QVERIFY(f.Option("optBonus0")->isChecked());
  }

  void typingANameResetsValuesAndFiltersKeys() {
    Fixture f;
    f.Option("optBonus1")->setChecked(true);
    QLineEdit* text = f.Combo()->lineEdit();
    text->clear();
    Type(text, "5");  // refused, but the values are reset all the same
    QCOMPARE(f.Values(), QStringList({"0", "0", "0", "0", "0", "0"}));
    QVERIFY(f.Option("optBonus0")->isChecked());
    QCOMPARE(f.messages.beeps, 1);
    QCOMPARE(text->text(), QString());
    QVERIFY(!f.Button("cmdSave")->isEnabled());

    TypeText(text, QString::fromUtf8("Lé_t.o 7-X"));
    QCOMPARE(text->text(), QString::fromUtf8("Léto -X"));
    QCOMPARE(f.messages.beeps, 4);
    QVERIFY(f.Button("cmdSave")->isEnabled());

    QTest::keyClick(text, Qt::Key_Backspace);
    QCOMPARE(text->text(), QString::fromUtf8("Léto -"));
    QCOMPARE(f.messages.beeps, 4);
    text->selectAll();
    QTest::keyClick(text, Qt::Key_Backspace);
    QVERIFY(!f.Button("cmdSave")->isEnabled());  // a blank name cannot be saved
  }

  void valueBoxesTakeDigitsOnly() {
    Fixture f;
    QLineEdit* stake = f.Box("txtStake");
    stake->clear();
    TypeText(stake, "1a2.-3");
    QCOMPARE(stake->text(), QString("123"));
    QCOMPARE(f.messages.beeps, 0);
    QSignalSpy enterInStake(stake, &QLineEdit::returnPressed);
    QSignalSpy enterInRet3(f.Box("txtRet3"), &QLineEdit::returnPressed);
    QTest::keyClick(stake, Qt::Key_Return);
    QTest::keyClick(f.Box("txtRet3"), Qt::Key_Return);
    QCOMPARE(enterInStake.count(), 0);
    QCOMPARE(enterInRet3.count(), 1);
    QVERIFY(f.dialog->isVisible());  // Enter presses no button
  }

  void pickingALotteryShowsItsSettings() {
    Fixture f;
    f.Pick("alpha");
    QCOMPARE(f.Values(), QStringList({"2", "8", "50", "900", "9000", "90000"}));
    QVERIFY(f.Option("optBonus1")->isChecked());
    QVERIFY(f.Button("cmdSave")->isEnabled());
    QCOMPARE(f.session.State().lottoFile, std::string("alpha.opt"));
  }

  void pickingAnUnreadableLotteryPutsThePreviousBack() {
    Fixture f;
    f.Box("txtStake")->setText("5");
    f.session.State().settings.stake = 5;
    f.Pick("Broken");
    QCOMPARE(f.LastMessage().text, std::string("Could not read Broken.ini"));
    QCOMPARE(f.LastMessage().title, std::string("Error"));
    QVERIFY(f.LastMessage().icon == MessageIcon::None);
    QCOMPARE(f.Combo()->currentText(), QString("Sample"));
    QCOMPARE(f.session.State().lottoFile, std::string("Sample.opt"));
    QCOMPARE(f.session.State().settings.stake, 5);
    QCOMPARE(f.Values().front(), QString("5"));
    QVERIFY(!f.Button("cmdSave")->isEnabled());
    QVERIFY(f.dialog->isVisible());
  }

  void bothLotteriesUnreadableClosesTheDialog() {
    Fixture f("Gone.opt");
    f.session.State().settings.stake = 3;
    f.Pick("Broken");
    QCOMPARE(f.messages.shown.size(), std::size_t{2});
    QCOMPARE(f.LastMessage().text,
             std::string("Could not re-initialise previous database, cannot continue..."));
    QVERIFY(f.LastMessage().icon == MessageIcon::Critical);
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.session.State().lottoFile, std::string("Gone.opt"));
    QCOMPARE(f.session.State().settings.stake, 3);
  }

  void switchingWritesBothSettingsFiles() {
    Fixture f;
    f.Pick("alpha");
    f.Box("txtStake")->setText("4");
    f.messages.answers = {MessageAnswer::No};
    f.Button("cmdSave")->click();
    QCOMPARE(f.LastMessage().text, std::string("Are you sure you want to switch to alpha"));
    QCOMPARE(f.LastMessage().title, std::string("Please confirm"));
    QVERIFY(f.LastMessage().buttons == MessageButtons::YesNo);
    QVERIFY(f.LastMessage().icon == MessageIcon::Question);
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(f.folder.Read("vomrix.ini"), std::string("file=Sample.opt\r\n"));
    QCOMPARE(f.folder.Read("alpha.ini"), kAlphaIni);

    f.Button("cmdSave")->click();  // Yes this time
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(f.folder.Read("vomrix.ini"), std::string("file=alpha.opt\r\n"));
    QCOMPARE(f.folder.Read("alpha.ini"),
             std::string("bonus=false\r\nstake=4\r\nret3=8\r\nret4=50\r\nret5=900\r\n"
                         "ret5p=9000\r\nret6=90000\r\n"));
    QCOMPARE(f.folder.Read("alpha.opt"), kAlphaHistory);
  }

  void savingTheCurrentLotteryRewritesItsValues() {
    Fixture f;
    f.Pick("Sample");
    f.Box("txtRet3")->setText("12");
    f.Button("cmdSave")->click();
    QCOMPARE(f.LastMessage().text, std::string("Are you sure you want to switch to Sample"));
    QCOMPARE(f.session.State().lottoFile, std::string("Sample.opt"));
    QVERIFY(f.folder.Read("Sample.ini").find("ret3=12\r\n") != std::string::npos);
    QCOMPARE(f.folder.Read("vomrix.ini"), std::string("file=Sample.opt\r\n"));
  }

  void zeroOrHugeValuesAreRefused_data() {
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("focused");
    QTest::newRow("zero returns") << QStringList({"1", "10", "0", "0", "5", "6"}) << "txtRet4";
    QTest::newRow("stake first") << QStringList({"0", "0", "1", "1", "1", "1"}) << "txtStake";
    QTest::newRow("empty box") << QStringList({"1", "1", "1", "1", "1", ""}) << "txtRet6";
    QTest::newRow("overflow") << QStringList({"99999999999", "1", "1", "1", "1", "1"})
                              << "txtStake";
  }
  void zeroOrHugeValuesAreRefused() {
    QFETCH(QStringList, values);
    QFETCH(QString, focused);
    Fixture f;
    QApplication::setActiveWindow(f.dialog.get());
    f.Pick("Sample");
    f.SetValues(values);
    f.Button("cmdSave")->click();
    QCOMPARE(f.LastMessage().text,
             std::string("All values must be greater than '0'.\r\n\r\nPlease correct values!"));
    QCOMPARE(f.LastMessage().title, std::string("Invalid Details"));
    QVERIFY(f.LastMessage().icon == MessageIcon::Exclamation);
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(QApplication::focusWidget(), f.Box(focused.toUtf8().constData()));
    QCOMPARE(f.folder.Read("Sample.ini"), kSampleIni);
    QCOMPARE(f.folder.Read("vomrix.ini"), std::string("file=Sample.opt\r\n"));
  }

  void creatingALotteryWithBonus() {
    Fixture f;
    QLineEdit* text = f.Combo()->lineEdit();
    text->clear();
    TypeText(text, QString::fromUtf8("Lotto Österreich"));
    f.SetValues({"1", "3", "20", "800", "5000", "100000"});
    f.Button("cmdSave")->click();
    const std::string file = "Lotto Österreich.opt";
    QCOMPARE(f.LastMessage().text,
             (f.folder / file).string() +
                 "\r\n\r\nThis Lottery USES a bonus number!\r\n\r\nAre you sure to create the "
                 "new file?");
    QCOMPARE(f.LastMessage().title, std::string("Please confirm"));
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.session.State().lottoFile, file);
    QVERIFY(f.session.State().newFileCreated);
    QCOMPARE(f.folder.Read("vomrix.ini"), Windows1252FromUtf8("file=" + file) + "\r\n");
    const std::string ini = f.folder.Read("Lotto Österreich.ini");
    QCOMPARE(ini, std::string("bonus=true\r\nstake=1\r\nret3=3\r\nret4=20\r\nret5=800\r\n"
                              "ret5p=5000\r\nret6=100000\r\n"));
    const std::string history = f.folder.Read(file);
    QVERIFY(history.starts_with("00/00/0000 01 02 03 04 05 06 49\r\n"));
    QCOMPARE(std::count(history.begin(), history.end(), '\n'), 8);
  }

  void creatingALotteryWithoutBonus() {
    Fixture f;
    QLineEdit* text = f.Combo()->lineEdit();
    text->clear();
    TypeText(text, "Plain");
    f.Option("optBonus1")->setChecked(true);
    f.SetValues({"1", "3", "20", "800", "5000", "100000"});
    f.Button("cmdSave")->click();
    QVERIFY(f.LastMessage().text.find("This Lottery DOES NOT USE a bonus number!") !=
            std::string::npos);
    QCOMPARE(f.session.State().lottoFile, std::string("Plain.opt"));
    QVERIFY(!f.session.State().settings.useBonus);
    QVERIFY(f.folder.Read("Plain.ini").starts_with("bonus=false\r\n"));
    const std::string history = f.folder.Read("Plain.opt");
    QVERIFY(history.starts_with("00/00/0000 01 02 03 04 05 06\r\n"));
    QCOMPARE(f.folder.Read("vomrix.ini"), std::string("file=Plain.opt\r\n"));
  }

  void creatingOverAnExistingLotteryKeepsItsHistoryAsBackup() {
    Fixture f;
    QLineEdit* text = f.Combo()->lineEdit();
    text->clear();
    TypeText(text, "alpha");
    f.SetValues({"1", "1", "1", "1", "1", "1"});
    f.messages.answers = {MessageAnswer::No};
    f.Button("cmdSave")->click();
    QVERIFY(f.dialog->isVisible());  // No: nothing written
    QCOMPARE(f.folder.Read("alpha.opt"), kAlphaHistory);
    QCOMPARE(f.folder.Read("alpha.ini"), kAlphaIni);
    QVERIFY(!f.folder.Exists("alpha.old"));

    f.Button("cmdSave")->click();
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.folder.Read("alpha.old"), kAlphaHistory);
    QVERIFY(f.folder.Read("alpha.opt").starts_with("00/00/0000"));
  }

  void creationThatCannotWriteIsReportedAndChangesNothing() {
    Fixture f;
    const auto folder = f.session.State().appFolder;
    f.session.State().appFolder = folder / "no-such-folder";
    QLineEdit* text = f.Combo()->lineEdit();
    TypeText(text, "Lost");
    f.SetValues({"1", "1", "1", "1", "1", "1"});
    f.Button("cmdSave")->click();
    QVERIFY(f.LastMessage().text.starts_with("Could not create "));
    QVERIFY(f.LastMessage().icon == MessageIcon::Critical);
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(f.session.State().lottoFile, std::string("Sample.opt"));
    QVERIFY(!f.session.State().newFileCreated);
    QCOMPARE(f.folder.Read("vomrix.ini"), std::string("file=Sample.opt\r\n"));
  }

  void cancelPutsEverythingBack() {
    Fixture f;
    const LotterySettings before = f.session.State().settings;
    f.Pick("alpha");
    f.Box("txtStake")->setText("0");
    f.Button("cmdSave")->click();  // refused, but the variables hold the typed values
    QCOMPARE(f.session.State().settings.stake, 0);
    f.Button("cmdCancel")->click();
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.dialog->result(), int(QDialog::Rejected));
    QCOMPARE(f.session.State().lottoFile, std::string("Sample.opt"));
    QVERIFY(f.session.State().settings == before);
    QCOMPARE(f.folder.Read("alpha.ini"), kAlphaIni);

    f.Open();
    f.Pick("alpha");
    QTest::keyClick(f.dialog.get(), Qt::Key_Escape);  // closing the window cancels as well
    QCOMPARE(f.session.State().lottoFile, std::string("Sample.opt"));
    QVERIFY(f.session.State().settings == before);
  }

  void helpButtonOpensTheImportTopic() {
    Fixture f;
    f.Button("cmdHelp")->click();
    QCOMPARE(f.help.topics, std::vector<int>{590});
  }
};

QTEST_MAIN(LotteryDialogTest)
#include "lottery_dialog_test.moc"
