// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/splash_window.h"

#include <QVBoxLayout>

#include "ui/pictures.h"

namespace bw::ui {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("frmSplash");
  setWindowTitle("Ballwright");
  setStyleSheet(
      "#frmSplash { background: palette(highlight); } QLabel { color: palette(highlighted-text); "
      "}");
  setAttribute(Qt::WA_StyledBackground);

  auto* picture = new QLabel(this);
  picture->setObjectName("imgBalls");
  picture->setPixmap(BallsPicture(240));
  picture->setAlignment(Qt::AlignCenter);
  auto* name = new QLabel("Ballwright", this);
  name->setObjectName("lblName");
  name->setAlignment(Qt::AlignCenter);
  name->setStyleSheet("font-size: 26px; font-weight: bold;");
  auto* warning0 = new QLabel("Please wait loading [ this may take up to 5 minutes ]...,", this);
  warning0->setObjectName("lblWarning0");
  auto* warning1 = new QLabel("but the gained optimiser speed is worth while waiting for!", this);
  warning1->setObjectName("lblWarning1");
  count_ = new QLabel(this);
  count_->setObjectName("lblIntegrate");
  count_->setAlignment(Qt::AlignCenter);
  count_->setStyleSheet("font-size: 16px; font-weight: bold;");

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(28, 24, 28, 24);
  column->addWidget(picture);
  column->addWidget(name);
  column->addSpacing(10);
  for (QLabel* line : {warning0, warning1}) {
    line->setAlignment(Qt::AlignCenter);
    column->addWidget(line);
  }
  column->addSpacing(8);
  column->addWidget(count_);
  setFixedSize(sizeHint().expandedTo(QSize(460, 300)));
}

void SplashWindow::ShowProgress(std::size_t done, std::size_t total) {
  count_->setText(QStringLiteral("%1 / %2").arg(done).arg(total));
  const auto now = std::chrono::steady_clock::now();
  if (done == total || now - lastPaint_ >= std::chrono::milliseconds(15)) {
    lastPaint_ = now;
    count_->repaint();
  }
}

}  // namespace bw::ui
