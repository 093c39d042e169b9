// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_print_surface.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace bw::ui {

namespace {

// Draws text line by line on a QPrinter; a new page starts when the next
// line would not fit. Any failure to start leaves an inert surface.
class QtPrintSurface : public PrintSurface {
 public:
  explicit QtPrintSurface(std::unique_ptr<QPrinter> printer)
      : printer_(std::move(printer)), outputFile_(printer_->outputFileName().toStdString()) {
    if (painter_.begin(printer_.get())) {
      page_ = painter_.viewport();
      ApplyFont();
      y_ = 0;
    }
  }
  ~QtPrintSurface() override { EndDocument(); }

  void SetFont(const std::string& name, int points) override {
    family_ = name;
    points_ = points;
    ApplyFont();
  }
  void SetBold(bool on) override {
    bold_ = on;
    ApplyFont();
  }
  void SetUnderline(bool on) override {
    underline_ = on;
    ApplyFont();
  }
  void Print(const std::string& text) override {
    if (!painter_.isActive() || text.empty()) return;
    const QString line = QString::fromStdString(text);
    const QFontMetricsF metrics(painter_.font(), printer_.get());
    painter_.drawText(QPointF(x_, y_ + metrics.ascent()), line);
    x_ += metrics.horizontalAdvance(line);
  }
  void PrintLine(const std::string& text) override {
    Print(text);
    NewLine();
  }
  void EmptyLine() override { NewLine(); }
  void EndDocument() override {
    if (painter_.isActive()) painter_.end();
  }
  std::string OutputFile() const override { return outputFile_; }

 private:
  void ApplyFont() {
    if (!painter_.isActive()) return;
    QFont font = FixedPitchFont(family_, points_);
    font.setBold(bold_);
    font.setUnderline(underline_);
    painter_.setFont(font);
  }
  void NewLine() {
    if (!painter_.isActive()) return;
    const double height = QFontMetricsF(painter_.font(), printer_.get()).lineSpacing();
    x_ = 0;
    y_ += height;
    if (y_ + height > page_.height()) {
      printer_->newPage();
      y_ = 0;
    }
  }

  std::unique_ptr<QPrinter> printer_;
  std::string outputFile_;
  QPainter painter_;
  QRect page_;
  std::string family_ = "Courier";
  int points_ = 9;
  bool bold_ = false, underline_ = false;
  double x_ = 0, y_ = 0;
};

std::filesystem::path FreePdfPath(const std::filesystem::path& folder, const std::string& what) {
  const std::string name = PdfFileName(what, QDateTime::currentDateTime());
  std::filesystem::path path = folder / name;
  std::error_code ignored;
  // Two reports in the same second keep both files.
  for (int copy = 2; std::filesystem::exists(path, ignored) && copy < 100; ++copy) {
    path = folder / (name.substr(0, name.size() - 4) + " (" + std::to_string(copy) + ").pdf");
  }
  return path;
}

}  // namespace

std::string PdfFileName(const std::string& what, const QDateTime& when) {
  return "Ballwright " + what + " " + when.toString("yyyy-MM-dd HH-mm-ss").toStdString() + ".pdf";
}

QFont FixedPitchFont(const std::string& family, int points) {
  QFont font(QString::fromStdString(family), points);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  if (QFontInfo(font).fixedPitch()) return font;
  font.setFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
  if (QFontInfo(font).fixedPitch()) return font;
  // Some monospace fonts do not say so; take the first installed one that does.
  for (const QString& installed : QFontDatabase::families()) {
    if (QFontDatabase::isFixedPitch(installed)) {
      font.setFamily(installed);
      break;
    }
  }
  return font;
}

std::unique_ptr<PrintSurface> OpenQtPrintJob(const std::filesystem::path& programFolder,
                                             const std::string& what) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
  if (!defaultPrinter.isNull()) {
    printer->setPrinterName(defaultPrinter.printerName());
  } else {
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(FreePdfPath(programFolder, what).string()));
  }
  printer->setDocName(QString::fromStdString("Ballwright " + what));
  return std::make_unique<QtPrintSurface>(std::move(printer));
}

}  // namespace bw::ui
