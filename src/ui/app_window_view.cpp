// AppWindow's "View" menu: the zoom of the client area, the menu bar and the
// status line alike, and a window that never grows past the screen's free
// area (the client area scrolls instead).
#include <QActionGroup>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>

#include "ui/app_window.h"
#include "ui/geometry.h"
#include "ui/main_window.h"
#include "ui/widgets.h"

namespace tilvan::ui {

void AppWindow::buildViewMenu() {
  viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
  viewMenu->setObjectName(QStringLiteral("mnuView"));
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
  // Without a zoom of its own choosing, the window takes the largest that
  // fits the screen; a stored zoom that the menu does not offer shows the
  // design's size.
  const int saved = settings_.zoomPercent;
  const bool offered = std::find(kZoomSteps.begin(), kZoomSteps.end(), saved) != kZoomSteps.end();
  const int start = offered ? saved : saved == 0 ? fittingZoom() : 100;
  form_->setZoom(start);
  for (std::size_t i = 0; i < kZoomSteps.size(); ++i)
    zoomActions[i]->setChecked(kZoomSteps[i] == start);
}

void AppWindow::setZoom(int percent) {
  form_->setZoom(percent);
  for (std::size_t i = 0; i < kZoomSteps.size(); ++i)
    zoomActions[i]->setChecked(kZoomSteps[i] == percent);
  settings_.zoomPercent = percent;
  save();
  fitToScreen();
}

void AppWindow::setScreenRoom(std::optional<QSize> room) {
  room_ = room;
  fitToScreen();
}

QSize AppWindow::screenRoom() const {
  if (room_) return *room_;
  const QScreen* s = screen();
  if (!s) return QSize(1 << 14, 1 << 14);
  QSize room = s->availableGeometry().size();
  // The window manager's frame takes its share once the window has one.
  if (isVisible()) room -= frameGeometry().size() - geometry().size();
  return room;
}

int AppWindow::fittingZoom() const {
  const QSize room = screenRoom();
  const qreal now = form_->zoom() / 100.0;
  const int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
  for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it) {
    const qreal z = *it / 100.0;
    const QSize window(qRound(px(9870) * z), qRound(px(9300) * z + chrome * z / now));
    if (window.width() <= room.width() && window.height() <= room.height()) return *it;
  }
  return kZoomSteps.front();
}

void AppWindow::scaleChrome() {
  QFont f = windowFont();
  f.setPixelSize(qMax(1, qRound(f.pixelSize() * form_->zoom() / 100.0)));
  menuBar()->setFont(f);
  // Menus are windows of their own: the font does not reach them by itself.
  for (QMenu* m : menuBar()->findChildren<QMenu*>()) m->setFont(f);
  statusBar()->setFont(f);
  message_->setFont(f);
  status_->setFont(f);
}

void AppWindow::fitToScreen() {
  scaleChrome();
  // The chrome's new font reaches its size hints through posted layout
  // requests: let them run first.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  const QSize client = form_->size();
  const QSize room = screenRoom();
  const int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
  const QSize most(room.width(), std::max(1, room.height() - chrome));
  const int bar = scroll_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  QSize view = client;
  if (view.height() > most.height()) view.rwidth() += bar;
  if (view.width() > most.width()) view.rheight() += bar;
  scroll_->setFixedSize(view.boundedTo(most));
  // The chrome's hints are a guess until the layout has run: whatever the
  // window still has too much comes off the view.
  for (int tries = 0; tries < 3; ++tries) {
    layout()->activate();
    const QSize over = sizeHint() - room;
    if (over.width() <= 0 && over.height() <= 0) break;
    scroll_->setFixedSize(scroll_->minimumSize() - over.expandedTo(QSize(0, 0)));
  }
  adjustSize();
}

}  // namespace tilvan::ui
