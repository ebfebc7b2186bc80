// find --rank value: the complete search's placements and the exchanges,
// ranked by points plus the value of the tiles kept.
#include <algorithm>
#include <cstdio>
#include <sstream>

#include "cli/find.h"
#include "cli/json.h"
#include "finder/complete_search.h"
#include "game/move_score.h"
#include "play/choice.h"
#include "play/position.h"

namespace tilvan::cli {

std::string number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  std::string s = buf;
  return s == "-0.00" ? "0.00" : s;
}

namespace {

std::string valueFields(const play::Choice& c) {
  return "\"leave\":" + jsonString(c.keep) + ",\"leaveValue\":" + number(c.leaveValue) +
         ",\"value\":" + number(c.value);
}

}  // namespace

std::string valueResults(const GameState& state, const WordList& list, std::string_view rack,
                         int players, bool json) {
  const std::string tiles = play::sortedTiles(std::string(rack.substr(0, kMoveSlots)));
  const play::ValueInputs in =
      play::inputsFor(state.Committed, tiles, players, play::LeaveTable::builtIn());
  std::vector<play::Choice> ranked =
      play::rankByValue(list, state.Committed, state.SquareBonus, tiles, in, kResultSlots);
  if (!ranked.empty() && ranked.front().kind == play::Choice::Kind::kPass) ranked.clear();
  std::string out = json ? "{\"results\":[" : "";
  int k = 0;
  for (const play::Choice& c : ranked) {
    ++k;
    if (json) out += std::string(k > 1 ? "," : "") + "{\"slot\":" + std::to_string(k) + ",";
    if (c.kind == play::Choice::Kind::kExchange) {
      out += json ? "\"kind\":\"exchange\",\"score\":0,\"keep\":" + jsonString(c.keep) +
                        ",\"throw\":" + jsonString(c.thrown) + "," + valueFields(c) + "}"
                  : std::to_string(k) + ". Exchange: keep " + (c.keep.empty() ? std::string("-") : c.keep) + ", throw " + c.thrown +
                        "  value " + number(c.value) + "\n";
      continue;
    }
    const CompleteResult r = describeMoves(state, {c.move}).front();
    if (json) {
      const LetterGrid grid = letterGridOf(state.Committed, state.LetterChar, r.down);
      out += "\"kind\":\"move\"," + candidateJsonFields(r.down, r.cand, grid) + "," +
             valueFields(c) + "}";
    } else {
      out += std::to_string(k) + ". " + candidateLine(r.down, r.cand) + "     leave " +
             (c.keep.empty() ? "-" : c.keep) + " " + number(c.leaveValue) + ", value " +
             number(c.value) + "\n";
    }
  }
  if (json) return out + "]}\n";
  return ranked.empty() ? "no placement found\n" : out;
}

}  // namespace tilvan::cli
