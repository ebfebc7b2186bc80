// The end of the game by the score sheet's rules: what each player's score
// changes by, given the tiles left on every rack. Ending the game on the
// score sheet and self-play both count it here.
#pragma once

#include <string>
#include <vector>

namespace tilvan {

// One adjustment per rack, in order: each player loses the points of the
// tiles left on their rack ('a'..'z'; '_' and anything else count 0); when
// exactly one player has no tiles left, that player gains what the others
// lose.
std::vector<int> endOfGameAdjustments(const std::vector<std::string>& racks);

}  // namespace tilvan
