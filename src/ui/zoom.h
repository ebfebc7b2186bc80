// The zooms of the main window's client area that the View menu offers.
#pragma once

#include <array>

namespace tilvan::ui {

// In percent of the design's size.
inline constexpr std::array<int, 5> kZoomSteps = {100, 125, 150, 175, 200};

}  // namespace tilvan::ui
