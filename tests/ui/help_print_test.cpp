// The help viewer over the program's own help file, and printing through Qt
// into a PDF file when no printer is set up.
#include <QPrinterInfo>
#include <filesystem>
#include <fstream>

#include "print/reports.h"
#include "ui/help_viewer.h"
#include "ui/qt_print_surface.h"
#include "ui/ui_test_support.h"

using namespace bw;
using namespace bw::uitest;

namespace {

const std::filesystem::path kHelpFile = std::filesystem::path(BALLWRIGHT_DEMO_DIR) / "vomrix.HLP";

// The pages of each PDF file in the folder (-1 for a file that is no PDF).
std::vector<int> PdfPages(const std::filesystem::path& folder) {
  std::vector<int> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".pdf") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string pdf{std::istreambuf_iterator<char>(in), {}};
    int pages = 0;
    for (auto at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
      if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
    files.push_back(pdf.starts_with("%PDF") ? pages : -1);
  }
  return files;
}

}  // namespace

class HelpPrintTest : public QObject {
  Q_OBJECT

 private slots:
  void everyContextNumberHasATopic() {
    const QStringList topics = QString(
                                   "340 Contents|740 Single Line|400 Update|410 Optimise|"
                                   "420 6 from 49|430 Random Line Finder|450 Line Optimiser|"
                                   "750 Hits, Balance and Rank|760 Number Statistics|"
                                   "590 Importing an unlisted Lottery|"
                                   "600 Importing Published Draws")
                                   .split('|');
    for (const QString& topic : topics) {
      const std::string page = ui::HelpTopicHtml(kHelpFile, topic.section(' ', 0, 0).toInt());
      const std::string title = topic.section(' ', 1).toStdString();
      QVERIFY2(page.starts_with("<h2>" + title + "</h2>"), title.c_str());
      QVERIFY2(page.find("#topic") == std::string::npos, title.c_str());  // ends before the next
    }
    QVERIFY(ui::HelpTopicHtml(kHelpFile, 999).empty());
    test::TestFolder folder;
    folder.Write("odd.HLP", "#topic\r\n#topic x Bad\r\n#topic 12 Twelve\r\nbody\r\n");
    QCOMPARE(ui::HelpTopicHtml(folder / "odd.HLP", 12), std::string("<h2>Twelve</h2>\nbody\n"));
  }

  void viewerShowsFollowsLinksAndCloses() {
    auto help = ui::MakeHelpViewer(kHelpFile);
    help->ShowTopic(430);
    QTextBrowser* page = HelpPage();
    QVERIFY(page && page->isVisible());
    QVERIFY(page->toPlainText().startsWith("Random Line Finder"));
    help->ShowTopic(340);  // the same window shows the next topic
    QCOMPARE(HelpPage(), page);
    QVERIFY(page->toPlainText().startsWith("Contents"));
    emit page->anchorClicked(QUrl("topic:590"));
    QVERIFY(page->toPlainText().startsWith("Importing an unlisted Lottery"));
    help->Close();
    QVERIFY(!page->isVisible());
    help.reset();
    QVERIFY(!HelpPage());

    test::TestFolder folder;
    auto missing = ui::MakeHelpViewer(folder / "vomrix.HLP");
    missing->ShowTopic(740);
    QVERIFY(HelpPage()->toPlainText().startsWith("Help topic 740 not found"));
    missing->Close();
  }

  // 300 rows need more than one page; a folder that cannot be written to
  // gets nothing, and nothing fails.
  void reportWithoutPrinterBecomesAPdf() {
    QCOMPARE(ui::PdfFileName("full system", QDateTime(QDate(2026, 12, 5), QTime(22, 15, 3))),
             "Ballwright full system 2026-12-05 22-15-03.pdf");
    if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a default printer is set up");
    const std::vector<std::string> rows(300, "01-02-03-04-05-06 |  12|  1|  |  |  | 70%");
    test::TestFolder folder;
    folder.Write("plain-file", "not a folder");
    for (const char* place : {"", "plain-file"}) {
      auto job = ui::OpenQtPrintJob(folder / place, "full system");
      PrintFullSystemReport(*job, rows, "1-2-3-4-5-6-7-8-9-10-11-12", 0);
    }
    const std::vector<int> pages = PdfPages(folder.Path());
    QCOMPARE(pages.size(), std::size_t{1});
    QVERIFY(pages[0] >= 2);
    QCOMPARE(folder.Read("plain-file"), std::string("not a folder"));
  }

  void fixedPitchFontIsMonospaced() {
    const QFont font = ui::FixedPitchFont("No Such Family At All", 9);
    QVERIFY(QFontInfo(font).fixedPitch());
    QCOMPARE(font.pointSize(), 9);
  }
};

QTEST_MAIN(HelpPrintTest)
#include "help_print_test.moc"
