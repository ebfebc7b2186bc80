// The zoom of the main window's client area, remembered between runs in the
// user's settings under "view/zoom".
#pragma once

#include <array>

namespace tilvan::ui {

// The sizes the View menu offers, in percent of the design's size.
inline constexpr std::array<int, 3> kZoomSteps = {100, 150, 200};

// The zoom saved by the last run; 100 when none was saved or the saved value
// is not one of kZoomSteps.
int savedZoom();
void saveZoom(int percent);

}  // namespace tilvan::ui
