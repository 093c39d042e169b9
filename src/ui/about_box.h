// SPDX-License-Identifier: GPL-3.0-or-later
// Help > "About Ballwright": the version and the licence.
#pragma once

class QWidget;

namespace bw::ui {

void ShowAboutBox(QWidget* parent);

}  // namespace bw::ui
