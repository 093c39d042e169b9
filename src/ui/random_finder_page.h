// The Random Line Finder page: eight dealt lines with their result rows; two
// picked lines go to the Line Optimiser.
#pragma once

#include <QWidget>

#include "ui/page_host.h"

namespace bw::ui {

class RandomFinderPage : public QWidget {
  Q_OBJECT
 public:
  RandomFinderPage(PageHost& host, QWidget* parent);
  // Entering the page from the tab strip (after ChosenLines and
  // NextNumberSlot are reset): the guidance text, the line buttons and
  // cmdContinue enabled.
  void Enter();
};

}  // namespace bw::ui
