// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGraphicsItem>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <cmath>
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
  services.showLotteryDialog = [this](Session& shown, QWidget*) {
    ++dialogShown;
    if (dialogAction) dialogAction(shown.State());
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
  for (int page : {ui::kGeneralServices, ui::kRandomLineFinder, ui::kLineOptimiser, ui::kStatistics,
                   ui::kHistory, ui::kWheels}) {
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

void RunScript(QWidget& root, const QString& script, const std::function<void()>& beforeEach) {
  static const QRegularExpression token("@\\w+(=\\w+)?|<[\\w+]+>|[^@<]+");
  for (const auto& match : token.globalMatch(script)) {
    const QString part = match.captured();
    if (beforeEach) beforeEach();
    if (part.contains('=')) {
      auto& combo = Child<QComboBox>(root, part.section('=', 0, 0).mid(1));
      combo.showPopup();
      QAbstractItemView* view = combo.view();
      const QModelIndex item = view->model()->index(combo.findText(part.section('=', 1)), 0);
      QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    } else if (part.startsWith('@')) {
      QTest::mouseClick(&Child(root, part.mid(1)), Qt::LeftButton);
    } else if (part.startsWith('<')) {
      QTest::keySequence(QApplication::focusWidget(),
                         QKeySequence::fromString(part.mid(1, part.size() - 2)));
    } else {
      for (QChar character : part) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
      }
    }
  }
}

QTextBrowser* HelpPage() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == "HelpViewer") return widget->findChild<QTextBrowser*>("HelpText");
  return nullptr;
}

QString Spoken(const QWidget& root, const QString& name, QAccessible::Text kind) {
  return QAccessible::queryAccessibleInterface(&Child(root, name))->text(kind);
}

void ClickHeading(QTableWidget& table, int column) {
  QHeaderView& header = *table.horizontalHeader();
  const int x = header.sectionViewportPosition(column) + header.sectionSize(column) / 2;
  QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, QPoint(x, header.height() / 2));
}

QList<double> Column(const QTableWidget& table, int column) {
  QList<double> values;
  for (int row = 0; row < table.rowCount(); ++row)
    values << table.item(row, column)->text().toDouble();
  return values;
}

namespace {

// 1, 2, 2.5 or 5 times a power of ten.
bool IsRound(double step) {
  const double scaled = step / std::pow(10.0, std::floor(std::log10(step)));
  return std::ranges::any_of(std::array{1.0, 2.0, 2.5, 5.0, 10.0},
                             [scaled](double round) { return std::abs(scaled - round) < 1e-6; });
}

}  // namespace

QStringList ChartFaults(ui::ChartPanel& panel) {
  QStringList faults, shown;
  const qreal ratio = panel.devicePixelRatioF();
  for (const QGraphicsItem* item : panel.View().scene()->items()) {
    if (!item->isVisible()) continue;
    if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item)) {
      shown << text->toPlainText();
      if (text->toPlainText().contains(QChar(0x2026))) faults << "cut " + text->toPlainText();
    } else if (const auto* bar = dynamic_cast<const QGraphicsRectItem*>(item)) {
      if (bar->rect().width() * ratio < 3 && bar->rect().height() > 0)
        faults << QStringLiteral("bar of %1 device pixels").arg(bar->rect().width() * ratio);
    }
  }
  for (QAbstractAxis* axis : panel.Chart().axes()) {
    if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis)) {
      for (const QString& category : categories->categories())
        if (!shown.contains(category)) faults << "no label " + category;
    } else if (const auto* values = qobject_cast<QValueAxis*>(axis)) {
      const double step = (values->max() - values->min()) / (values->tickCount() - 1);
      if (!IsRound(step) || std::fmod(values->min(), step) != 0)
        faults << QStringLiteral("ticks %1 to %2").arg(values->min()).arg(values->max());
    }
  }
  return faults;
}

std::vector<int> PdfPages(const TestFolder& folder) {
  std::vector<int> files;
  for (const auto& [name, pdf] : folder.Files()) {
    if (!name.ends_with(".pdf")) continue;
    int pages = 0;
    for (auto at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
      if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
    files.push_back(pdf.starts_with("%PDF") ? pages : -1);
  }
  return files;
}

AnsweredBoxes::AnsweredBoxes() {
  QObject::connect(&poll_, &QTimer::timeout, [this] { AnswerOpenBox(); });
  poll_.start(5);
}

void AnsweredBoxes::AnswerOpenBox() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (!box || box->property("answered").toBool()) return;
  box->setProperty("answered", true);
  seen << box->windowTitle() + "|" + box->text();
  const QChar answer = answers.isEmpty() ? QChar('o') : answers.front();
  answers.remove(0, 1);
  const auto button = answer == 'y'   ? QMessageBox::Yes
                      : answer == 'n' ? QMessageBox::No
                                      : QMessageBox::Ok;
  QTest::mouseClick(box->button(button), Qt::LeftButton);
}

}  // namespace bw::uitest
