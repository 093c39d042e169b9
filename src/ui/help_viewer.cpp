// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_viewer.h"

#include <charconv>
#include <fstream>

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <vector>

#include "model/numbers.h"
#include "ui/page_widgets.h"

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

// The help window belongs to no other window: a modal dialog blocks only its
// own owner, so help opened from the dialog stays readable and usable.
class TextBrowserHelp : public HelpViewer {
 public:
  explicit TextBrowserHelp(std::filesystem::path helpFile) : helpFile_(std::move(helpFile)) {}
  ~TextBrowserHelp() override { delete window_.data(); }

  void ShowTopic(int contextNumber) override {
    if (visited_.empty() || visited_.back() != contextNumber) visited_.push_back(contextNumber);
    Show(contextNumber);
    window_->show();
    window_->raise();
    window_->activateWindow();
  }
  void Close() override {
    if (window_) window_->close();
  }

 private:
  void Show(int contextNumber) {
    std::string page = HelpTopicHtml(helpFile_, contextNumber);
    if (page.empty()) page = NotFoundPage(helpFile_, contextNumber);
    Build();
    text_->setHtml(QString::fromStdString(page));
    back_->setEnabled(visited_.size() > 1);
  }
  void Back() {
    if (visited_.size() < 2) return;
    visited_.pop_back();
    Show(visited_.back());
  }
  void Build() {
    if (window_) return;
    window_ = new QWidget(nullptr, Qt::Window);
    window_->setObjectName("HelpViewer");
    window_->setWindowTitle("Ballwright Help");
    window_->resize(FittedSize({620, 520}, window_->screen()->availableGeometry()));
    auto* close = new QShortcut(QKeySequence::Cancel, window_);  // Escape closes it
    QObject::connect(close, &QShortcut::activated, window_, &QWidget::close);
    back_ = new QPushButton("&Back", window_);
    back_->setObjectName("HelpBack");
    auto* contents = new QPushButton("C&ontents", window_);
    contents->setObjectName("HelpContents");
    text_ = new QTextBrowser(window_);
    text_->setObjectName("HelpText");
    text_->setOpenLinks(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(contents);
    buttons->addStretch();
    auto* column = new QVBoxLayout(window_);
    column->addLayout(buttons);
    column->addWidget(text_, 1);
    QObject::connect(back_, &QPushButton::clicked, window_, [this] { Back(); });
    QObject::connect(contents, &QPushButton::clicked, window_,
                     [this] { ShowTopic(help_topic::kContents); });
    QObject::connect(text_, &QTextBrowser::anchorClicked, window_, [this](const QUrl& url) {
      if (url.scheme() == "topic") ShowTopic(url.path().toInt());
    });
  }

  std::filesystem::path helpFile_;
  std::vector<int> visited_;  // topics in the order shown; Back returns along it
  QPointer<QWidget> window_;
  QPushButton* back_ = nullptr;
  QTextBrowser* text_ = nullptr;
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

std::unique_ptr<HelpViewer> MakeHelpViewer(const std::filesystem::path& helpFile) {
  return std::make_unique<TextBrowserHelp>(helpFile);
}

}  // namespace bw::ui
