// The fixed tables of the game: letters, points, tile counts, premium
// squares and the geometry of both boards (all positions in twips).
#pragma once

#include <array>

namespace tilvan {

inline constexpr int kLetters = 27;        // letter indexes 0..26
inline constexpr int kBlank = 26;          // letter index of the blank tile
inline constexpr int kSetTiles = 100;      // tiles 0..99 are the physical set
inline constexpr int kTilePictures = 152;  // imgTile 0..151
inline constexpr int kPreviewPictures = 151;  // imgTile1 0..150
inline constexpr int kFirstBlank = 98;     // the blanks are tiles 98 and 99
inline constexpr int kFirstBlankLetter = 100;   // 100 + L: first blank laid as L
inline constexpr int kSecondBlankLetter = 126;  // 126 + L: second blank laid as L
inline constexpr int kSide = 15;
inline constexpr int kSquares = kSide * kSide;
inline constexpr int kCentre = 112;  // H and V index of the centre square
inline constexpr int kMoveSlots = 7;
inline constexpr int kWordLabels = 11;
inline constexpr int kResultSlots = 5;
inline constexpr int kPlayers = 4;

inline constexpr std::array<int, kLetters> kLetterValue = {
    1, 2, 3, 2, 1, 4, 2, 4, 1, 8, 5, 1, 3, 1, 1, 3, 10, 1, 1, 1, 1, 4, 4, 8, 4, 10, 0};
inline constexpr std::array<int, kLetters> kLetterCount = {
    9, 2, 2, 4, 12, 2, 3, 2, 9, 1, 1, 4, 2, 6, 8, 2, 1, 6, 4, 6, 4, 2, 2, 1, 2, 1, 2};

// Premium types by H index.
enum Premium : int { kPlain = 0, kDoubleLetter = 2, kTripleLetter = 3, kDoubleWord = 4, kTripleWord = 5 };

// The start map of premium squares by H index (row * 15 + column).
const std::array<int, kSquares>& premiumMap();

// Character of letter index 0..26: 'a'..'z', '_' for the blank.
constexpr char letterChar(int letter) { return letter == kBlank ? '_' : static_cast<char>('a' + letter); }

// One past the last tile of letter L's block (running total of the counts).
constexpr int letterEnd(int letter) {
  int end = 0;
  for (int i = 0; i <= letter; ++i) end += kLetterCount[i];
  return end;
}

// Letter index (0..26) of tile n when n is one of the 100 tiles of the set;
// -1 for the blank-as-letter pictures 100..151, which lie in no block.
constexpr int letterBlockOf(int tile) {
  if (tile < 0 || tile >= kSetTiles) return -1;
  for (int i = 0; i < kLetters; ++i)
    if (tile < letterEnd(i)) return i;
  return -1;
}

// Letter a tile picture shows: its block's letter for 0..99, L for 100 + L
// and 126 + L; -1 outside 0..151.
constexpr int letterShownBy(int tile) {
  if (tile >= kFirstBlankLetter && tile < kTilePictures) return (tile - kFirstBlankLetter) % 26;
  return letterBlockOf(tile);
}

// Square numberings. Index = number - 1.
constexpr int hIndex(int row, int col) { return row * kSide + col; }
constexpr int vIndex(int row, int col) { return col * kSide + row; }
// The same square in the other numbering (the map is its own inverse).
constexpr int transposeIndex(int index) { return (index % kSide) * kSide + index / kSide; }

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

// Hidden parking place of preview picture n: three columns right of the
// lower board.
constexpr int previewParkLeft(int n) { return 5160 + 240 * (n / 51); }
constexpr int previewParkTop(int n) { return 5160 + 60 * (n % 51); }

}  // namespace tilvan
