// Twips to pixels: the window is laid out in twips, 15 to a pixel at 96 dpi.
// Qt's high-dpi scaling maps these logical pixels to the screen.
#pragma once

#include <QPoint>
#include <QRect>

namespace tilvan::ui {

inline constexpr int kTwipsPerPixel = 15;

// Nearest pixel to a position or length in twips (non-negative).
constexpr int px(int twips) { return (twips * 2 + kTwipsPerPixel) / (2 * kTwipsPerPixel); }

// A control's place: Left, Top, Width, Height in twips.
inline QRect twipsRect(int left, int top, int width, int height) {
  return QRect(px(left), px(top), px(width), px(height));
}

// A point in the window, in pixels, as twips from the corner (left, top) of a
// control given in twips.
inline QPoint twipsFrom(QPoint windowPx, int left, int top) {
  return QPoint(windowPx.x() * kTwipsPerPixel - left, windowPx.y() * kTwipsPerPixel - top);
}

}  // namespace tilvan::ui
