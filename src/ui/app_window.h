// The program's top-level window: the menu bar above Form1, the client area.
// Form1 keeps its design size and places; the View menu scales it.
#pragma once

#include <QMainWindow>
#include <array>

#include "ui/main_window.h"
#include "ui/zoom.h"

class QAction;
class QMenu;

namespace tilvan::ui {

class AppWindow : public QMainWindow {
  Q_OBJECT
 public:
  // As Form1's constructor (start-up runs, its message shown first); the
  // zoom is the one saved by the last run.
  explicit AppWindow(WordListCache& words, Prompts* prompts = nullptr);

  Form1& form() { return *form_; }

  // Scales the client area to `percent` (one of kZoomSteps), ticks its menu
  // item and remembers it for the next run.
  void setZoom(int percent);

  QMenu* viewMenu = nullptr;
  std::array<QAction*, kZoomSteps.size()> zoomActions{};

 private:
  Form1* form_;
};

}  // namespace tilvan::ui
