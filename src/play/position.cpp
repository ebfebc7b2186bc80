#include "play/position.h"

#include <algorithm>
#include <cassert>

#include "finder/complete_frame.h"
#include "finder/word_graph.h"
#include "moves/end_game.h"

namespace tilvan::play {
namespace {

// Draws up to a full rack for the mover from the back of the bag.
std::string drawFor(Position& pos) {
  std::string& rack = pos.racks[static_cast<std::size_t>(pos.toMove)];
  std::string drawn;
  while (rack.size() + drawn.size() < static_cast<std::size_t>(kMoveSlots) && !pos.bag.empty()) {
    drawn += pos.bag.back();
    pos.bag.pop_back();
  }
  rack = sortedTiles(rack + drawn);
  return drawn;
}

// The picture of a blank laid as `letter`, as the game numbers them: the
// first blank's, or the second's when the first is on the board.
int blankPicture(const Board& board, int letter) {
  for (const BoardSquare& sq : board.cells)
    if (sq.occupied && isBlankLetterPicture(sq.tile) && blankOf(sq.tile) == kFirstBlank)
      return blankLetterPicture(kSecondBlank, letter);
  return blankLetterPicture(kFirstBlank, letter);
}

void endGame(Position& pos) {
  const std::vector<int> adjust = endAdjustments({pos.racks[0], pos.racks[1]});
  for (int p = 0; p < kSeats; ++p) {
    pos.endAdjustment[static_cast<std::size_t>(p)] = adjust[static_cast<std::size_t>(p)];
    pos.scores[static_cast<std::size_t>(p)] += adjust[static_cast<std::size_t>(p)];
  }
  pos.over = true;
}

// After the mover's turn scoring `score`: the game's end, else the next player.
void finishTurn(Position& pos, int score) {
  pos.scoreless = score == 0 ? pos.scoreless + 1 : 0;
  if ((pos.rack().empty() && pos.bag.empty()) || pos.scoreless >= kScorelessTurnsToEnd)
    return endGame(pos);
  pos.toMove = pos.opponent();
}

}  // namespace

std::string fullSet() {
  std::string set;
  for (int l = 0; l < kLetters; ++l) set.append(static_cast<std::size_t>(kLetterCount[l]), letterChar(l));
  return set;
}

std::string sortedTiles(std::string tiles) {
  std::sort(tiles.begin(), tiles.end());
  return tiles;
}

Position newGame(std::uint64_t seed) {
  Position pos;
  pos.premiums = premiumMap();
  pos.rng = Rng(seed);
  pos.bag = fullSet();
  pos.rng.shuffle(pos.bag);
  for (int p = 0; p < kSeats; ++p) {
    pos.toMove = p;
    drawFor(pos);
  }
  pos.toMove = 0;
  return pos;
}

void readBoard(const WordList& list, Position& pos) {
  auto reading = std::make_shared<BoardReading>();
  reading->read(list.derived<WordGraph>(), pos.board, pos.premiums);
  pos.reading = std::move(reading);
}

void legalMoves(const WordList& list, const Position& pos, std::vector<CompleteMove>& out) {
  completeMoves(list, pos.board, pos.premiums, pos.rack(), out, static_cast<std::size_t>(-1),
                pos.reading.get());
}

unsigned usedMask(const Board& board, std::string_view rack, const CompleteMove& move) {
  unsigned used = 0;
  for (int j = 0; j < move.len; ++j) {
    const int sq = move.square(j);
    if (board.atH(sq).occupied) continue;
    const char tile = (move.blanks >> j) & 1 ? '_' : move.word[static_cast<std::size_t>(j)];
    // Of equal tiles take the last one still on the rack.
    int k = static_cast<int>(rack.size()) - 1;
    while (k >= 0 && (rack[static_cast<std::size_t>(k)] != tile || ((used >> k) & 1))) --k;
    assert(k >= 0);
    if (k >= 0) used |= 1u << k;
  }
  return used;
}

std::string leaveAfter(const Position& pos, const CompleteMove& move) {
  const unsigned used = usedMask(pos.board, pos.rack(), move);
  std::string leave;
  for (std::size_t k = 0; k < pos.rack().size(); ++k)
    if (!((used >> k) & 1)) leave += pos.rack()[k];
  return leave;
}

int newSquares(const Board& board, const CompleteMove& move, std::array<int, kSide>& out) {
  int count = 0;
  for (int j = 0; j < move.len; ++j)
    if (!board.atH(move.square(j)).occupied) out[static_cast<std::size_t>(count++)] = move.square(j);
  return count;
}

std::string playMove(Position& pos, const CompleteMove& move) {
  assert(!pos.over);
  std::string& rack = pos.racks[static_cast<std::size_t>(pos.toMove)];
  std::string leave = leaveAfter(pos, move);
  const bool follow = pos.reading && pos.reading->holds(*pos.reading->graph, pos.board, pos.premiums);
  std::array<int, kSide> laid{};
  const int count = newSquares(pos.board, move, laid);
  for (int j = 0; j < move.len; ++j) {
    const int sq = move.square(j);
    if (pos.board.atH(sq).occupied) continue;
    const int letter = move.word[static_cast<std::size_t>(j)] - 'a';
    const bool blank = (move.blanks >> j) & 1;
    pos.board.set(sq, {true, letter, blank ? 0 : kLetterValue[letter],
                       blank ? blankPicture(pos.board, letter) : letterEnd(letter) - 1});
    pos.premiums[sq] = 0;
  }
  if (follow) {
    auto next = std::make_shared<BoardReading>(*pos.reading);
    next->lay(pos.board, pos.premiums, laid.data(), count);
    pos.reading = std::move(next);
  } else {
    pos.reading.reset();
  }
  rack = std::move(leave);
  pos.scores[static_cast<std::size_t>(pos.toMove)] += move.score;
  const std::string drawn = drawFor(pos);
  finishTurn(pos, move.score);
  return drawn;
}

std::string exchangeTiles(Position& pos, std::string_view keep) {
  assert(pos.canExchange());
  std::string& rack = pos.racks[static_cast<std::size_t>(pos.toMove)];
  std::string thrown = rack;
  for (char c : keep) thrown.erase(thrown.find(c), 1);
  rack = std::string(keep);
  const std::string drawn = drawFor(pos);
  pos.bag += thrown;
  pos.rng.shuffle(pos.bag);
  finishTurn(pos, 0);
  return drawn;
}

void passTurn(Position& pos) {
  assert(!pos.over);
  finishTurn(pos, 0);
}

}  // namespace tilvan::play
