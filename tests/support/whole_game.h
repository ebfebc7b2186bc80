// What a whole game keeps true, for the tests that drive games at random:
// through the core's handlers, and through the window's gestures.
#pragma once

#include <optional>
#include <sstream>
#include <string>

#include "game/game.h"

namespace tilvan::test {

// Joins the parts of a message.
template <class... Parts>
std::string said(const Parts&... parts) {
  std::ostringstream out;
  (out << ... << parts);
  return out.str();
}

// The H index of the main-board square a picture lies exactly on, or -1.
int squareOf(const Picture& p);

// The first rule of a whole game that the state and its mirror break, or
// "": all 100 tiles accounted for, every picture in one proper place, the
// committed board joined to the centre with no premium left under it, the
// move being entered and the history agreeing with the pictures, the
// letters left, one turn mark (none once the game has ended).
std::string brokenRule(const GameState& s, const Form& f);

// How the game differs from the one rebuilt from its own record, "" when
// they agree; nothing while a move is in progress (the record does not
// hold it). The turn is compared only while the number of players has
// stayed as set (`playersChanged` false).
std::optional<std::string> differenceFromItsRecord(const Game& game, bool playersChanged);

}  // namespace tilvan::test
