#include "ui/help_viewer.h"

#include <charconv>
#include <fstream>

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

#include "model/numbers.h"

namespace bw::ui {

namespace {

constexpr std::string_view kTopicMarker = "#topic ";

// The context number and title of a "#topic NNN Title" line.
bool ParseTopicLine(std::string_view line, int& number, std::string& title) {
  if (!line.starts_with(kTopicMarker)) return false;
  line.remove_prefix(kTopicMarker.size());
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), number);
  if (error != std::errc()) return false;
  title = std::string(TrimBlanks(line.substr(end - line.data())));
  return true;
}

std::string HtmlEscaped(const std::string& text) {
  return QString::fromStdString(text).toHtmlEscaped().toStdString();
}

std::string NotFoundPage(const std::filesystem::path& helpFile, int contextNumber) {
  return "<h2>Help topic " + std::to_string(contextNumber) + " not found</h2><p>The help file " +
         HtmlEscaped(helpFile.string()) + " is missing or has no topic " +
         std::to_string(contextNumber) + ".</p>";
}

class TextBrowserHelp : public HelpViewer {
 public:
  TextBrowserHelp(std::filesystem::path helpFile, QWidget* owner)
      : helpFile_(std::move(helpFile)), owner_(owner) {}
  ~TextBrowserHelp() override { delete browser_.data(); }

  void ShowTopic(int contextNumber) override {
    std::string page = HelpTopicHtml(helpFile_, contextNumber);
    if (page.empty()) page = NotFoundPage(helpFile_, contextNumber);
    QTextBrowser* browser = Browser();
    browser->setHtml(QString::fromStdString(page));
    browser->show();
    browser->raise();
    browser->activateWindow();
  }
  void Close() override {
    if (browser_) browser_->close();
  }

 private:
  QTextBrowser* Browser() {
    if (browser_) return browser_;
    browser_ = new QTextBrowser(owner_);
    browser_->setWindowFlag(Qt::Window);
    browser_->setObjectName("HelpViewer");
    browser_->setWindowTitle("Ballwright Help");
    browser_->setOpenLinks(false);
    browser_->resize(620, 520);
    QObject::connect(browser_, &QTextBrowser::anchorClicked, browser_, [this](const QUrl& url) {
      if (url.scheme() == "topic") ShowTopic(url.path().toInt());
    });
    return browser_;
  }

  std::filesystem::path helpFile_;
  QPointer<QWidget> owner_;
  QPointer<QTextBrowser> browser_;
};

}  // namespace

std::string HelpTopicHtml(const std::filesystem::path& helpFile, int contextNumber) {
  std::ifstream in(helpFile, std::ios::binary);
  std::string line, title, body;
  bool inTopic = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    int number = 0;
    std::string lineTitle;
    if (ParseTopicLine(line, number, lineTitle)) {
      if (inTopic) break;
      inTopic = number == contextNumber;
      if (inTopic) title = lineTitle;
      continue;
    }
    if (inTopic) body += line + "\n";
  }
  if (title.empty() && body.empty()) return {};
  return "<h2>" + HtmlEscaped(title) + "</h2>\n" + body;
}

std::unique_ptr<HelpViewer> MakeHelpViewer(const std::filesystem::path& helpFile, QWidget* owner) {
  return std::make_unique<TextBrowserHelp>(helpFile, owner);
}

}  // namespace bw::ui
