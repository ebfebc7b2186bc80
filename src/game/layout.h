// Where things lie in the window, in twips from the top left corner of its
// client area: the two boards, their squares, the letters' home stacks and
// the hidden parking places of the pictures not in use.
#pragma once

#include "game/rules.h"

namespace tilvan {

// Main board picture and where a tile lies on its squares.
inline constexpr int kMainBoardLeft = 1920, kMainBoardTop = 360, kBoardSize = 4095;
inline constexpr int kSquarePitch = 270, kTileSize = 225;
constexpr int mainSquareLeft(int col) { return 1960 + kSquarePitch * col; }
constexpr int mainSquareTop(int row) { return 390 + kSquarePitch * row; }
// Lower board picture and where a preview picture lies on its squares.
inline constexpr int kLowerBoardLeft = 360, kLowerBoardTop = 5160;
constexpr int lowerSquareLeft(int col) { return 405 + kSquarePitch * col; }
constexpr int lowerSquareTop(int row) { return 5190 + kSquarePitch * row; }

// Home place of each letter's stack of tile pictures (design position of the
// last picture of the block).
constexpr int letterHomeLeft(int letter) {
  return letter < 24 ? 6360 + 600 * (letter % 4) : 6720 + 600 * (letter - 24);
}
constexpr int letterHomeTop(int letter) { return letter < 24 ? 360 + 600 * (letter / 4) : 3960; }

// Where a blank's own picture is parked, hidden, once it has been named.
inline constexpr int kNamedBlankLeft = 8640, kNamedBlankTop = 3360;
// Hidden parking places of the blank-as-letter pictures.
inline constexpr int kFirstBlankLetterLeft = 8400, kSecondBlankLetterLeft = 8160,
                     kBlankLetterParkTop = 3960;
constexpr int blankLetterParkLeft(int tile) {
  return blankOf(tile) == kFirstBlank ? kFirstBlankLetterLeft : kSecondBlankLetterLeft;
}

// Hidden parking place of preview picture n: three columns right of the
// lower board.
constexpr int previewParkLeft(int n) { return 5160 + 240 * (n / 51); }
constexpr int previewParkTop(int n) { return 5160 + 60 * (n % 51); }

}  // namespace tilvan
