#include "moves/record.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "game/handlers.h"
#include "game/layout.h"
#include "game/move_score.h"
#include "moves/end_game.h"
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

// Plays the end of the game that `ends` records.
std::optional<std::string> playEnd(Game& game, const std::vector<Turn>& ends) {
  GameState& s = game.state;
  // The number of players may have been set again since the end: it was
  // the number of adjustments then.
  const int players = static_cast<int>(ends.size());
  if (players < 2 || players > kPlayers)
    return "the end of the game has " + std::to_string(ends.size()) + " adjustments";
  std::vector<int> adjustments;
  for (const Turn& end : ends) {
    if (end.player != static_cast<int>(adjustments.size()))
      return std::string("the end of the game does not give each player's adjustment in turn");
    adjustments.push_back(end.score);
  }
  const auto racks = racksGiving(tilesNotLaid(s), adjustments);
  if (!racks) return std::string("no tiles left on the racks give these end-of-game adjustments");
  ReplayingPrompts prompts;
  const std::size_t before = s.Turns.size();
  const int numPlayers = std::exchange(s.NumPlayers, players);
  endGame(game, prompts, *racks);
  s.NumPlayers = numPlayers;
  if (s.Turns.size() != before + ends.size()) return "the end of the game is refused: " + prompts.last;
  for (std::size_t p = 0; p < ends.size(); ++p) {
    Turn& played = s.Turns[before + p];
    if (played.score != ends[p].score) return std::string("the end of the game differs");
    played.corrected = ends[p].corrected;
  }
  return std::nullopt;
}

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
  if (turn.player < 0 || turn.player >= kPlayers) return "no such player";
  if (gameEnded(s.Turns)) return "a turn after the end of the game";
  if (turn.kind == TurnKind::kEnd) return playEnd(game, {turn});
  const std::size_t recorded = s.Turns.size();
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
  if (s.Turns.size() != recorded + 1) return "the turn is refused: " + prompts.last;
  Turn& played = s.Turns.back();
  if (turn.kind == TurnKind::kMove && (played.tiles != turn.tiles)) return "the move differs";
  played.corrected = turn.corrected;
  return std::nullopt;
}

std::optional<std::string> playTurns(Game& game, const std::vector<Turn>& turns,
                                     std::size_t* failedAt) {
  for (std::size_t i = 0; i < turns.size();) {
    if (failedAt) *failedAt = i;
    if (turns[i].kind != TurnKind::kEnd) {
      if (auto why = playTurn(game, turns[i])) return why;
      ++i;
      continue;
    }
    if (gameEnded(game.state.Turns)) return std::string("a turn after the end of the game");
    std::size_t end = i;
    while (end < turns.size() && turns[end].kind == TurnKind::kEnd) ++end;
    if (auto why = playEnd(game, {turns.begin() + static_cast<long>(i),
                                  turns.begin() + static_cast<long>(end)}))
      return why;
    i = end;
  }
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
  std::size_t failedAt = 0;
  if (auto why = playTurns(fresh, turns, &failedAt)) return turnLabel(failedAt) + ": " + *why;

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
  f.chkValue = was.chkValue;
  f.cursor = was.cursor;
  f.lblWord = was.lblWord;
  f.lblWordTip = was.lblWordTip;
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
