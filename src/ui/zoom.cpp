#include "ui/zoom.h"

#include <QSettings>
#include <algorithm>

namespace tilvan::ui {

int savedZoom() {
  const int percent = QSettings().value(QStringLiteral("view/zoom"), 100).toInt();
  return std::find(kZoomSteps.begin(), kZoomSteps.end(), percent) != kZoomSteps.end() ? percent
                                                                                      : 100;
}

void saveZoom(int percent) { QSettings().setValue(QStringLiteral("view/zoom"), percent); }

}  // namespace tilvan::ui
