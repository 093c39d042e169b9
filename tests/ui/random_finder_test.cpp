// The Random Line Finder page as a user drives it: dealing a set, picking
// two lines, stopping a set half-way, and coming back to the page.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <set>

#include "analysis/random_finder.h"
#include "ui/fake_host_support.h"
#include "ui/random_finder_page.h"

using namespace bw;
using bw::fakehost::FakePageHost;

namespace {

QString Caption(QWidget& page, const QString& name) {
  auto* label = page.findChild<QLabel*>(name);
  if (label) return label->text();
  auto* button = page.findChild<QPushButton*>(name);
  return button ? button->text() : QString("<missing %1>").arg(name);
}

QPushButton* Button(QWidget& page, const QString& name) {
  return page.findChild<QPushButton*>(name);
}

int Number(QWidget& page, int index) {
  return Caption(page, QString("lblRandom%1").arg(index)).toInt();
}

Line DealtLine(QWidget& page, int line) {
  Line numbers{};
  for (int k = 0; k < 6; ++k) numbers[k] = Number(page, 6 * line - 5 + k);
  return numbers;
}

bool LineButtonsEnabled(QWidget& page, bool enabled) {
  for (int n = 1; n <= 8; ++n) {
    if (Button(page, QString("cmdLine%1").arg(n))->isEnabled() != enabled) return false;
  }
  return true;
}

}  // namespace

class RandomFinderTest : public QObject {
  Q_OBJECT
  test::TestFolder folder_;
  std::unique_ptr<FakePageHost> host_;
  std::unique_ptr<ui::RandomFinderPage> page_;

 private slots:
  void initTestCase() {
    fakehost::PlaceDemoLottery(folder_);
    host_ = std::make_unique<FakePageHost>(folder_.Path());
    QVERIFY(host_->session.State().draws.size() > 3000);
  }
  void init() {
    host_->events.hook = nullptr;
    host_->checkedLines.clear();
    host_->tabLocks.clear();
    host_->chosen = {};
    host_->selected = {};
    page_ = std::make_unique<ui::RandomFinderPage>(*host_, nullptr);
  }
  void cleanup() { page_.reset(); }

  void startsEmptyAndEnteringAsksForStart() {
    QCOMPARE(Caption(*page_, "lblSpeech"), QString("Hi, click on start..."));
    QCOMPARE(Caption(*page_, "cmdContinue"), QString("&Start"));
    QCOMPARE(Caption(*page_, "cmdLine1"), QString("Line &1    >>"));
    QCOMPARE(Caption(*page_, "cmdLine8"), QString("Line &8    >>"));
    QCOMPARE(Caption(*page_, "lblNotPlaced"), QString("Not placed   >>"));
    QVERIFY(LineButtonsEnabled(*page_, false));
    QCOMPARE(Caption(*page_, "lblRandom1"), QString());
    QCOMPARE(Caption(*page_, "Digit8"), QString("0"));
    QCOMPARE(Caption(*page_, "lblReturn8"), QString("%"));

    host_->chosen = {0, 4, 6};
    page_->Enter();
    QCOMPARE(Caption(*page_, "lblSpeech"), QString("Click on 'Start' button"));
    QVERIFY(LineButtonsEnabled(*page_, false));
    QVERIFY(Button(*page_, "cmdContinue")->isEnabled());
    QCOMPARE(host_->chosen[1], 0);
    QCOMPARE(host_->chosen[2], 0);
  }

  void dealtSetHoldsEveryNumberOnceInAscendingLines() {
    Button(*page_, "cmdContinue")->click();

    std::set<int> seen;
    for (int i = 1; i <= 49; ++i) seen.insert(Number(*page_, i));
    QCOMPARE(seen.size(), std::size_t{49});
    QCOMPARE(*seen.begin(), 1);
    QCOMPARE(*seen.rbegin(), 49);
    for (int n = 1; n <= 8; ++n) QVERIFY(IsValidLine(DealtLine(*page_, n)));

    // The deal is the one of the clock's seed for this set.
    MersenneRandom replay;
    const auto expected = DealRandomSet(replay, host_->clock.lastSeed);
    for (int i = 1; i <= 49; ++i) QCOMPARE(Number(*page_, i), expected[i - 1]);

    QCOMPARE(Caption(*page_, "cmdContinue"), QString("&New Set"));
    QCOMPARE(Caption(*page_, "lblSpeech"),
             QString("Choose any two lines for optimisation, or get a New Set."));
    QVERIFY(LineButtonsEnabled(*page_, true));
    QCOMPARE(host_->tabLocks, (std::vector<bool>{false, true}));
    QCOMPARE(host_->events.calls > 0, true);
  }

  void eachRowShowsTheCheckOfItsLine() {
    Button(*page_, "cmdContinue")->click();
    QCOMPARE(host_->checkedLines.size(), std::size_t{8});
    for (int n = 1; n <= 8; ++n) {
      const Line line = DealtLine(*page_, n);
      QCOMPARE(host_->checkedLines[n - 1], line);
      const ResultCaptions expected = CaptionsOf(host_->session.Check(line));
      const QString suffix = QString::number(n);
      QCOMPARE(Caption(*page_, "lblHitThree" + suffix).toStdString(), expected.three);
      QCOMPARE(Caption(*page_, "lblHitFour" + suffix).toStdString(), expected.four);
      QCOMPARE(Caption(*page_, "lblHitFive" + suffix).toStdString(), expected.five);
      QCOMPARE(Caption(*page_, "lblHitFivePlus" + suffix).toStdString(), expected.fivePlus);
      QCOMPARE(Caption(*page_, "lblHitSix" + suffix).toStdString(), expected.six);
      QCOMPARE(Caption(*page_, "Digit" + suffix).toStdString(), expected.digit);
      QCOMPARE(Caption(*page_, "lblReturn" + suffix).toStdString(), expected.ret);
    }
  }

