// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/page_widgets.h"

#include <QFontDatabase>
#include <QScrollArea>

namespace bw::ui {

bool IsDarkTheme(const QPalette& colours) {
  return colours.color(QPalette::Window).lightness() < 128;
}

QColor FadedText(const QPalette& colours) {
  QColor faded = colours.color(QPalette::Text);
  faded.setAlphaF(0.45f);
  return faded;
}

QLabel* NamedLabel(const QString& name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

QFont FixedFont(int points, bool bold) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(points);
  font.setBold(bold);
  return font;
}

QLabel* ResultBox(const QString& name, QWidget* parent, int points) {
  QLabel* label = NamedLabel(name, QString(), parent);
  label->setFont(FixedFont(points, true));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setMinimumSize(72, 30);
  label->setMaximumHeight(44);
  label->setProperty("resultBox", true);
  return label;
}

QLabel* PictureLabel(const QString& name, const QPixmap& picture, QWidget* parent) {
  QLabel* label = NamedLabel(name, QString(), parent);
  label->setPixmap(picture);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

QLabel* Guidance(const QString& text, QWidget* parent, const QString& name) {
  QLabel* label = NamedLabel(name, text, parent);
  label->setWordWrap(true);
  label->setProperty("guidance", true);
  return label;
}

QWidget* Scrolling(QWidget* page) {
  auto* area = new QScrollArea(page->parentWidget());
  area->setObjectName(page->objectName() + "Scroll");
  area->setFrameShape(QFrame::NoFrame);
  area->setFocusPolicy(Qt::NoFocus);
  area->setWidgetResizable(true);
  area->setWidget(page);
  return area;
}

QSize FittedSize(const QSize& preferred, const QRect& available) {
  constexpr QSize kTitleBar(0, 40);
  return preferred.boundedTo(available.size() - kTitleBar);
}

QPushButton* HelpButton(const char* name, const QString& caption, HelpViewer& help, int topic,
                        QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  QObject::connect(button, &QPushButton::clicked, parent,
                   [&help, topic] { help.ShowTopic(topic); });
  return button;
}

}  // namespace bw::ui
