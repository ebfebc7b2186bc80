#include "game/views.h"

#include <cctype>

namespace tilvan {
namespace {

Grid emptyGrid() {
  Grid g;
  g.fill(std::string(kSide, '.'));
  return g;
}

void mark(Grid& g, int row, int col, char ch) {
  char& cell = g[row][col];
  cell = cell == '.' ? ch : '*';
}

// Row and column of the square whose place is (left, top), if any.
bool squareAt(int left, int top, int left0, int top0, int& row, int& col) {
  const int dx = left - left0, dy = top - top0;
  if (dx < 0 || dy < 0 || dx % kSquarePitch || dy % kSquarePitch) return false;
  col = dx / kSquarePitch;
  row = dy / kSquarePitch;
  return row < kSide && col < kSide;
}

// The character of each visible picture lying exactly on a square of the
// board whose square (0, 0) is at (left0, top0); '*' where two lie on one.
template <std::size_t N, class CharOf>
Grid pictureGrid(const std::array<Picture, N>& pictures, int left0, int top0, CharOf charOf) {
  Grid g = emptyGrid();
  for (int n = 0; n < static_cast<int>(N); ++n) {
    const Picture& p = pictures[n];
    int row, col;
    if (p.Visible && squareAt(p.Left, p.Top, left0, top0, row, col)) mark(g, row, col, charOf(n));
  }
  return g;
}

}  // namespace

Grid committedView(const Board& board) {
  Grid g = emptyGrid();
  for (int i = 0; i < kSquares; ++i) {
    const BoardSquare& sq = board.atH(i);
    if (!sq.occupied) continue;
    char ch = sq.letter == kBlank ? '?' : letterChar(sq.letter);
    if (isBlankLetterPicture(sq.tile)) ch = static_cast<char>(std::toupper(ch));
    g[i / kSide][i % kSide] = ch;
  }
  return g;
}

Grid mainBoardView(const Form& form) {
  return pictureGrid(form.imgTile, mainSquareLeft(0), mainSquareTop(0), [](int n) {
    if (isBlankTile(n)) return '?';  // a blank not named yet
    const char ch = letterChar(letterShownBy(n));
    return isBlankLetterPicture(n) ? static_cast<char>(std::toupper(ch)) : ch;
  });
}

Grid previewView(const Form& form) {
  return pictureGrid(form.imgTile1, lowerSquareLeft(0), lowerSquareTop(0), [](int n) {
    const int letter = previewLetter(n);
    return letter < 0 ? '?' : letterChar(letter);
  });
}

Grid previewNewView(const Form& form) {
  std::array<Picture, kPreviewPictures> laid = form.imgTile1;
  for (Picture& p : laid) p.Visible = p.Visible && p.New;
  return pictureGrid(laid, lowerSquareLeft(0), lowerSquareTop(0), [&](int n) {
    const int letter = previewLetter(n);
    const char ch = letter < 0 ? '?' : letterChar(letter);
    return form.imgTile1[n].Blank ? static_cast<char>(std::toupper(ch)) : ch;
  });
}

std::array<int, kLetters> homeStacks(const Form& form) {
  std::array<int, kLetters> counts{};
  for (const Picture& p : form.imgTile) {
    if (!p.Visible) continue;
    for (int i = 0; i < kLetters; ++i)
      if (p.Left == letterHomeLeft(i) && p.Top == letterHomeTop(i)) ++counts[i];
  }
  return counts;
}

}  // namespace tilvan
