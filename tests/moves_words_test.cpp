// The words a committed move forms. Boards are drawn from a top row down:
// lower case is an earlier tile, upper case a tile of the move.
#include <gtest/gtest.h>

#include <algorithm>

#include "moves/formed_words.h"

namespace tilvan {
namespace {

MoveWords wordsOf(int top, const std::vector<std::string>& rows, int moveNumber) {
  Board before, after;
  std::vector<int> across, down;  // square numbers of the new tiles
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
      const char ch = rows[r][c];
      if (ch == '.') continue;
      const bool isNew = ch >= 'A' && ch <= 'Z';
      const BoardSquare sq{true, isNew ? ch - 'A' : ch - 'a', 1, 0};
      after.set(hIndex(top + r, c), sq);
      if (!isNew) before.set(hIndex(top + r, c), sq);
      if (!isNew) continue;
      across.push_back(hIndex(top + r, c) + 1);
      down.push_back(vIndex(top + r, c) + 1);
    }
  std::sort(across.begin(), across.end());
  std::sort(down.begin(), down.end());
  std::array<int, kMoveSlots> squaresH{}, squaresV{};
  std::copy(across.begin(), across.end(), squaresH.begin());
  std::copy(down.begin(), down.end(), squaresV.begin());
  return wordsFormedBy(after, before, squaresH, squaresV, static_cast<int>(across.size()),
                       moveNumber);
}

TEST(FormedWords, MainWordAndCrossWords) {
  struct Case {
    int top;
    std::vector<std::string> rows;
    int moveNumber;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {7, {"......CAT"}, 0, {"cat"}},
      {7, {".......A"}, 0, {"a"}},
      {7, {"......CaT"}, 1, {"cat"}},
      {7, {"....StarS"}, 1, {"stars"}},
      {7, {"......CAts"}, 1, {"cats"}},
      // Second tile under an earlier tile: the cross-word reads top to bottom.
      {6, {".......s", "......CAT"}, 1, {"cat", "sa"}},
      // First tile of a down word with an earlier tile on its right.
      {7, {"......Cs", "......A", "......T"}, 1, {"cat", "cs"}},
      // Earlier tiles above and below each new tile: the whole run.
      {5, {"......x", "......ca", "......OH", "......ta", ".......n"}, 1, {"oh", "xcot", "ahan"}},
      // Row 13, column 14 over a tile in the corner.
      {13, {"............ABC", "..............z"}, 1, {"abc", "cz"}},
      // One tile: its down word first, then its across word.
      {6, {".....x", ".....Tar"}, 1, {"xt", "tar"}},
      {6, {".....x", ".....T"}, 1, {"xt"}},
      // Runs that reach the first row and the first column.
      {0, {"cAT"}, 1, {"cat"}},
      {0, {"c", "A", "T", "s"}, 1, {"cats"}},
      {0, {"Ct", "A", "T"}, 1, {"cat", "ct"}},
      // A first move lists no cross-words.
      {6, {".......s", "......CAT"}, 0, {"cat"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(wordsOf(c.top, c.rows, c.moveNumber).words, c.words)
        << c.rows.front() << " @" << c.top;
}

TEST(FormedWords, MainWordSquaresInItsOwnNumbering) {
  const MoveWords down = wordsOf(0, {".", "c", "A", "T"}, 1);
  EXPECT_TRUE(down.down);
  EXPECT_EQ((std::vector<int>(down.mainSquares.begin(), down.mainSquares.begin() + 4)),
            (std::vector<int>{2, 3, 4, 0}));
  const MoveWords across = wordsOf(1, {"..Ca"}, 1);
  EXPECT_EQ(across.mainSquares, (std::array<int, kSide>{}));  // not set for one tile
}

}  // namespace
}  // namespace tilvan
