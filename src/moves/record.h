// The game's record as the moves write and read it: the turn of a committed
// move, and rebuilding the game from its turns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "game/game.h"

namespace tilvan {

// The turn of the move that USE is committing, scored by the game's rules.
// REQUIRES: the move's tiles are written on state.Committed, state.Prev is
// the board before it, the premiums under its tiles are not used up yet and
// the move slots hold its tiles (sorted as USE sorts them).
Turn committedTurn(const GameState& state);

// Rebuilds the game from `turns` by playing every one of them again from a
// freshly started game through the same handlers: the board, the stacks,
// the letters left, the premiums, the turn mark and the record itself. What
// the record does not hold is kept as it was: the number of players and the
// user's turn, the text boxes and options, the word finder's results and
// preview, and the labels of the last move's words and checks. Tiles of a
// move in progress go home. On failure nothing changes and the reason is
// returned, naming the turn (1 = the first).
std::optional<std::string> rebuildFromTurns(Game& game, const std::vector<Turn>& turns);

// Plays one recorded turn on the game as the user would: a move's tiles are
// laid from their stacks and USE pressed, a pass is "Pass / Exchange", an
// end-of-game adjustment is added to the record. The turn mark goes to the
// turn's player first. Returns the reason when the turn cannot be played as
// recorded.
// An end-of-game adjustment alone is refused unless the game has one player:
// the end of the game is played with playTurns.
std::optional<std::string> playTurn(Game& game, const Turn& turn);

// Plays recorded turns one after the other as playTurn does, and the end of
// the game (one adjustment per player, in the players' order, after every
// other turn) as the user ends it: with racks, drawn from the tiles not on
// the board, for which the rules give exactly the recorded adjustments.
// Returns the reason the first turn that cannot be played is refused, and
// its index in `failedAt`.
std::optional<std::string> playTurns(Game& game, const std::vector<Turn>& turns,
                                     std::size_t* failedAt = nullptr);

}  // namespace tilvan
