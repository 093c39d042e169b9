// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QScreen>
#include <cmath>
#include <numbers>

namespace bw::ui {
namespace {

// A transparent pixmap at the screen's pixel ratio, painted antialiased in
// logical coordinates by draw(painter, width).
template <typename Draw>
QPixmap Painted(int width, int height, Draw draw) {
  const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(QSize(width, height) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter, static_cast<qreal>(width));
  painter.end();
  return pixmap;
}

void ShadedDisc(QPainter& painter, QPointF centre, qreal radius, QColor base) {
  QRadialGradient shading(centre - QPointF(radius / 3, radius / 3), radius * 1.3);
  shading.setColorAt(0, base.lighter(160));
  shading.setColorAt(0.6, base);
  shading.setColorAt(1, base.darker(150));
  painter.setBrush(shading);
  painter.setPen(QPen(base.darker(200), radius / 18));
  painter.drawEllipse(centre, radius, radius);
}

void DrawMouth(QPainter& painter, FaceKind kind, qreal s) {
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(60, 40, 20), s * 0.05, Qt::SolidLine, Qt::RoundCap));
  QPainterPath mouth;
  mouth.moveTo(s * 0.30, s * 0.66);
  switch (kind) {
    case FaceKind::Happy:
      mouth.quadTo(s * 0.5, s * 0.86, s * 0.70, s * 0.66);
      break;
    case FaceKind::Moody:
      mouth.lineTo(s * 0.70, s * 0.68);
      break;
    case FaceKind::VeryMoody:
      mouth.moveTo(s * 0.30, s * 0.74);
      mouth.quadTo(s * 0.5, s * 0.56, s * 0.70, s * 0.74);
      break;
  }
  painter.drawPath(mouth);
}

QColor FaceColour(FaceKind kind) {
  switch (kind) {
    case FaceKind::Happy:
      return QColor(250, 200, 40);
    case FaceKind::Moody:
      return QColor(245, 160, 60);
    case FaceKind::VeryMoody:
      return QColor(225, 90, 70);
  }
  return Qt::gray;
}

}  // namespace

QPixmap FacePicture(FaceKind kind, int size) {
  return Painted(size, size, [&](QPainter& painter, qreal s) {
    ShadedDisc(painter, {s / 2, s / 2}, s * 0.46, FaceColour(kind));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 40, 20));
    painter.drawEllipse(QPointF(s * 0.36, s * 0.40), s * 0.05, s * 0.07);
    painter.drawEllipse(QPointF(s * 0.64, s * 0.40), s * 0.05, s * 0.07);
    if (kind == FaceKind::VeryMoody) {  // frowning brows
      painter.setPen(QPen(QColor(60, 40, 20), s * 0.04, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(QPointF(s * 0.26, s * 0.27), QPointF(s * 0.42, s * 0.31));
      painter.drawLine(QPointF(s * 0.74, s * 0.27), QPointF(s * 0.58, s * 0.31));
    }
    DrawMouth(painter, kind, s);
  });
}

QPixmap MagnifierPicture(int size) {
  return Painted(size, size, [&](QPainter& painter, qreal s) {
    painter.setPen(QPen(QColor(70, 50, 35), s * 0.12, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(s * 0.60, s * 0.60), QPointF(s * 0.90, s * 0.90));
    QRadialGradient glass(QPointF(s * 0.34, s * 0.34), s * 0.35);
    glass.setColorAt(0, QColor(230, 245, 255, 220));
    glass.setColorAt(1, QColor(150, 200, 240, 200));
    painter.setBrush(glass);
    painter.setPen(QPen(QColor(90, 100, 115), s * 0.07));
    painter.drawEllipse(QPointF(s * 0.40, s * 0.40), s * 0.28, s * 0.28);
    painter.setPen(QPen(QColor(255, 255, 255, 200), s * 0.04, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(s * 0.22, s * 0.22, s * 0.30, s * 0.30), 100 * 16, 70 * 16);
  });
}

QPixmap GearPicture(int size) {
  return Painted(size, size, [&](QPainter& painter, qreal s) {
    const QPointF centre(s / 2, s / 2);
    constexpr int kTeeth = 10;
    QPainterPath outline;
    for (int i = 0; i < kTeeth * 4; ++i) {
      const qreal angle = i * std::numbers::pi / (kTeeth * 2);
      const qreal radius = (i % 4 < 2) ? s * 0.46 : s * 0.36;
      const QPointF point = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
      if (i == 0) {
        outline.moveTo(point);
      } else {
        outline.lineTo(point);
      }
    }
    outline.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(centre, s * 0.13, s * 0.13);
    QLinearGradient steel(0, 0, s, s);
    steel.setColorAt(0, QColor(170, 180, 195));
    steel.setColorAt(1, QColor(90, 100, 120));
    painter.setBrush(steel);
    painter.setPen(QPen(QColor(60, 65, 80), s * 0.02));
    painter.drawPath(outline.subtracted(hole));
  });
}

QPixmap BallsPicture(int width) {
  const int height = width * 2 / 5;
  return Painted(width, height, [&](QPainter& painter, qreal) {
    const QColor colours[] = {QColor(220, 60, 60), QColor(60, 130, 220), QColor(60, 170, 90)};
    const char* numbers[] = {"6", "49", "13"};
    const qreal radius = height * 0.42;
    for (int i = 0; i < 3; ++i) {
      const QPointF centre(width * (0.2 + 0.3 * i), height / 2.0);
      ShadedDisc(painter, centre, radius, colours[i]);
      painter.setPen(Qt::NoPen);
      painter.setBrush(Qt::white);
      painter.drawEllipse(centre, radius * 0.5, radius * 0.5);
      QFont font = painter.font();
      font.setBold(true);
      font.setPixelSize(static_cast<int>(radius * 0.55));
      painter.setFont(font);
      painter.setPen(QColor(40, 40, 40));
      painter.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                       Qt::AlignCenter, numbers[i]);
    }
  });
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 64}) icon.addPixmap(BallsPicture(size * 5 / 2));
  return icon;
}

}  // namespace bw::ui
