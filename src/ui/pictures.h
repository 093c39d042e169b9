// SPDX-License-Identifier: GPL-3.0-or-later
// The program's pictures, drawn with QPainter so they scale cleanly: the
// three verdict faces, the magnifier, the gear and the lottery balls.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace bw::ui {

enum class FaceKind { Happy, Moody, VeryMoody };

QPixmap FacePicture(FaceKind kind, int size);
QPixmap MagnifierPicture(int size);
QPixmap GearPicture(int size);
// Three numbered balls, for the splash window and the Update page.
QPixmap BallsPicture(int width);
QIcon ProgramIcon();

}  // namespace bw::ui
