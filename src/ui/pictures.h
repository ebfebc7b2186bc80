// The pictures the program draws itself: the board and the tiles. Each is
// drawn at its logical size times the device pixel ratio, so it stays crisp
// on scaled screens. Results are cached per ratio.
#pragma once

#include <QPixmap>
#include <QPoint>

namespace tilvan::ui {

// Logical size of the board picture and of a tile picture, in pixels.
inline constexpr int kBoardPixels = 273;
inline constexpr int kTilePixels = 15;

// Top left corner, inside the board picture, of the cell of square
// (row, col): exactly where a tile lying on that square is drawn.
QPoint boardCellOrigin(int row, int col);

// The 15 by 15 board: white cells in a black grid, premium squares in colour.
QPixmap boardPicture(qreal dpr);

// A tile of letter index 0..26: its capital letter with its points small at
// the bottom right; the blank (26) shows only its 0.
QPixmap tilePicture(int letter, qreal dpr);

// Fill colour of a premium type (tables.h Premium) on the board picture.
QColor premiumColour(int premium);

}  // namespace tilvan::ui
