// The end of the game by the rules: what is left on the racks, the
// adjustment each player gets for it, and, for a record that holds only the
// adjustments, racks that give them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "game/game.h"

namespace tilvan {

// The tiles of each letter index (the blanks last) that no committed move
// has laid. A blank on the board counts as a blank, not as its letter.
std::array<int, kLetters> tilesNotLaid(const GameState& state);

// Each player's adjustment for the tiles left on their rack (`racks[p]`,
// letters a..z, '_' for a blank): minus what is left; a player who is the
// only one with an empty rack also gains what the others lose. With two or
// more empty racks nobody gains.
std::vector<int> endAdjustments(const std::vector<std::string>& racks);

// Racks, drawn from `left` (tiles per letter index), of at most 7 tiles
// each, that give exactly `adjustments` by endAdjustments; nothing when no
// racks do (or when looking for them would take unreasonably long).
std::optional<std::vector<std::string>> racksGiving(const std::array<int, kLetters>& left,
                                                    const std::vector<int>& adjustments);

}  // namespace tilvan
