// The pictures the program draws itself: the board and the tiles. Each is
// drawn at its logical size times the device pixel ratio, so it stays crisp
// on scaled screens. Results are cached per ratio.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QString>

namespace tilvan::ui {

// Logical size of the board picture and of a tile picture, in pixels.
inline constexpr int kBoardPixels = 273;
inline constexpr int kTilePixels = 15;

// Top left corner, inside the board picture, of the cell of square
// (row, col): exactly where a tile lying on that square is drawn.
QPoint boardCellOrigin(int row, int col);

// The 15 by 15 board: white cells in a black grid, premium squares in colour
// and labelled with their premium, the centre square marked with a star.
QPixmap boardPicture(qreal dpr);

// How a tile picture looks: a tile of the set (its letter and points), or a
// blank laid as a letter (a lighter face, the letter in blue, no points).
enum class TileLook { kTile, kBlankAsLetter };

// A tile of letter index 0..26: its capital letter at the top left and its
// points at the bottom right in digits at least 7 pixels high; the blank (26)
// shows only its 0. `marked` gives the face the colour and frame of a tile
// that the shown result would lay.
QPixmap tilePicture(int letter, qreal dpr, TileLook look = TileLook::kTile, bool marked = false);

// The font of the points on a tile (digits at least 7 pixels high).
QFont tilePointsFont();

// The tile of letter index 0..26 faded: a stack of that letter that is used
// up.
QPixmap fadedTilePicture(int letter, qreal dpr);

// The label that a premium square of that type shows ("3W", "2L", ...;
// empty for a plain square).
QString premiumLabel(int premium);

// Fill colour of a premium type (tables.h Premium) on the board picture.
QColor premiumColour(int premium);

}  // namespace tilvan::ui
