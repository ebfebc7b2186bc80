#include "support/whole_game.h"

#include <vector>

#include "moves/record.h"

namespace tilvan::test {
namespace {

const Picture kParkedBlank{kNamedBlankLeft, kNamedBlankTop, false};

// The first part of the mirror in which a and b differ, or "".
std::string mirrorDifference(const Form& a, const Form& b) {
  if (a.lbTile != b.lbTile) return "letters left";
  if (a.lblWord != b.lblWord) return "result labels";
  if (a.lblWordTip != b.lblWordTip) return "result labels' tooltips";
  if (a.lblWords != b.lblWords || a.lblCheckWords != b.lblCheckWords) return "word labels";
  for (int n = 0; n < kTilePictures; ++n)
    if (a.imgTile[n] != b.imgTile[n]) return said("tile picture ", n);
  if (a.imgTile1 != b.imgTile1) return "preview pictures";
  if (a.lblPlayer != b.lblPlayer || a.shpUser != b.shpUser || a.linPlayer != b.linPlayer)
    return "player marks";
  if (a.lblPlayersPoints != b.lblPlayersPoints) return "players' points";
  if (a.cursor != b.cursor) return "cursor";
  return a == b ? "" : "text boxes or options";
}

}  // namespace

int squareOf(const Picture& p) {
  const int dx = p.Left - mainSquareLeft(0), dy = p.Top - mainSquareTop(0);
  if (!p.Visible || dx < 0 || dy < 0 || dx % kSquarePitch || dy % kSquarePitch) return -1;
  const int col = dx / kSquarePitch, row = dy / kSquarePitch;
  return row < kSide && col < kSide ? hIndex(row, col) : -1;
}

std::string brokenRule(const GameState& s, const Form& f) {
  std::array<int, kTilePictures> role{};  // 1 committed, 2 in the move
  for (int j = 0; j < s.LockedCount; ++j) role[s.PlacedTile[j]] = 1;
  if (s.MoveTileCount < 0 || s.MoveTileCount > kMoveSlots ||
      s.PlacedCount - s.LockedCount != s.MoveTileCount)
    return "move count";
  for (int i = 0; i < kMoveSlots; ++i) {
    if (i >= s.MoveTileCount) {
      if (s.MoveRow[i]) return "row in an empty slot";
      continue;
    }
    const int n = s.MoveTile[i];
    if (role[n]) return "tile twice in the history";
    role[n] = 2;
    if (squareOf(f.imgTile[n]) != hIndex(s.MoveRow[i] - 1, s.MoveCol[i] - 1) ||
        s.MoveLetter[i] != letterShownBy(n) || s.MoveValue[i] != s.TileValue[n])
      return said("slot ", i, " disagrees with its picture");
  }
  for (int j = s.LockedCount; j < s.PlacedCount; ++j)
    if (role[s.PlacedTile[j]] != 2) return "placed tiles differ from the move";

  int occupied = 0;
  for (int h = 0; h < kSquares; ++h) {
    const Board& b = s.Committed;
    const BoardSquare& sq = b.atH(h);
    const int v = transposeIndex(h);
    if ((b.FilledH(h + 1) > 0) != (b.FilledV(v + 1) > 0) || b.LetterH0(h) != b.LetterV0(v) ||
        b.ValueH(h + 1) != b.ValueV0(v) || b.TileH(h) != b.TileV(v + 1))
      return "numberings disagree";
    if (!sq.occupied) continue;
    ++occupied;
    if (role[sq.tile] != 1 || squareOf(f.imgTile[sq.tile]) != h ||
        sq.letter != letterShownBy(sq.tile) || sq.value != s.TileValue[sq.tile])
      return said("committed square ", h, " disagrees with its tile");
    if (s.SquareBonus[h] != 0) return said("a premium left under committed square ", h);
  }
  if (occupied != s.LockedCount) return "committed and locked tiles differ";
  if ((s.MoveNumber == 0) != (occupied == 0)) return "move number";
  // Every committed tile is joined to the centre square.
  std::array<bool, kSquares> seen{};
  int reached = 0;
  for (std::vector<int> todo{kCentre}; !todo.empty();) {
    const int h = todo.back();
    todo.pop_back();
    if (seen[h] || !s.Committed.atH(h).occupied) continue;
    seen[h] = true;
    ++reached;
    if (h >= kSide) todo.push_back(h - kSide);
    if (h + kSide < kSquares) todo.push_back(h + kSide);
    if (h % kSide) todo.push_back(h - 1);
    if (h % kSide < kSide - 1) todo.push_back(h + 1);
  }
  if (reached != occupied) return "committed tiles not joined to the centre";

  std::array<int, kLetters> laid{};
  for (int n = 0; n < kTilePictures; ++n) {
    const Picture& p = f.imgTile[n];
    const bool blank = n == 98 || n == 99, blankLetter = n >= kFirstBlankLetter;
    const int letter = blankLetter ? kBlank : letterBlockOf(n);
    const Picture home{letterHomeLeft(letter), letterHomeTop(letter), true};
    if (role[n]) {
      ++laid[letter];
      if (blank) return "an unnamed blank lies on the board";
      if (blankLetter && f.imgTile[n < kSecondBlankLetter ? 98 : 99] != kParkedBlank)
        return "the blank of a letter picture is not parked";
    } else if (blankLetter) {
      const int left = n < kSecondBlankLetter ? kFirstBlankLetterLeft : kSecondBlankLetterLeft;
      if (p != Picture{left, kBlankLetterParkTop, false}) return "letter picture astray";
    } else if (p != home && !(blank && p == kParkedBlank)) {
      return said("tile ", n, " neither laid nor home");
    }
    bool inMove = role[n] == 2;
    for (int i = 0; blank && i < s.MoveTileCount; ++i)
      inMove |=
          s.MoveTile[i] >= kFirstBlankLetter && (s.MoveTile[i] < kSecondBlankLetter) == (n == 98);
    if ((s.TileOnBoard[n] != 0) != inMove) return said("on-board mark of ", n);
  }
  for (int l = 0; l < kLetters; ++l)
    if (f.lbTile[l] != std::to_string(kLetterCount[l] - laid[l]))
      return said("letters left of ", l);
  int marks = 0;
  for (bool m : f.linPlayer) marks += m;
  if (gameEnded(s.Turns) ? marks != 0 : marks != 1 || !f.linPlayer[s.CurrentPlayer])
    return "turn marks";
  return "";
}

std::optional<std::string> differenceFromItsRecord(const Game& game, bool playersChanged) {
  if (game.state.MoveTileCount || game.state.PlacedCount != game.state.LockedCount)
    return std::nullopt;
  Game rebuilt(game.words);
  rebuilt.state = game.state;
  rebuilt.form = game.form;
  if (auto error = rebuildFromTurns(rebuilt, game.state.Turns))
    return "the record does not replay: " + *error;
  GameState expected = game.state;
  // Left by refused moves and take-backs, which the record does not replay.
  expected.DropSlot = rebuilt.state.DropSlot;
  expected.DropSlot2 = rebuilt.state.DropSlot2;
  expected.LastMovePlayer = rebuilt.state.LastMovePlayer;
  expected.LastMoveTile = rebuilt.state.LastMoveTile;
  expected.LastMoveLetter = rebuilt.state.LastMoveLetter;
  expected.LastMoveTileCount = rebuilt.state.LastMoveTileCount;
  expected.Prev = rebuilt.state.Prev;
  Form expectedForm = game.form;
  if (playersChanged) {
    expected.CurrentPlayer = rebuilt.state.CurrentPlayer;
    expectedForm.linPlayer = rebuilt.form.linPlayer;
  }
  if (rebuilt.state.Committed != expected.Committed) return "the board differs from its record's";
  if (!(rebuilt.state == expected)) return "the state differs from its record's";
  if (const std::string d = mirrorDifference(rebuilt.form, expectedForm); !d.empty())
    return "the mirror differs from its record's: " + d;
  return "";
}

}  // namespace tilvan::test
