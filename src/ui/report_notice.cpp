// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/report_notice.h"

#include <filesystem>

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace bw::ui {
namespace {

class NoticingSurface : public PrintSurface {
 public:
  NoticingSurface(std::unique_ptr<PrintSurface> job,
                  std::function<void(const std::string&)> written)
      : job_(std::move(job)), written_(std::move(written)) {}
  ~NoticingSurface() override { EndDocument(); }

  void SetFont(const std::string& name, int points) override { job_->SetFont(name, points); }
  void SetBold(bool on) override { job_->SetBold(on); }
  void SetUnderline(bool on) override { job_->SetUnderline(on); }
  void Print(const std::string& text) override { job_->Print(text); }
  void PrintLine(const std::string& text) override { job_->PrintLine(text); }
  void EmptyLine() override { job_->EmptyLine(); }
  void EndDocument() override {
    if (ended_) return;
    ended_ = true;
    job_->EndDocument();
    written_(job_->OutputFile());
  }
  std::string OutputFile() const override { return job_->OutputFile(); }

 private:
  std::unique_ptr<PrintSurface> job_;
  std::function<void(const std::string&)> written_;
  bool ended_ = false;
};

}  // namespace

ReportNotice::ReportNotice(std::function<void(const std::string&)> openFolder, QWidget* parent)
    : QWidget(parent), openFolder_(std::move(openFolder)) {
  if (!openFolder_) {
    openFolder_ = [](const std::string& folder) {
      QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
    };
  }
  setObjectName("ReportNotice");
  text_ = new QLabel(this);
  text_->setObjectName("lblReportWritten");
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  openButton_ = new QPushButton("Open &folder", this);
  openButton_->setObjectName("cmdOpenReportFolder");
  openButton_->hide();
  connect(openButton_, &QPushButton::clicked, this, [this] { openFolder_(folder_); });
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(text_, 1);
  row->addWidget(openButton_);
}

void ReportNotice::ShowWritten(const std::string& file) {
  if (file.empty()) {
    text_->setText("Report sent to the printer.");
    openButton_->hide();
    return;
  }
  std::error_code error;
  const bool written = std::filesystem::exists(file, error);
  folder_ = std::filesystem::path(file).parent_path().string();
  text_->setText((written ? "Report written to " : "The report could not be written to ") +
                 QString::fromStdString(file));
  openButton_->setVisible(written);
}

std::unique_ptr<PrintSurface> NoticeWhenWritten(std::unique_ptr<PrintSurface> job,
                                                std::function<void(const std::string&)> written) {
  if (!job) return job;
  return std::make_unique<NoticingSurface>(std::move(job), std::move(written));
}

}  // namespace bw::ui
