// The self-play engine's position and the rules of a whole game on it.
//
// Contract (shared by self-play, the value ranking, simulation and endgames):
// - A Position is two players' game without a GameState: the board (each
//   square's letter and tile; a blank's tile is its blank-as-letter picture
//   as the game numbers them, other tiles the last of their letter's block), the
//   premiums still unused (by H index), both racks, both scores, the bag,
//   whose turn it is, the scoreless turns in a row and whether the game is
//   over. Tiles are characters: 'a'..'z', '_' a blank; racks are kept sorted
//   (so '_' first). The bag is drawn from its back.
// - Positions are plain values: copy one to try a move on it.
// - legalMoves() lists every placement of the mover's rack by the complete
//   search; play()/exchange()/pass() apply a turn, draw, count scoreless
//   turns and end the game by the score sheet's rules (endAdjustments):
//   when the mover has no tiles and the bag is empty, or after six scoreless
//   turns in a row (a pass, an exchange or a move scoring 0).
// - Exchanges are allowed while the bag holds at least 7 tiles; the tiles
//   thrown go back into the bag after the draw and the bag is shuffled with
//   the position's own random stream, so a game depends only on its seed.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "finder/complete_search.h"
#include "game/board.h"
#include "play/rng.h"
#include "words/word_list.h"

namespace tilvan::play {

inline constexpr int kSeats = 2;
inline constexpr int kMinBagToExchange = 7;
inline constexpr int kScorelessTurnsToEnd = 6;

// The hundred tiles of the set as characters, in letter order.
std::string fullSet();

struct Position {
  Board board;
  std::array<int, kSquares> premiums{};
  std::array<std::string, kSeats> racks;
  std::array<int, kSeats> scores{};
  std::string bag;
  int toMove = 0;
  int scoreless = 0;
  bool over = false;
  std::array<int, kSeats> endAdjustment{};  // set when the game ends
  Rng rng;
  // The complete search's reading of the board once readBoard attached it;
  // playMove keeps it up to date. Searches use it only while it holds the
  // board and premiums, so changing them by hand only costs the saving.
  std::shared_ptr<const BoardReading> reading;

  const std::string& rack() const { return racks[static_cast<std::size_t>(toMove)]; }
  int opponent() const { return 1 - toMove; }
  // The tiles the mover cannot see: the bag and the opponent's rack.
  std::string unseen() const { return bag + racks[static_cast<std::size_t>(opponent())]; }
  bool canExchange() const { return !over && static_cast<int>(bag.size()) >= kMinBagToExchange; }
};

// A new game: the full set shuffled from `seed`, seven tiles to player 0,
// then seven to player 1. Player 0 moves first.
Position newGame(std::uint64_t seed);

// Attaches the complete search's reading of the board: the searches of this
// position and of the positions that playMove makes from it then skip
// reading the board again.
void readBoard(const WordList& list, Position& pos);

// Every placement of the mover's rack (see completeMoves).
void legalMoves(const WordList& list, const Position& pos, std::vector<CompleteMove>& out);

// The rack positions that `move` uses on `board` as a bit mask (bit k:
// rack[k]; of equal tiles the last ones), and the mover's tiles left after
// it (sorted).
unsigned usedMask(const Board& board, std::string_view rack, const CompleteMove& move);
std::string leaveAfter(const Position& pos, const CompleteMove& move);

// Turns: each applies a turn of the mover and passes the turn on; a move and
// an exchange return the tiles drawn after it, in draw order. REQUIRES:
// !pos.over; `move` one of legalMoves(); for exchange, canExchange() and
// `keep` a sub-multiset of the rack that is shorter than it.
std::string playMove(Position& pos, const CompleteMove& move);

// The squares (H indices) where `move` lays new tiles on `board`, in the
// main word's order; their count.
int newSquares(const Board& board, const CompleteMove& move, std::array<int, kSide>& out);
std::string exchangeTiles(Position& pos, std::string_view keep);
void passTurn(Position& pos);

// Sorts a rack's characters ('_' first).
std::string sortedTiles(std::string tiles);

}  // namespace tilvan::play
