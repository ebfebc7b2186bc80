// Typing a move on the main board: the cursor and typed letters.
#include "board/typing.h"

#include "game/handlers.h"

namespace tilvan {
namespace {

// Answers the blank tile dialog with one letter; messages reach the user.
class NamingPrompts : public Prompts {
 public:
  NamingPrompts(Prompts& user, int letter) : user_(user), letter_(letter) {}
  void message(std::string_view text) override { user_.message(text); }
  std::optional<std::string> askBlankLetter() override {
    return std::string(1, letterChar(letter_));
  }

 private:
  Prompts& user_;
  int letter_;
};

bool onBoard(int row, int col) { return row >= 0 && row < kSide && col >= 0 && col < kSide; }

// Moves the cursor to the first empty square from (row, col) on along its
// direction; hides it when the board ends first.
void advanceCursor(Game& game, int row, int col) {
  Cursor& c = game.form.cursor;
  while (onBoard(row, col) && squareOccupied(game.state, row, col)) (c.Down ? row : col) += 1;
  c.Row = row;
  c.Col = col;
  c.Visible = onBoard(row, col);
}

// The letter index on square (row, col): a committed tile's or a tile's of
// the move in progress (a named blank: its letter); -1 for an empty square.
int letterOnSquare(const GameState& s, int row, int col) {
  const BoardSquare& sq = s.Committed.atH(hIndex(row, col));
  if (sq.occupied) return sq.letter;
  for (int j = 0; j < s.MoveTileCount && j < kMoveSlots; ++j)
    if (s.MoveRow[j] == row + 1 && s.MoveCol[j] == col + 1) return s.MoveLetter[j];
  return -1;
}

// Moves the cursor one square on along its direction, onto an occupied
// square too; hides it past the board's edge.
void stepCursor(Cursor& c) {
  (c.Down ? c.Row : c.Col) += 1;
  c.Visible = onBoard(c.Row, c.Col);
}

// Twips from the main board's edge to the middle of square i.
int squareMiddle(int i) { return 40 + kSquarePitch * i + kSquarePitch / 2; }

}  // namespace

int topOfStack(const Game& game, int letter) {
  if (letter < 0 || letter >= kLetters) return -1;
  const Picture home{letterHomeLeft(letter), letterHomeTop(letter), true};
  for (int n = letterEnd(letter) - 1; n >= letterEnd(letter) - kLetterCount[letter]; --n)
    if (game.form.imgTile[n] == home && !game.state.TileOnBoard[n]) return n;
  return -1;
}

int stackSize(const Game& game, int letter) {
  const Picture home{letterHomeLeft(letter), letterHomeTop(letter), true};
  int count = 0;
  for (int n = letterEnd(letter) - kLetterCount[letter]; n < letterEnd(letter); ++n)
    count += game.form.imgTile[n] == home && !game.state.TileOnBoard[n];
  return count;
}

std::string noTileLeft(int letter) {
  if (letter == kBlank) return "No blank is left.";
  std::string text = "No ? tile is left.";
  text[3] = static_cast<char>('A' + letter);
  return text;
}

bool squareOccupied(const GameState& s, int row, int col) {
  if (s.Committed.atH(hIndex(row, col)).occupied) return true;
  for (int j = 0; j < s.MoveTileCount && j < kMoveSlots; ++j)
    if (s.MoveRow[j] == row + 1 && s.MoveCol[j] == col + 1) return true;
  return false;
}

bool layFromStack(Game& game, Prompts& prompts, int letter, int named, int row, int col) {
  const int n = topOfStack(game, letter);
  if (n < 0) {
    prompts.message(noTileLeft(letter));
    return false;
  }
  const int before = game.state.MoveTileCount;
  NamingPrompts naming(prompts, named);
  dropTile(game, named >= 0 ? naming : prompts, n, squareMiddle(col), squareMiddle(row));
  return game.state.MoveTileCount > before;
}

void clickMainSquare(Game& game, Prompts&, int row, int col) {
  if (!onBoard(row, col) || squareOccupied(game.state, row, col)) return;
  Cursor& c = game.form.cursor;
  if (c.Visible && c.Row == row && c.Col == col) {
    c.Down = !c.Down;
    return;
  }
  c.Row = row;
  c.Col = col;
  c.Visible = true;
}

void pressTab(Game& game, Prompts&) {
  Cursor& c = game.form.cursor;
  if (c.Visible) c.Down = !c.Down;
}

void typeCharacter(Game& game, Prompts& prompts, char ch) {
  const bool lower = ch >= 'a' && ch <= 'z', upper = ch >= 'A' && ch <= 'Z';
  if (!lower && !upper) return;
  Cursor& c = game.form.cursor;
  if (!c.Visible || !onBoard(c.Row, c.Col)) return;
  const int letter = lower ? ch - 'a' : ch - 'A';
  // The word is typed whole: its letters already on the board are typed
  // over (either case), any other letter goes to the next free square.
  if (letterOnSquare(game.state, c.Row, c.Col) == letter) return stepCursor(c);
  advanceCursor(game, c.Row, c.Col);
  if (!c.Visible) return;
  if (!layFromStack(game, prompts, lower ? letter : kBlank, lower ? -1 : letter, c.Row, c.Col))
    return;
  stepCursor(c);
}

}  // namespace tilvan
