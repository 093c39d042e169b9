// SPDX-License-Identifier: GPL-3.0-or-later
// The labels and buttons the pages of the main window are built from, so
// that a result box or a line of advice looks the same on every page.
#pragma once

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include "platform/services.h"

namespace bw::ui {

// A dark theme, told from the lightness of the window colour (the desktop's
// colour scheme is not known to Qt 6.4).
bool IsDarkTheme(const QPalette& colours);
// The text colour, faded for things drawn behind or beside what matters.
QColor FadedText(const QPalette& colours);

QLabel* NamedLabel(const QString& name, const QString& caption, QWidget* parent);
QFont FixedFont(int points, bool bold = false);
// A count or percentage box of a result panel.
QLabel* ResultBox(const QString& name, QWidget* parent, int points = 12);
QLabel* PictureLabel(const QString& name, const QPixmap& picture, QWidget* parent);
// A wrapped line of advice in the guidance style, named when it is looked up later.
QLabel* Guidance(const QString& text, QWidget* parent, const QString& name = QString());
// The page in a frameless scroll area, so that all of it can be reached
// when the window is smaller than the page.
QWidget* Scrolling(QWidget* page);
// A size that fits the screen's free room (less a title bar), the
// preferred size where there is room for it.
QSize FittedSize(const QSize& preferred, const QRect& available);
// A button that opens the help topic.
QPushButton* HelpButton(const char* name, const QString& caption, HelpViewer& help, int topic,
                        QWidget* parent);

}  // namespace bw::ui
