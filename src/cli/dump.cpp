#include "cli/dump.h"

#include "cli/json.h"
#include "game/views.h"

namespace tilvan::cli {

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
  return out + "}";
}

}  // namespace tilvan::cli
