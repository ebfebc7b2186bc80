// "Find   Words" at the end of the game. With two players, the bag empty
// (every tile the user has not seen is on the opponent's rack) and the rack
// typed, the complete search's slots are followed by the exact endgame
// solver: its best move goes to slot 0, marked "best to the end (+N)", the
// other slots keep their ranking less that move. N is the spread from here
// to the end of the game from the user's side: the user's points minus the
// opponent's, the end of the game (playing out, six scoreless turns)
// included, the points already scored not; always signed ("+6", "-3",
// "+0"). A solve that ran out of its limit still puts its best move first,
// marked "unproven best (+N)" (the tooltip and the status line say the
// limit: "not proven in 2 s").
//
// The steps are apart so that the window may solve on another thread:
// prepareSlotEndgame copies what the solve needs from the game (on the
// game's thread), solveSlotEndgame runs anywhere, showBestToTheEnd changes
// the slots (on the game's thread) unless they changed meanwhile.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ahead/endgame.h"
#include "game/game.h"
#include "game/prompts.h"

namespace tilvan {

// Everything one solve needs, copied from the game: nothing in it refers
// to the game.
struct SlotEndgame {
  std::shared_ptr<const WordList> list;
  GameState state;       // the committed board and its premiums
  std::string rack;      // the user's tiles as the search read them
  std::string opponent;  // every tile the user has not seen
  // The slots as the search left them: the answer is shown only on these.
  std::array<std::string, kResultSlots> captions, tips;
};

// The endgame after a search of the complete kind on the game's rack, or
// nothing when there is none to solve: not two players, tiles still in the
// bag, no rack, no opponent's tile, another kind of search, or a word list
// that cannot be read.
std::optional<SlotEndgame> prepareSlotEndgame(const Game& game);

struct SlotEndgameAnswer {
  EndgameResult solved;
  // Both sides' moves in turn from the user's, then how the game ends:
  // "You: QI 8G 22, Opponent: ZAX H4 31, You: JO 9A 18, out +6" ("8G"
  // across from row 8, column G; "H4" down; a blank's letter in lower case;
  // "..." where the line stops before the end of the game).
  std::string line;
  std::string limit;  // what an unproven solve ran out of: "2 s", "200000 positions"
};

// Solves the prepared endgame; safe on any thread. `options.describeLine`
// is taken as true.
SlotEndgameAnswer solveSlotEndgame(const SlotEndgame& endgame, EndgameOptions options);

// Options of a solve whose answer depends on nothing but the position: a
// budget of positions (the same on any machine), its time limit only a
// safeguard.
EndgameOptions reproducibleEndgameOptions();

// "+6", "-3", "+0".
std::string spreadShown(int spread);

// Slot 0's caption and the status line's text for an answer.
std::string bestToTheEndCaption(const SlotEndgameAnswer& answer);
std::string bestToTheEndStatus(const SlotEndgameAnswer& answer);

// Reorders the slots for the answer (see the top of this file), shows slot
// 0 on the lower board and says the status line. Returns false and changes
// nothing when the slots are no longer those `endgame` was prepared on.
bool showBestToTheEnd(Game& game, Prompts& prompts, const SlotEndgame& endgame,
                      const SlotEndgameAnswer& answer);

}  // namespace tilvan
