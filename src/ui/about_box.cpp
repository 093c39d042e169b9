// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about_box.h"

#include <QMessageBox>

#include "ui/start_up.h"

namespace bw::ui {

void ShowAboutBox(QWidget* parent) {
  QMessageBox::about(
      parent, "About Ballwright",
      QString("<h3>Ballwright %1</h3>"
              "<p>Measures lines of six numbers against the history of past draws.</p>"
              "<p>Ballwright is free software under the GNU General Public License, version 3 "
              "or later: you may pass it on and change it under the terms of that licence.</p>"
              "<p>It comes with no warranty, to the extent the law allows.</p>")
          .arg(ProgramVersion()));
}

}  // namespace bw::ui
