#include "ui/ui_test_support.h"

#include <QTest>

#include "ui/start_up.h"
#include "ui/tab_strip.h"

namespace bw::uitest {
namespace {

// Forwards a print job into a recording that outlives the job.
class ForwardingSurface : public PrintSurface {
 public:
  explicit ForwardingSurface(PrintSurface& target) : target_(target) {}
  void SetFont(const std::string& name, int points) override { target_.SetFont(name, points); }
  void SetBold(bool on) override { target_.SetBold(on); }
  void SetUnderline(bool on) override { target_.SetUnderline(on); }
  void Print(const std::string& text) override { target_.Print(text); }
  void PrintLine(const std::string& text) override { target_.PrintLine(text); }
  void EmptyLine() override { target_.EmptyLine(); }
  void EndDocument() override { target_.EndDocument(); }

 private:
  PrintSurface& target_;
};

}  // namespace

std::string DrawLine(const std::string& date, const Line& numbers, int bonus) {
  std::string line = date + " " + JoinTwoDigits(numbers, " ");
  if (bonus > 0) line += " " + TwoDigits(bonus);
  return line;
}

void WriteLottery(const TestFolder& folder, const std::vector<std::string>& history,
                  const std::string& settings) {
  std::string text;
  for (const std::string& line : history) text += line + "\r\n";
  folder.Write("Test.opt", text);
  folder.Write("Test.ini", settings);
  folder.Write("vomrix.ini", "file=Test.opt\r\n");
}

std::vector<std::string> TripleHistory() {
  std::vector<std::string> history;
  for (int k = 0; k < 20; ++k) {
    const int first = k < 9 ? 1 : k < 14 ? 4 : k < 18 ? 7 : 0;
    const std::string date = (k < 9 ? "0" : "") + std::to_string(k + 1) + "/03/2001";
    Line numbers{first, first + 1, first + 2, 10 + k, 30 + k % 10, 40 + k % 5};
    if (first == 0) numbers = {20, 10 + k, 30 + k % 10, 40 + k % 5, 45, 49};
    history.push_back(DrawLine(date, numbers));
  }
  return history;
}

WindowRig::WindowRig(const TestFolder& folder) : session(folder.Path(), messages, clock) {}

bool WindowRig::Start() {
  ui::ReadProgramSettingsReported(session);
  ui::Services services{messages, events, clock, random, &help, {}, {}};
  services.showLotteryDialog = [this](QWidget*) {
    ++dialogShown;
    if (dialogAction) dialogAction(session.State());
  };
  services.openPrintJob = [this](const std::string& what) -> std::unique_ptr<PrintSurface> {
    printJobs.push_back({what, std::make_unique<RecordingSurface>()});
    return std::make_unique<ForwardingSurface>(*printJobs.back().surface);
  };
  window = std::make_unique<ui::MainWindow>(session, services);
  return window->Initialize();
}

QString Caption(const QWidget& root, const QString& name) {
  QWidget& control = Child(root, name);
  if (auto* label = qobject_cast<QLabel*>(&control)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(&control)) return button->text();
  qFatal("%s has no caption", qPrintable(name));
  return {};
}

void Click(const QWidget& root, const QString& name) {
  QWidget& control = Child(root, name);
  if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
    button->click();  // as a mouse click: nothing when disabled
  } else {
    QTest::mouseClick(&control, Qt::LeftButton);
  }
}

bool ChooseTab(ui::TabStrip& strip, int index) {
  if (!strip.IsTabSelectable(index)) return false;
  strip.setCurrentIndex(index);
  return true;
}

void PickDate(const QWidget& root, const QDate& date) {
  auto& calendar = Child<QCalendarWidget>(root, "MonthView1");
  calendar.setSelectedDate(date);
  emit calendar.clicked(date);
}

void PickNumbers(const QWidget& root, const std::vector<int>& numbers) {
  for (int number : numbers) Click(root, QStringLiteral("cmdGetNumber%1").arg(number));
}

QString NumberRow(const QWidget& root, int first, int last) {
  QStringList captions;
  for (int slot = first; slot <= last; ++slot) {
    captions << Caption(root, QStringLiteral("lblNumber%1").arg(slot));
  }
  return captions.join('|');
}

}  // namespace bw::uitest
