#include "cli/dump.h"

#include <algorithm>
#include <array>

#include "cli/json.h"
#include "game/unseen.h"
#include "game/views.h"
#include "moves/pending.h"

namespace tilvan::cli {
namespace {

// One turn of the record as the state line shows it; `total` is the
// player's running total after it.
std::string turnJson(const Turn& t, Total total) {
  const auto num = [](auto n) { return std::to_string(n); };
  const char* kind = t.kind == TurnKind::kMove   ? "move"
                     : t.kind == TurnKind::kPass ? "pass"
                                                 : "end";
  const bool move = t.kind == TurnKind::kMove;
  std::string word;
  // The tiles in the main word's order.
  std::vector<TurnTile> tiles = t.tiles;
  std::sort(tiles.begin(), tiles.end(), [&](const TurnTile& a, const TurnTile& b) {
    return t.down ? a.row < b.row : a.col < b.col;
  });
  if (move && !t.words.empty()) word = t.words.front();
  std::string out = "{\"player\":" + num(t.player + 1) + ",\"kind\":\"" + kind + "\"";
  out += ",\"word\":" + jsonString(word);
  out += ",\"direction\":" + jsonString(move ? (t.down ? "down" : "across") : "");
  out += ",\"row\":" + (move ? num(t.row) : "null");
  out += ",\"col\":" + (move ? num(t.col) : "null");
  out += ",\"tiles\":" + jsonArray(tiles, [&](const TurnTile& x) {
           return "{\"row\":" + num(x.row) + ",\"col\":" + num(x.col) +
                  ",\"letter\":" + jsonString(std::string(1, x.letter)) +
                  ",\"blank\":" + jsonBool(x.blank) + "}";
         });
  out += ",\"words\":" + jsonArray(t.words, [](const std::string& w) { return jsonString(w); });
  out += ",\"score\":" + num(t.recorded()) + ",\"total\":" + num(total) + "}";
  return out;
}

std::string historyJson(const std::vector<Turn>& turns) {
  std::array<Total, kPlayers> running{};
  return jsonArray(turns, [&](const Turn& t) {
    const int p = t.player >= 0 && t.player < kPlayers ? t.player : 0;
    running[p] += t.recorded();
    return turnJson(t, running[p]);
  });
}

// The move in progress: its score and words, or null when no tile is laid.
std::string pendingJson(const Game& game) {
  const auto pending = pendingMove(game);
  if (!pending) return "null";
  return "{\"score\":" + std::to_string(pending->score) + ",\"words\":" +
         jsonArray(pending->words, [](const PendingWord& w) {
           return "{\"text\":" + jsonString(w.text) + ",\"found\":" + jsonBool(w.found) + "}";
         }) +
         "}";
}

}  // namespace

std::string stateJson(const Game& game) {
  const GameState& s = game.state;
  const Form& f = game.form;
  auto str = [](const std::string& x) { return jsonString(x); };
  auto boolean = [](bool b) { return jsonBool(b); };
  auto num = [](int n) { return std::to_string(n); };
  std::string out = "{";
  out += "\"numPlayers\":" + num(s.NumPlayers);
  out += ",\"userTurn\":" + num(s.UserTurn);
  out += ",\"currentPlayer\":" + num(s.CurrentPlayer);
  out += ",\"moveNumber\":" + num(s.MoveNumber);
  out += ",\"turnMarks\":" + jsonArray(f.linPlayer, boolean);
  out += ",\"playerLabels\":" + jsonArray(f.lblPlayer, boolean);
  out += ",\"userMarks\":" + jsonArray(f.shpUser, boolean);
  out += ",\"lettersLeft\":" + jsonArray(f.lbTile, str);
  out += ",\"board\":" + jsonArray(committedView(s.Committed), str);
  out += ",\"mainBoard\":" + jsonArray(mainBoardView(f), str);
  out += ",\"homeStacks\":" + jsonArray(homeStacks(f), num);
  out += ",\"preview\":" + jsonArray(previewView(f), str);
  out += ",\"scores\":" + jsonArray(f.lblWord, str);
  out += ",\"words\":" + jsonArray(f.lblWords, str);
  out += ",\"checks\":" + jsonArray(f.lblCheckWords, str);
  out += ",\"rack\":" + str(f.txtRack.Text);
  out += ",\"playersText\":" + str(f.txtNumberofPlayers.Text);
  out += ",\"turnText\":" + str(f.txtUsersTurn.Text);
  out += ",\"previewNew\":" + jsonArray(previewNewView(f), str);
  out += ",\"history\":" + historyJson(s.Turns);
  std::array<Total, kPlayers> totals = playerTotals(s.Turns);
  for (int p = std::max(s.NumPlayers, 0); p < kPlayers; ++p) totals[p] = 0;
  out += ",\"totals\":" + jsonArray(totals, [](Total n) { return std::to_string(n); });
  out += ",\"unseen\":" + jsonArray(unseenTiles(game), num);
  out += ",\"bag\":" + num(bagCount(game));
  out += ",\"pending\":" + pendingJson(game);
  out += ",\"gameOver\":" + boolean(gameEnded(s.Turns));
  return out + "}";
}

}  // namespace tilvan::cli
