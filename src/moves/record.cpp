#include "moves/record.h"

#include <algorithm>
#include <deque>

#include "game/handlers.h"
#include "game/layout.h"
#include "game/move_score.h"
#include "moves/take_back.h"

namespace tilvan {
namespace {

// Answers the blank tile dialog from a queue and keeps the last message.
class ReplayingPrompts : public Prompts {
 public:
  void message(std::string_view text) override { last = text; }
  std::optional<std::string> askBlankLetter() override {
    if (letters.empty()) return std::nullopt;
    std::string answer(1, letters.front());
    letters.pop_front();
    return answer;
  }
  std::deque<char> letters;
  std::string last;
};

// The run of letters through square (row, col) of `board` along rows or
// columns, as its first and one-past-last positions along the line.
Run runOf(const LetterGrid& grid, bool down, int row, int col) {
  return down ? runThrough(grid, col, row) : runThrough(grid, row, col);
}

std::string turnLabel(std::size_t index) { return "turn " + std::to_string(index + 1); }

}  // namespace

Turn committedTurn(const GameState& s) {
  Turn turn;
  turn.kind = TurnKind::kMove;
  turn.player = s.LastMovePlayer;  // USE has passed the turn mark on already
  // The tiles in the order they were first laid.
  for (int j = s.LockedCount; j < s.PlacedCount; ++j) {
    const int picture = s.PlacedTile[j];
    for (int k = 0; k < s.MoveTileCount; ++k) {
      if (s.MoveTile[k] != picture) continue;
      const bool blank = isBlankLetterPicture(picture);
      turn.tiles.push_back({s.MoveRow[k] - 1, s.MoveCol[k] - 1, letterChar(letterShownBy(picture)),
                            blank, blank ? blankOf(picture) : picture});
    }
  }
  if (turn.tiles.empty()) return turn;

  // The main word runs along the line of two or more tiles; one tile's main
  // word is the word across it, or the word down it when it forms none across.
  const LetterGrid afterH = letterGridOf(s.Committed, s.LetterChar, false);
  const LetterGrid afterV = letterGridOf(s.Committed, s.LetterChar, true);
  const TurnTile& first = turn.tiles.front();
  if (turn.tiles.size() >= 2) {
    turn.down = turn.tiles[1].col == first.col;
  } else {
    const Run across = runOf(afterH, false, first.row, first.col);
    const Run down = runOf(afterV, true, first.row, first.col);
    turn.down = across.end - across.first < 2 && down.end - down.first >= 2;
  }
  const auto along = [&](const TurnTile& t) { return turn.down ? t.row : t.col; };
  const auto [lo, hi] = std::minmax_element(
      turn.tiles.begin(), turn.tiles.end(),
      [&](const TurnTile& a, const TurnTile& b) { return along(a) < along(b); });
  const LetterGrid& after = turn.down ? afterV : afterH;
  const int line = turn.down ? first.col : first.row;
  const int from = runOf(after, turn.down, lo->row, lo->col).first;
  const int to = runOf(after, turn.down, hi->row, hi->col).end;
  turn.row = turn.down ? from : line;
  turn.col = turn.down ? line : from;

  const ScoringBoard before =
      scoringBoard(s.Prev, s.SquareBonus, s.LetterChar, s.LetterValue, turn.down);
  const std::string mainWord(after.begin() + line * kSide + from,
                             after.begin() + line * kSide + to);
  std::vector<FormedWord> words = formedWords(before.grid, line * kSide + from, mainWord);
  std::uint32_t blanks = 0;
  for (const TurnTile& t : turn.tiles)
    if (t.blank) blanks |= std::uint32_t{1} << (along(t) - from);
  turn.score = scoreWords(before, words, blanks);
  for (FormedWord& w : words) turn.words.push_back(std::move(w.Text));
  return turn;
}

std::optional<std::string> playTurn(Game& game, const Turn& turn) {
  GameState& s = game.state;
  ReplayingPrompts prompts;
  if (turn.kind == TurnKind::kEnd) {
    if (turn.player < 0 || turn.player >= kPlayers) return "no such player";
    s.Turns.push_back(turn);
    return std::nullopt;
  }
  if (turn.player < 0 || turn.player >= kPlayers) return "no such player";
  // The record says whose turn it was: the number of players may have been
  // set again since.
  if (turn.player != s.CurrentPlayer) turnTo(game, turn.player);
  if (turn.kind == TurnKind::kPass) {
    pressPass(game, prompts);
  } else {
    if (turn.tiles.empty() || turn.tiles.size() > static_cast<std::size_t>(kMoveSlots))
      return "a move lays 1 to 7 tiles";
    for (const TurnTile& t : turn.tiles) {
      const int letter = t.blank ? kBlank : t.letter - 'a';
      const bool valid = t.row >= 0 && t.row < kSide && t.col >= 0 && t.col < kSide &&
                         t.letter >= 'a' && t.letter <= 'z' && letterBlockOf(t.tile) == letter;
      if (!valid) return "a tile is not a tile of the set";
      const Picture& p = game.form.imgTile[t.tile];
      if (!p.Visible || p.Left != letterHomeLeft(letter) || p.Top != letterHomeTop(letter))
        return std::string("no tile ") + (t.blank ? "_" : std::string(1, t.letter)) +
               " is left in its stack";
      if (t.blank) prompts.letters.push_back(t.letter);
      const int before = s.MoveTileCount;
      dropTile(game, prompts, t.tile, 40 + kSquarePitch * t.col + 250,
               40 + kSquarePitch * t.row + 250);
      if (s.MoveTileCount != before + 1) return "a tile could not be laid";
    }
    const int moves = s.MoveNumber;
    pressUse(game, prompts);
    if (s.MoveNumber != moves + 1) return "the move is refused: " + prompts.last;
  }
  if (s.Turns.empty()) return "the turn was not recorded";
  Turn& played = s.Turns.back();
  if (turn.kind == TurnKind::kMove && (played.tiles != turn.tiles)) return "the move differs";
  played.corrected = turn.corrected;
  return std::nullopt;
}

std::optional<std::string> rebuildFromTurns(Game& game, const std::vector<Turn>& turns) {
  Game fresh(game.words);
  ReplayingPrompts silent;
  startUp(fresh, silent);
  GameState& s = fresh.state;
  const GameState& old = game.state;
  s.NumPlayers = old.NumPlayers;
  s.UserTurn = old.UserTurn;
  s.NumPlayersClicks = old.NumPlayersClicks;
  s.UsersTurnClicks = old.UsersTurnClicks;
  for (std::size_t i = 0; i < turns.size(); ++i)
    if (auto why = playTurn(fresh, turns[i])) return turnLabel(i) + ": " + *why;

  // What the record does not hold stays as it was.
  s.TakenBack = old.TakenBack;
  s.BlankTile = old.BlankTile;
  s.BlankLetterIndex = old.BlankLetterIndex;
  s.Finder = old.Finder;
  s.FormedWords = old.FormedWords;
  s.WordCount = old.WordCount;
  s.WordFound = old.WordFound;
  s.MainWordSquares = old.MainWordSquares;
  s.MainWordDown = old.MainWordDown;
  Form& f = fresh.form;
  const Form& was = game.form;
  f.lblPlayer = was.lblPlayer;
  f.shpUser = was.shpUser;
  f.txtNumberofPlayers = was.txtNumberofPlayers;
  f.txtUsersTurn = was.txtUsersTurn;
  f.txtRack = was.txtRack;
  f.chkComplete = was.chkComplete;
  f.cursor = was.cursor;
  f.lblWord = was.lblWord;
  f.lblWords = was.lblWords;
  f.lblCheckWords = was.lblCheckWords;
  f.imgTile1 = was.imgTile1;
  game.state = std::move(fresh.state);
  game.form = std::move(fresh.form);
  showTotals(game);
  markTurnOrEnd(game);
  return std::nullopt;
}

}  // namespace tilvan
