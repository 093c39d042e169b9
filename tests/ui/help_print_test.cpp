// The help viewer over the program's own help file, and printing through Qt
// into a PDF file when no printer is set up.
#include <QApplication>
#include <QPrinterInfo>
#include <QTextBrowser>
#include <QtTest>

#include <filesystem>
#include <fstream>

#include "print/reports.h"
#include "support/test_folder.h"
#include "ui/help_viewer.h"
#include "ui/qt_print_surface.h"

using namespace bw;

namespace {

const std::filesystem::path kHelpFile = std::filesystem::path(BALLWRIGHT_DEMO_DIR) / "vomrix.HLP";

// The page shown in the help window, or null when there is no help window.
QTextBrowser* ViewerWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == "HelpViewer") return widget->findChild<QTextBrowser*>("HelpText");
  }
  return nullptr;
}

std::vector<std::filesystem::path> PdfFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".pdf") files.push_back(entry.path());
  }
  return files;
}

int PageCount(const std::string& pdf) {
  int pages = 0;
  for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
       at = pdf.find("/Type /Page", at + 1)) {
    if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
  }
  return pages;
}

const std::vector<std::string> kRows(300, "01-02-03-04-05-06 |  12|  1|  |  |  | 70%");

}  // namespace

class HelpPrintTest : public QObject {
  Q_OBJECT

 private slots:
  void everyContextNumberHasATopic() {
    for (auto [context, title] : {std::pair{340, "Contents"},
                                  {740, "Single Line"},
                                  {400, "Update"},
                                  {410, "Optimise"},
                                  {420, "6 from 49"},
                                  {430, "Random Line Finder"},
                                  {450, "Line Optimiser"},
                                  {750, "Hits, Balance and Rank"},
                                  {760, "Number Statistics"},
                                  {590, "Importing an unlisted Lottery"},
                                  {600, "Importing Published Draws"}}) {
      const std::string page = ui::HelpTopicHtml(kHelpFile, context);
      QVERIFY2(page.starts_with("<h2>" + std::string(title) + "</h2>"), title);
      QVERIFY2(page.find("#topic") == std::string::npos, title);  // ends before the next topic
    }
  }

  void missingFileOrTopicGivesNothing() {
    test::TestFolder folder;
    QVERIFY(ui::HelpTopicHtml(folder / "vomrix.HLP", 340).empty());
    QVERIFY(ui::HelpTopicHtml(kHelpFile, 999).empty());
    folder.Write("odd.HLP", "#topic\r\n#topic x Bad\r\n#topic 12 Twelve\r\nbody\r\n");
    QCOMPARE(ui::HelpTopicHtml(folder / "odd.HLP", 12), std::string("<h2>Twelve</h2>\nbody\n"));
  }

  void viewerShowsFollowsLinksAndCloses() {
    auto help = ui::MakeHelpViewer(kHelpFile);
    help->ShowTopic(430);
    QTextBrowser* window = ViewerWindow();
    QVERIFY(window && window->isVisible());
    QVERIFY(window->toPlainText().startsWith("Random Line Finder"));

    help->ShowTopic(340);  // the same window shows the next topic
    QCOMPARE(ViewerWindow(), window);
    QVERIFY(window->toPlainText().startsWith("Contents"));
    emit window->anchorClicked(QUrl("topic:590"));
    QVERIFY(window->toPlainText().startsWith("Importing an unlisted Lottery"));

    help->Close();
    QVERIFY(!window->isVisible());
    help.reset();
    QVERIFY(!ViewerWindow());

    test::TestFolder folder;
    auto missing = ui::MakeHelpViewer(folder / "vomrix.HLP");
    missing->ShowTopic(740);
    QVERIFY(ViewerWindow()->toPlainText().startsWith("Help topic 740 not found"));
    missing->Close();
  }

  void reportWithoutPrinterBecomesAPdf() {
    QCOMPARE(ui::PdfFileName("full system", QDateTime(QDate(2026, 12, 5), QTime(22, 15, 3))),
             "Ballwright full system 2026-12-05 22-15-03.pdf");
    if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a default printer is set up");
    test::TestFolder folder;
    {
      auto job = ui::OpenQtPrintJob(folder.Path(), "full system");
      PrintFullSystemReport(*job, kRows, "1-2-3-4-5-6-7-8-9-10-11-12", 0);
    }
    const auto files = PdfFiles(folder.Path());
    QCOMPARE(files.size(), std::size_t{1});
    std::ifstream in(files[0], std::ios::binary);
    const std::string pdf{std::istreambuf_iterator<char>(in), {}};
    QVERIFY(pdf.starts_with("%PDF"));
    QVERIFY(PageCount(pdf) >= 2);  // 300 rows do not fit on one page
  }

  void printingIntoAnUnusableFolderIsIgnored() {
    if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a default printer is set up");
    test::TestFolder folder;
    folder.Write("plain-file", "not a folder");
    auto job = ui::OpenQtPrintJob(folder / "plain-file", "full system");
    PrintFullSystemReport(*job, kRows, "1-2", 0);  // no crash, nothing written
    job.reset();
    QCOMPARE(folder.Read("plain-file"), std::string("not a folder"));
    QVERIFY(PdfFiles(folder.Path()).empty());
  }

  void fixedPitchFontIsMonospaced() {
    const QFont font = ui::FixedPitchFont("No Such Family At All", 9);
    QVERIFY(QFontInfo(font).fixedPitch());
    QCOMPARE(font.pointSize(), 9);
  }
};

QTEST_MAIN(HelpPrintTest)
#include "help_print_test.moc"
