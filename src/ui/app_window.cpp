#include "ui/app_window.h"

#include <QActionGroup>
#include <QLayout>
#include <QMenuBar>

namespace tilvan::ui {

AppWindow::AppWindow(WordListCache& words, Prompts* prompts)
    : form_(new Form1(words, prompts, this)) {
  setObjectName(QStringLiteral("AppWindow"));
  setWindowTitle(form_->windowTitle());
  setCentralWidget(form_);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
  auto* group = new QActionGroup(this);
  for (std::size_t i = 0; i < kZoomSteps.size(); ++i) {
    const int percent = kZoomSteps[i];
    QAction* a = viewMenu->addAction(QStringLiteral("&%1 %").arg(percent));
    a->setObjectName(QStringLiteral("zoom%1").arg(percent));
    a->setCheckable(true);
    a->setShortcut(QKeySequence(QStringLiteral("Ctrl+%1").arg(i + 1)));
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, percent] { setZoom(percent); });
    zoomActions[i] = a;
  }
  const int saved = savedZoom();
  form_->setZoom(saved);
  for (std::size_t i = 0; i < kZoomSteps.size(); ++i)
    zoomActions[i]->setChecked(kZoomSteps[i] == saved);
}

void AppWindow::setZoom(int percent) {
  form_->setZoom(percent);
  for (std::size_t i = 0; i < kZoomSteps.size(); ++i)
    zoomActions[i]->setChecked(kZoomSteps[i] == percent);
  saveZoom(percent);
  adjustSize();
}

}  // namespace tilvan::ui
