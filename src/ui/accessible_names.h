// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says for the labels that show results: the hit
// counts, the percentages, the number slots, the random finder's cells and
// the faces. Their captions are bare counts and numbers, so their spoken
// names put them in words ("Line 3, 3 numbers right: 63 draws"), worked out
// from the label's objectName and caption each time they are read.
#pragma once

#include <QString>

class QLabel;

namespace bw::ui {

struct SpokenLabel {
  QString name, description;  // both empty: the label speaks for itself
};

SpokenLabel SpeakLabel(const QLabel& label);

// Makes screen readers use SpeakLabel (once per program; later calls do nothing).
void InstallAccessibleNames();

}  // namespace bw::ui