  void newSetsDifferAndReseedEachTime() {
    Button(*page_, "cmdContinue")->click();
    const uint64_t firstSeed = host_->clock.lastSeed;
    const Line first = DealtLine(*page_, 1);
    Button(*page_, "cmdContinue")->click();
    QVERIFY(host_->clock.lastSeed != firstSeed);
    QVERIFY(DealtLine(*page_, 1) != first);
  }

  void pickingTwoLinesHandsTwelveNumbersOver() {
    Button(*page_, "cmdContinue")->click();
    const Line third = DealtLine(*page_, 3);
    const Line fifth = DealtLine(*page_, 5);
    std::array<std::string, 13> afterFirstPick{};
    host_->onShowLineOptimiser = nullptr;

    Button(*page_, "cmdLine3")->click();
    afterFirstPick = host_->selected;
    QCOMPARE(host_->chosen[1], 3);
    QCOMPARE(host_->optimiserShown, 0);
    QVERIFY(!Button(*page_, "cmdLine3")->isEnabled());
    for (int k = 0; k < 6; ++k) QCOMPARE(afterFirstPick[k + 1], std::to_string(third[k]));

    // The host sorts on entering the optimiser, so look before that.
    std::array<std::string, 13> handedOver{};
    host_->onShowLineOptimiser = [&] { handedOver = host_->selected; };
    Button(*page_, "cmdLine5")->click();
    QCOMPARE(host_->chosen[1], 3);
    QCOMPARE(host_->chosen[2], 5);
    QCOMPARE(host_->optimiserShown, 1);
    std::set<int> twelve;
    for (int i = 1; i <= 12; ++i) twelve.insert(LeadingNumber(handedOver[i]));
    QCOMPARE(twelve.size(), std::size_t{12});
    for (int number : third) QVERIFY(twelve.count(number));
    for (int number : fifth) QVERIFY(twelve.count(number));
    host_->onShowLineOptimiser = nullptr;
    host_->optimiserShown = 0;
  }

  void newSetClearsAHalfMadePick() {
    Button(*page_, "cmdContinue")->click();
    Button(*page_, "cmdLine2")->click();
    QCOMPARE(host_->chosen[1], 2);
    Button(*page_, "cmdContinue")->click();
    QCOMPARE(host_->chosen[1], 0);
    for (const std::string& number : host_->selected) QVERIFY(number.empty());
    // The next pick fills the first six slots again.
    const Line first = DealtLine(*page_, 1);
    Button(*page_, "cmdLine1")->click();
    QCOMPARE(host_->selected[1], std::to_string(first[0]));
    QCOMPARE(host_->selected[7], std::string());
  }

  void comingBackKeepsTheSetButResetsPicks() {
    Button(*page_, "cmdContinue")->click();
    const Line first = DealtLine(*page_, 1);
    Button(*page_, "cmdLine1")->click();
    page_->Enter();
    QCOMPARE(host_->chosen[1], 0);
    QCOMPARE(DealtLine(*page_, 1), first);
    QCOMPARE(Caption(*page_, "lblSpeech"),
             QString("Choose any two lines for optimisation, or get a New Set."));
    QVERIFY(LineButtonsEnabled(*page_, true));
    // After re-entering, a single pick is a first pick again.
    Button(*page_, "cmdLine4")->click();
    QCOMPARE(host_->chosen[1], 4);
    QCOMPARE(host_->optimiserShown, 0);
  }

  void stopWhileDealingDiscardsTheSet() {
    host_->events.hook = [this] {
      if (host_->checkedLines.size() == 2) Button(*page_, "cmdContinue")->click();
    };
    Button(*page_, "cmdContinue")->click();
    QCOMPARE(host_->checkedLines.size(), std::size_t{2});  // no line checked after Stop
    for (int i = 1; i <= 49; ++i)
      QCOMPARE(Caption(*page_, QString("lblRandom%1").arg(i)), QString());
    QCOMPARE(Caption(*page_, "lblSpeech"), QString("Get a New Set!"));
    QCOMPARE(Caption(*page_, "cmdContinue"), QString("&New Set"));
    QVERIFY(LineButtonsEnabled(*page_, false));
    QCOMPARE(Caption(*page_, "Digit1"), QString("0"));
    QCOMPARE(Caption(*page_, "lblHitThree1"), QString());
    QCOMPARE(host_->tabLocks.back(), true);

    host_->events.hook = nullptr;
    Button(*page_, "cmdContinue")->click();  // a stop leaves nothing in the way of a new set
    QVERIFY(!Caption(*page_, "lblRandom1").isEmpty());
    QVERIFY(LineButtonsEnabled(*page_, true));
  }

  void helpButtonOpensItsTopic() {
    host_->help.topics.clear();
    Button(*page_, "cmdHelpRandom")->click();
    QCOMPARE(host_->help.topics, std::vector<int>{430});
  }
};

QTEST_MAIN(RandomFinderTest)
#include "random_finder_test.moc"
