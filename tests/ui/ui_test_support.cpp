#include "ui/ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QFileDialog>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "model/numbers.h"
#include "print/reports.h"
#include "ui/qt_platform.h"
#include "ui/start_up.h"

namespace bw::uitest {
namespace {

// Hands its text to the rig's job list when the window ends the job, and
// writes it as the file "<what>.pdf" of the folder.
class KeptSurface : public RecordingSurface {
 public:
  KeptSurface(std::vector<PrintJob>& jobs, std::size_t slot, std::filesystem::path file)
      : jobs_(jobs), slot_(slot), file_(std::move(file)) {}
  ~KeptSurface() override { jobs_[slot_].text = Text(); }
  void EndDocument() override {
    RecordingSurface::EndDocument();
    std::ofstream(file_, std::ios::binary) << Text();
  }
  std::string OutputFile() const override { return file_.string(); }

 private:
  std::vector<PrintJob>& jobs_;
  std::size_t slot_;
  std::filesystem::path file_;
};

}  // namespace

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
    Line numbers{first, first + 1, first + 2, 10 + k, 30 + k % 10, 40 + k % 5};
    if (first == 0) numbers = {20, 10 + k, 30 + k % 10, 40 + k % 5, 45, 49};
    history.push_back(TwoDigits(k + 1) + "/03/2001 " + JoinTwoDigits(numbers, " "));
  }
  return history;
}

MessageAnswer ScriptedMessages::Show(const Message& message) {
  shown.push_back(message);
  if (whileBoxOpen) {
    QTimer::singleShot(0, [this] {
      whileBoxOpen();
      QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return);
    });
    ui::QtMessageSink().Show(message);
  }
  if (message.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (answers.empty()) return MessageAnswer::Yes;
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

void HookedEvents::LetEventsRun() {
  ++calls;
  QCoreApplication::processEvents();
  if (hook) hook();
}

bool WindowRig::Start() {
  ui::ReadProgramSettingsReported(session);
  ui::Services services{messages, events, clock, random, &help, {}, {}, {}, {}};
  services.showLotteryDialog = [this](QWidget*) {
    ++dialogShown;
    if (dialogAction) dialogAction(session.State());
  };
  services.openPrintJob = [this](const std::string& what) -> std::unique_ptr<PrintSurface> {
    printJobs.push_back({what, {}});
    return std::make_unique<KeptSurface>(printJobs, printJobs.size() - 1,
                                         session.State().appFolder / (what + ".pdf"));
  };
  services.openFolder = [this](const std::string& folder) { openedFolders.push_back(folder); };
  window = std::make_unique<ui::MainWindow>(session, services);
  return window->Initialize();
}

bool WindowRig::Show() {
  window->show();
  QApplication::setActiveWindow(window.get());
  return QTest::qWaitForWindowActive(window.get());
}

bool WindowRig::StartDemo() {
  for (const char* name : {"Sample.opt", "Sample.ini", "vomrix.ini"}) folder.CopyDemo(name);
  return Start();
}

void DemoWindowTest::init() {
  rig_ = std::make_unique<WindowRig>();
  QVERIFY(rig_->StartDemo());
  w_ = &rig_->Window();
  QVERIFY(rig_->Show());
}

QString WindowRig::Titles() const {
  QStringList titles;
  for (const Message& shown : messages.shown) titles << QString::fromStdString(shown.title);
  return titles.join('|');
}

QStringList Items(const QWidget& root, const QString& name) {
  QWidget& control = Child(root, name);
  auto* combo = qobject_cast<QComboBox*>(&control);
  auto* view = qobject_cast<QAbstractItemView*>(&control);
  if (!combo && !view) qFatal("%s has no rows", qPrintable(name));
  const QAbstractItemModel& model = combo ? *combo->model() : *view->model();
  QStringList rows;
  for (int row = 0; row < model.rowCount(); ++row) rows << model.index(row, 0).data().toString();
  return rows;
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

void Trigger(const QWidget& root, const QString& menuItem) {
  Child<QAction>(root, menuItem).trigger();
}

void PickDate(const QWidget& root, const QDate& date) {
  auto& calendar = Child<QCalendarWidget>(root, "MonthView1");
  calendar.setSelectedDate(date);
  emit calendar.clicked(date);
}

void TypeDate(const QWidget& root, const QString& box, const QString& text, Qt::Key end) {
  QLineEdit& field = *Child(root, box).findChild<QLineEdit*>();
  QTest::mouseClick(&field, Qt::LeftButton, {}, QPoint(4, field.height() / 2));
  QTest::keyClicks(QApplication::focusWidget(), text);
  if (end != Qt::Key_unknown) QTest::keyClick(QApplication::focusWidget(), end);
}

bool TakePicture(QWidget& window, const char* name) {
  const QString folder = qEnvironmentVariable("BALLWRIGHT_PICTURES");
  if (folder.isEmpty()) return true;
  window.resize(1180, 760);  // the size it opens at on a desktop screen
  QCoreApplication::processEvents();
  return window.grab().save(folder + "/" + name);
}

QString Row(const QWidget& root, int first, int last, const QString& prefix) {
  QStringList captions;
  for (int k = first; k <= last; ++k) captions << Caption(root, prefix + QString::number(k));
  return captions.join('|');
}

void ForEachPage(ui::MainWindow& window, const std::function<void()>& check) {
  for (int page :
       {ui::kGeneralServices, ui::kRandomLineFinder, ui::kLineOptimiser, ui::kStatistics}) {
    if (page == ui::kLineOptimiser)
      window.ShowLineOptimiser();
    else
      QVERIFY(ChooseTab(window.MainTabs(), page));
    for (int choice = ui::kSingleLine; choice <= ui::kSixFrom49; ++choice) {
      if (page == ui::kGeneralServices) QVERIFY(ChooseTab(window.ChoiceTabs(), choice));
      QCoreApplication::processEvents();
      check();
      if (QTest::currentTestFailed() || page != ui::kGeneralServices) break;
    }
  }
}

QString AnswerFileDialog(const std::function<void()>& open, const QString& name, QString* folder) {
  QString proposed = kNoFileDialog;
  QObject guard;  // a dialog that never opened leaves no answer pending
  QTimer::singleShot(0, &guard, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    if (folder) *folder = dialog->directory().absolutePath();
    auto& edit = Child<QLineEdit>(*dialog, "fileNameEdit");
    proposed = edit.text();
    if (name.isEmpty()) return dialog->reject();
    edit.setText(name);
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  open();
  return proposed;
}

QTextBrowser* HelpPage() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == "HelpViewer") return widget->findChild<QTextBrowser*>("HelpText");
  return nullptr;
}

}  // namespace bw::uitest
