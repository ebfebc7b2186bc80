// The refutations the endgame search keeps per ply: the last two moves
// that cut a node off without ending the game (killers), and the last that
// cut one off by playing out. Each is kept with the key of the position
// before the move that led to its node (its parent) and whether it stands
// on the parent's board too, which lets a sibling node try it before its
// own moves are listed (stands()).
#pragma once

#include <array>
#include <cstdint>

#include "ahead/endgame_position.h"

namespace tilvan {

class EgKillers {
 public:
  static constexpr int kPerPly = 2;
  static constexpr int kMaxPly = 128;

  struct Killer {
    EgMove move;
    std::uint64_t parentKey = 0;
    bool standsOnParent = false;
  };

  // Keeps m (not a pass), which cut off the node at `ply` of `pos`;
  // `terminal` when it ends the game. parentKey: the key of the node before
  // pos's last move (0 at the root, which has none).
  void add(const EgPosition& pos, int ply, std::uint64_t parentKey, const EgMove& m,
           bool terminal) {
    const Killer k{m, parentKey, ply > 0 && pos.clearOfLastMove(m)};
    if (terminal) {
      if (m.count == pos.tiles(pos.toMove())) out_[ply] = k;
      return;
    }
    auto& ks = killers_[ply];
    if (ks[0].move == m) return;
    ks[1] = ks[0];
    ks[0] = k;
  }

  const std::array<Killer, kPerPly>& at(int ply) const { return killers_[ply]; }
  const Killer& playingOutAt(int ply) const { return out_[ply]; }

  // A killer found after another move of the same parent that stands on
  // the parent's board stands on this node's board too, with the same
  // score, when it lies off the lines the last move marked
  // (EgPosition::clearOfLastMove): it is then one of the node's placements.
  static bool stands(const EgPosition& pos, const Killer& k, int ply, std::uint64_t parentKey) {
    return ply > 0 && k.standsOnParent && !k.move.isPass() && k.parentKey == parentKey &&
           pos.clearOfLastMove(k.move);
  }

 private:
  std::array<std::array<Killer, kPerPly>, kMaxPly + 1> killers_{};
  std::array<Killer, kMaxPly + 1> out_{};
};

}  // namespace tilvan
