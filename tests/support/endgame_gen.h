// Endgames as games reach them: a game played from a shuffled bag, each turn
// the best-scoring placement of the complete search, up to the turn after
// the bag runs out.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "finder/complete_search.h"
#include "game/game_state.h"
#include "words/word_list.h"

namespace tilvan::test {
class PositionGen;
}

namespace tilvan::test {

struct ReachedEndgame {
  GameState state;                  // the board, premiums used up under its tiles
  std::array<std::string, 2> racks;  // the side to move's, the other's
  std::string bag;
};

// Lays placement r on s.Committed (premiums under it used up), taking its
// tiles from `rack`; the squares laid (H numbering) are added to `laid`.
// Returns its score.
int layPlacement(GameState& s, const CompleteResult& r, std::string& rack, std::vector<int>& laid);

// The position after the turn that leaves at most `bagLeft` tiles in the
// bag (then in `bag`), from bag `seed`; nullopt when the game ends before
// (both sides stuck).
std::optional<ReachedEndgame> greedyEndgame(const WordList& list, std::uint64_t seed,
                                            std::size_t bagLeft = 0);

// A small endgame: a board of a few words and racks of 1 to 3 tiles drawn
// from the tiles the board left (a blank one time in four).
struct Case {
  GameState state;
  std::array<std::string, 2> racks;
  std::string describe() const;  // the racks and the board, for failures
};
Case makeCase(PositionGen& gen, const std::vector<std::string>& words);

// 400 words of up to four letters from the default list, so that small
// racks have moves.
std::vector<std::string> shortWords(std::mt19937_64& rng);

}  // namespace tilvan::test
