// The tiles the user has not seen: the count players keep by hand.
#pragma once

#include <array>

#include "game/game.h"

namespace tilvan {

// The tiles of each letter index ('a' first, the blanks last) that are not
// on the committed board, not laid in the move in progress and not on the
// rack box's rack. On the user's turn the move in progress is laid from
// that rack, so a tile laid and still typed in the rack counts once. A
// count never falls below 0 (a rack may hold tiles that no longer exist).
std::array<int, kLetters> unseenTiles(const Game& game);

// The tiles left in the bag: the unseen tiles less 7 for each opponent,
// never below 0.
int bagCount(const Game& game);

}  // namespace tilvan
