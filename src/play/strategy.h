// Strategies that choose a turn in a self-play position.
//
// Each strategy object belongs to one thread (it keeps its own buffers);
// makeStrategy makes a fresh one. Names: "score" (the most points; ties as
// the complete search ranks them; passes when nothing can be laid) and
// "value" (the most points plus leave value, exchanges included; see
// choice.h). Further strategies register under their own name in
// makeStrategy.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "play/choice.h"
#include "play/position.h"

namespace tilvan::play {

// What every strategy may use: the word list (its word graph built before
// any thread starts) and the leave table.
struct Engine {
  const WordList* list = nullptr;
  const LeaveTable* leaves = nullptr;
};

class Strategy {
 public:
  virtual ~Strategy() = default;
  virtual std::string_view name() const = 0;
  // The turn to play. REQUIRES: !pos.over.
  virtual Choice choose(const Position& pos) = 0;
};

// The value inputs of the player to move: the unseen tiles and the bag.
ValueInputs valueInputs(const Engine& engine, const Position& pos);

// Plays `c` for the mover: a move, an exchange (a pass when the bag no
// longer allows one) or a pass. Returns the tiles drawn.
// REQUIRES: !pos.over; a move one of the mover's legal moves.
std::string applyChoice(Position& pos, const Choice& c);

// A new strategy of that name, or nullptr for a name not known.
std::unique_ptr<Strategy> makeStrategy(std::string_view name, const Engine& engine);

// The strategy names makeStrategy knows, in the order the help lists them.
std::vector<std::string> strategyNames();

}  // namespace tilvan::play
