// The game's fixed rules, in one place: the letters with their points and
// counts, the board and its premium squares, the full-rack bonus, and the
// numbering of the tile pictures that stand for the tiles. Everything that
// scores, lays or shows a tile reads its rule from here.
#pragma once

#include <array>

namespace tilvan {

// --- Letters -----------------------------------------------------------

inline constexpr int kLetters = 27;  // letter indexes 0..26: 'a'..'z', then the blank
inline constexpr int kBlank = 26;    // letter index of the blank tile

inline constexpr std::array<int, kLetters> kLetterValue = {
    1, 2, 3, 2, 1, 4, 2, 4, 1, 8, 5, 1, 3, 1, 1, 3, 10, 1, 1, 1, 1, 4, 4, 8, 4, 10, 0};
inline constexpr std::array<int, kLetters> kLetterCount = {
    9, 2, 2, 4, 12, 2, 3, 2, 9, 1, 1, 4, 2, 6, 8, 2, 1, 6, 4, 6, 4, 2, 2, 1, 2, 1, 2};

// Character of letter index 0..26: 'a'..'z', '_' for the blank.
constexpr char letterChar(int letter) {
  return letter == kBlank ? '_' : static_cast<char>('a' + letter);
}

// Points of a tile showing character c: its letter's value for 'a'..'z', 0
// for anything else (a blank, whatever it stands for, scores 0).
constexpr int letterValueOf(char c) { return c >= 'a' && c <= 'z' ? kLetterValue[c - 'a'] : 0; }

// --- The board -----------------------------------------------------------

inline constexpr int kSide = 15;
inline constexpr int kSquares = kSide * kSide;
inline constexpr int kCentre = 112;   // H and V index of the centre square (row 7, column 7)
inline constexpr int kMoveSlots = 7;  // tiles on a rack, and so at most in one move
inline constexpr int kPlayers = 4;

// Square numberings: the H index runs along rows, the V index down columns,
// so a word across is a run of consecutive H indexes and a word down a run
// of consecutive V indexes. (Square numbers are index + 1.)
constexpr int hIndex(int row, int col) { return row * kSide + col; }
constexpr int vIndex(int row, int col) { return col * kSide + row; }
// The same square in the other numbering (the map is its own inverse).
constexpr int transposeIndex(int index) { return (index % kSide) * kSide + index / kSide; }

// --- Premium squares and scoring ----------------------------------------

// Premium types, as the premium map holds them by H index.
enum Premium : int {
  kPlain = 0,
  kDoubleLetter = 2,
  kTripleLetter = 3,
  kDoubleWord = 4,
  kTripleWord = 5
};

// The premium map at the start of a game, by H index.
const std::array<int, kSquares>& premiumMap();

// What a premium multiplies: the letter of the new tile laid on it, and
// every word through that new tile. A premium counts only under a tile laid
// by the move that is being scored.
constexpr int letterFactor(int premium) {
  return premium == kDoubleLetter ? 2 : premium == kTripleLetter ? 3 : 1;
}
constexpr int wordFactor(int premium) {
  return premium == kDoubleWord ? 2 : premium == kTripleWord ? 3 : 1;
}

// Added to the score of a move that lays all seven tiles of a rack.
inline constexpr int kFullRackBonus = 50;
constexpr int fullRackBonus(int newTiles) { return newTiles == kMoveSlots ? kFullRackBonus : 0; }

// --- Tile pictures ---------------------------------------------------------
//
// Tile numbers 0..99 are the 100 tiles of the set in letter blocks ('a' 0..8,
// 'b' 9..10, ... 'z' 97, the two blanks 98 and 99). A blank laid as letter L
// is shown by a picture of its own: 100 + L for the first blank, 126 + L for
// the second. The lower board's preview pictures are numbered 0..150: 0..97
// as the lettered tiles, then two spares per letter, 98 + L and 124 + L.

inline constexpr int kSetTiles = 100;
inline constexpr int kFirstBlank = 98;
inline constexpr int kSecondBlank = 99;
inline constexpr int kFirstBlankLetter = 100;    // 100 + L: the first blank laid as L
inline constexpr int kSecondBlankLetter = 126;   // 126 + L: the second blank laid as L
inline constexpr int kTilePictures = 152;        // imgTile 0..151
inline constexpr int kFirstPreviewSpare = 98;    // preview picture 98 + L: first spare of L
inline constexpr int kSecondPreviewSpare = 124;  // preview picture 124 + L: second spare of L
inline constexpr int kPreviewPictures = 151;     // imgTile1 0..150

// One past the last tile of letter L's block (running total of the counts).
constexpr int letterEnd(int letter) {
  int end = 0;
  for (int i = 0; i <= letter; ++i) end += kLetterCount[i];
  return end;
}

// True for the two blanks' own tiles, 98 and 99.
constexpr bool isBlankTile(int tile) { return tile == kFirstBlank || tile == kSecondBlank; }
// True for a picture of a blank laid as a letter, 100..151.
constexpr bool isBlankLetterPicture(int tile) {
  return tile >= kFirstBlankLetter && tile < kTilePictures;
}
// True for any tile that scores 0: a blank, named or not.
constexpr bool scoresNothing(int tile) { return tile >= kFirstBlank; }
// The blank (98 or 99) that blank-as-letter picture `tile` stands for.
constexpr int blankOf(int tile) { return tile < kSecondBlankLetter ? kFirstBlank : kSecondBlank; }
// The picture of blank `blank` (98 or 99) laid as letter L (0..25).
constexpr int blankLetterPicture(int blank, int letter) {
  return (blank == kFirstBlank ? kFirstBlankLetter : kSecondBlankLetter) + letter;
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
  if (isBlankLetterPicture(tile)) return (tile - kFirstBlankLetter) % 26;
  return letterBlockOf(tile);
}

// The preview picture that mirrors committed tile n on the lower board: the
// same number for a lettered tile, the letter's first or second spare for a
// blank laid as a letter.
constexpr int previewPictureOfTile(int tile) {
  if (tile < kFirstBlank) return tile;
  return tile < kSecondBlankLetter ? tile - kFirstBlankLetter + kFirstPreviewSpare
                                   : tile - kSecondBlankLetter + kSecondPreviewSpare;
}

// Letter shown by preview picture n (0..150); -1 for none.
constexpr int previewLetter(int n) {
  if (n >= 0 && n < kFirstBlank) return letterBlockOf(n);
  if (n >= kFirstPreviewSpare && n < kSecondPreviewSpare) return n - kFirstPreviewSpare;
  if (n >= kSecondPreviewSpare && n < kSecondPreviewSpare + 26) return n - kSecondPreviewSpare;
  return -1;
}

}  // namespace tilvan
