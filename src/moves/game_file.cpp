#include "moves/game_file.h"

#include <nlohmann/json.hpp>

#include "board/preview.h"
#include "game/handlers.h"
#include "moves/record.h"
#include "moves/take_back.h"

namespace tilvan {
namespace {

using Json = nlohmann::ordered_json;

const char* kindName(TurnKind k) {
  return k == TurnKind::kMove ? "move" : k == TurnKind::kPass ? "pass" : "end";
}

Json turnJson(const Turn& t) {
  Json j;
  j["kind"] = kindName(t.kind);
  j["player"] = t.player + 1;
  if (t.kind == TurnKind::kMove) {
    Json tiles = Json::array();
    for (const TurnTile& x : t.tiles)
      tiles.push_back({{"row", x.row},
                       {"col", x.col},
                       {"letter", std::string(1, x.letter)},
                       {"blank", x.blank},
                       {"tile", x.tile}});
    j["tiles"] = std::move(tiles);
    j["words"] = t.words;
  }
  if (t.kind != TurnKind::kPass) j["score"] = t.score;
  if (t.corrected) j["corrected"] = *t.corrected;
  return j;
}

Json turnsJson(const std::vector<Turn>& turns) {
  Json out = Json::array();
  for (const Turn& t : turns) out.push_back(turnJson(t));
  return out;
}

// An integer field of `j` within [lo, hi], or the reason it is not there.
std::optional<std::string> intField(const Json& j, const char* name, int lo, int hi, int& out) {
  const auto it = j.find(name);
  if (it == j.end()) return std::string("no \"") + name + "\"";
  if (!it->is_number_integer() || *it < lo || *it > hi)
    return std::string("\"") + name + "\" is not a whole number from " + std::to_string(lo) +
           " to " + std::to_string(hi);
  out = it->get<int>();
  return std::nullopt;
}

std::optional<std::string> readTile(const Json& j, TurnTile& tile) {
  if (!j.is_object()) return "a tile is not an object";
  if (auto why = intField(j, "row", 0, kSide - 1, tile.row)) return why;
  if (auto why = intField(j, "col", 0, kSide - 1, tile.col)) return why;
  const auto letter = j.find("letter");
  if (letter == j.end() || !letter->is_string() || letter->get<std::string>().size() != 1 ||
      (*letter).get<std::string>()[0] < 'a' || (*letter).get<std::string>()[0] > 'z')
    return "a tile's \"letter\" is not one of a to z";
  tile.letter = letter->get<std::string>()[0];
  const auto blank = j.find("blank");
  if (blank != j.end() && !blank->is_boolean()) return "a tile's \"blank\" is not true or false";
  tile.blank = blank != j.end() && blank->get<bool>();
  tile.tile = -1;  // the next of its stack
  if (j.contains("tile")) {
    if (auto why = intField(j, "tile", 0, kSetTiles - 1, tile.tile)) return why;
    if (letterBlockOf(tile.tile) != (tile.blank ? kBlank : tile.letter - 'a'))
      return "tile " + std::to_string(tile.tile) + " is not a " +
             (tile.blank ? std::string("blank") : std::string(1, tile.letter));
  }
  return std::nullopt;
}

// A turn may be that of a player beyond the game's number of players: the
// number can be set lower during the game, after that player has played.
std::optional<std::string> readTurn(const Json& j, Turn& turn, std::optional<int>& stated) {
  if (!j.is_object()) return "not an object";
  const auto kind = j.find("kind");
  const std::string k = kind != j.end() && kind->is_string() ? kind->get<std::string>() : "";
  if (k != "move" && k != "pass" && k != "end") return "\"kind\" is not move, pass or end";
  turn.kind = k == "move" ? TurnKind::kMove : k == "pass" ? TurnKind::kPass : TurnKind::kEnd;
  if (auto why = intField(j, "player", 1, kPlayers, turn.player)) return why;
  --turn.player;
  if (j.contains("score")) {
    int score = 0;
    if (auto why = intField(j, "score", -kMaxTurnScore, kMaxTurnScore, score)) return why;
    if (turn.kind == TurnKind::kPass && score != 0) return "a pass scores 0";
    stated = turn.score = score;
  } else if (turn.kind == TurnKind::kEnd) {
    return "an end of the game without its \"score\"";
  }
  if (j.contains("corrected")) {
    int corrected = 0;
    if (auto why = intField(j, "corrected", -kMaxTurnScore, kMaxTurnScore, corrected)) return why;
    turn.corrected = corrected;
  }
  if (turn.kind != TurnKind::kMove) return std::nullopt;
  const auto tiles = j.find("tiles");
  if (tiles == j.end() || !tiles->is_array() || tiles->empty() || tiles->size() > kMoveSlots)
    return "a move without 1 to 7 \"tiles\"";
  for (const Json& t : *tiles) {
    turn.tiles.emplace_back();
    if (auto why = readTile(t, turn.tiles.back())) return why;
  }
  return std::nullopt;
}

// More tiles of a letter than the set holds, over all moves.
std::optional<std::string> countTiles(const std::vector<Turn>& turns) {
  std::array<int, kLetters> used{};
  for (std::size_t i = 0; i < turns.size(); ++i)
    for (const TurnTile& t : turns[i].tiles) {
      const int letter = t.blank ? kBlank : t.letter - 'a';
      if (++used[letter] > kLetterCount[letter])
        return "turn " + std::to_string(i + 1) + ": more " +
               (t.blank ? std::string("blanks") : "\"" + std::string(1, t.letter) + "\" tiles") +
               " than the set holds";
    }
  return std::nullopt;
}

std::optional<std::string> readTurns(const Json& j, const char* name, std::vector<Turn>& turns,
                                     std::vector<std::optional<int>>* stated) {
  const auto list = j.find(name);
  if (list == j.end()) return std::nullopt;
  if (!list->is_array()) return std::string("\"") + name + "\" is not a list";
  for (const Json& t : *list) {
    turns.emplace_back();
    std::optional<int> score;
    if (auto why = readTurn(t, turns.back(), score))
      return std::string(name == std::string("turns") ? "turn " : "taken-back turn ") +
             std::to_string(turns.size()) + ": " + *why;
    if (stated) stated->push_back(score);
  }
  return std::nullopt;
}

// Gives every tile saved without its number a tile of its letter that no
// other tile of the file names, lowest first.
std::optional<std::string> numberTiles(SavedGame& g) {
  std::array<bool, kSetTiles> named{};
  for (auto* turns : {&g.turns, &g.takenBack})
    for (const Turn& t : *turns)
      for (const TurnTile& x : t.tiles)
        if (x.tile >= 0) named[x.tile] = true;
  std::array<int, kLetters> next{};
  for (int l = 0; l < kLetters; ++l) next[l] = letterEnd(l) - kLetterCount[l];
  for (auto* turns : {&g.turns, &g.takenBack})
    for (std::size_t i = 0; i < turns->size(); ++i)
      for (TurnTile& x : (*turns)[i].tiles) {
        if (x.tile >= 0) continue;
        const int letter = x.blank ? kBlank : x.letter - 'a';
        while (next[letter] < letterEnd(letter) && named[next[letter]]) ++next[letter];
        if (next[letter] == letterEnd(letter))
          return std::string(turns == &g.turns ? "turn " : "taken-back turn ") +
                 std::to_string(i + 1) + ": no " +
                 (x.blank ? std::string("blank") : "\"" + std::string(1, x.letter) + "\" tile") +
                 " is left for it";
        x.tile = next[letter]++;
      }
  return std::nullopt;
}

// Why a move's stated score is not its score by the rules, or nothing.
std::optional<std::string> checkStated(const Turn& played, std::optional<int> stated) {
  if (played.kind != TurnKind::kMove || !stated || *stated == played.score) return std::nullopt;
  return "it scores " + std::to_string(played.score) + " by the rules, not " +
         std::to_string(*stated) + " (a score agreed at the table goes in \"corrected\")";
}

// Plays the turns that Redo can put back on a copy of the restored game, the
// next one first: they must be playable, and the file leaves out what the
// playing finds (the words formed, where the main word lies).
std::optional<std::string> replayTakenBack(const Game& restored, std::vector<Turn>& takenBack,
                                           const std::vector<std::optional<int>>& stated) {
  Game copy(restored.words);
  copy.state = restored.state;
  copy.form = restored.form;
  const std::vector<Turn> next(takenBack.rbegin(), takenBack.rend());
  const std::size_t before = copy.state.Turns.size();
  std::size_t failedAt = 0;
  const auto label = [&](std::size_t i) {
    return "taken-back turn " + std::to_string(takenBack.size() - i) + ": ";
  };
  if (auto why = playTurns(copy, next, &failedAt)) return label(failedAt) + *why;
  for (std::size_t i = 0; i < next.size(); ++i) {
    const std::size_t at = takenBack.size() - 1 - i;
    const Turn& played = copy.state.Turns[before + i];
    if (auto why = checkStated(played, at < stated.size() ? stated[at] : std::nullopt))
      return label(i) + *why;
    takenBack[at] = played;
  }
  return std::nullopt;
}

}  // namespace

Result<SavedGame> parseGameFile(std::string_view text) {
  const auto fail = [](std::string why) { return FileError{"", std::move(why)}; };
  // Nothing nested deeper than a game file could ever be is kept: a deep
  // document is refused before anything walks it.
  bool tooDeep = false;
  const Json::parser_callback_t shallow = [&](int depth, Json::parse_event_t event,
                                              Json&) {
    const bool opens = event == Json::parse_event_t::object_start ||
                       event == Json::parse_event_t::array_start;
    if (opens && depth >= kMaxGameFileDepth) tooDeep = true;
    return !tooDeep;
  };
  const Json j = Json::parse(text.begin(), text.end(), shallow, false);
  if (tooDeep)
    return fail("not a game file: nested more than " + std::to_string(kMaxGameFileDepth) +
                " levels deep");
  if (j.is_discarded()) return fail("not a game file: not JSON, or cut short");
  if (!j.is_object() || !j.contains("format") || j["format"] != kGameFileFormat)
    return fail("not a game file of this program");
  const auto version = j.find("version");
  if (version == j.end() || !version->is_number_integer())
    return fail("no whole-number \"version\" of the file's format");
  if (*version > kGameFileVersion)
    return fail("made by a newer version of the program (format " + version->dump() + ")");
  if (*version < 1) return fail("format version " + version->dump() + " does not exist");
  SavedGame g;
  if (auto why = intField(j, "players", 2, kPlayers, g.players)) return fail(*why);
  if (auto why = intField(j, "userTurn", 1, g.players, g.userTurn)) return fail(*why);
  if (j.contains("toMove")) {
    int toMove = 0;
    if (auto why = intField(j, "toMove", 1, g.players, toMove)) return fail(*why);
    g.toMove = toMove;
  }
  if (j.contains("wordList") && j["wordList"].is_string()) g.wordList = j["wordList"];
  if (!j.contains("turns")) return fail("no \"turns\"");
  if (auto why = readTurns(j, "turns", g.turns, &g.stated)) return fail(*why);
  if (auto why = readTurns(j, "takenBack", g.takenBack, &g.takenBackStated))
    return fail(*why);
  if (auto why = countTiles(g.turns)) return fail(*why);
  if (auto why = numberTiles(g)) return fail(*why);
  if (j.contains("totals")) {
    const Json& totals = j["totals"];
    if (!totals.is_array() || totals.size() != static_cast<std::size_t>(g.players))
      return fail("\"totals\" is not a list of one total per player");
    for (const Json& t : totals) {
      if (!t.is_number_integer() ||
          (t.is_number_unsigned() && t.get<std::uint64_t>() > kMaxTotal))
        return fail("a total is not a whole number from -" + std::to_string(kMaxTotal) + " to " +
                    std::to_string(kMaxTotal));
      const Total total = t.get<Total>();
      if (total < -kMaxTotal || total > kMaxTotal)
        return fail("a total is not a whole number from -" + std::to_string(kMaxTotal) + " to " +
                    std::to_string(kMaxTotal));
      g.totals.push_back(total);
    }
  }
  return g;
}

std::string gameFileText(const Game& game) {
  const GameState& s = game.state;
  Json j;
  j["format"] = kGameFileFormat;
  j["version"] = kGameFileVersion;
  j["players"] = s.NumPlayers;
  j["userTurn"] = s.UserTurn;
  if (!gameEnded(s.Turns) && s.CurrentPlayer >= 0 && s.CurrentPlayer < s.NumPlayers)
    j["toMove"] = s.CurrentPlayer + 1;
  j["wordList"] = game.words.path().filename().string();
  j["turns"] = turnsJson(s.Turns);
  if (!s.TakenBack.empty()) j["takenBack"] = turnsJson(s.TakenBack);
  const auto totals = playerTotals(s.Turns);
  j["totals"] = std::vector<Total>(totals.begin(), totals.begin() + std::max(s.NumPlayers, 0));
  return j.dump(1) + "\n";
}

std::optional<std::string> restoreGame(Game& game, const SavedGame& saved) {
  Game fresh(game.words);
  fresh.form.chkComplete = game.form.chkComplete;
  fresh.form.chkValue = game.form.chkValue;
  fresh.state.NumPlayers = saved.players;
  fresh.state.UserTurn = saved.userTurn;
  startAgain(fresh);
  if (auto why = rebuildFromTurns(fresh, saved.turns)) return why;
  const std::vector<Turn>& played = fresh.state.Turns;
  if (played.size() != saved.turns.size()) return "the game differs from the file";
  for (std::size_t i = 0; i < played.size(); ++i)
    if (auto why = checkStated(played[i], i < saved.stated.size() ? saved.stated[i] : std::nullopt))
      return "turn " + std::to_string(i + 1) + ": " + *why;
  const auto totals = playerTotals(played);
  for (std::size_t p = 0; p < saved.totals.size(); ++p)
    if (saved.totals[p] != totals[p])
      return "the totals do not add up: player " + std::to_string(p + 1) + " has " +
             std::to_string(totals[p]) + ", not " + std::to_string(saved.totals[p]);
  std::vector<Turn> takenBack = saved.takenBack;
  if (auto why = replayTakenBack(fresh, takenBack, saved.takenBackStated)) return why;
  fresh.state.TakenBack = std::move(takenBack);
  if (saved.toMove && !gameEnded(fresh.state.Turns)) turnTo(fresh, *saved.toMove - 1);
  game.state = std::move(fresh.state);
  game.form = std::move(fresh.form);
  return std::nullopt;
}

std::optional<std::string> loadGameFile(Game& game, const std::filesystem::path& path) {
  const auto text = readFileBytes(path, kMaxGameFileBytes);
  if (!text.ok()) return text.error().reason;
  const auto saved = parseGameFile(text.value());
  if (!saved.ok()) return saved.error().reason;
  if (auto why = restoreGame(game, saved.value())) return why;
  clearResults(game);  // the lower board mirrors the board, as during play
  return std::nullopt;
}

void startAgain(Game& game) {
  class Silent : public Prompts {
    void message(std::string_view) override {}
    std::optional<std::string> askBlankLetter() override { return std::nullopt; }
  } silent;
  Game fresh(game.words);
  startUp(fresh, silent);
  fresh.form.chkComplete = game.form.chkComplete;
  fresh.form.chkValue = game.form.chkValue;
  // The players and the user's turn, set again as the user set them.
  if (game.state.NumPlayers > 0) {
    fresh.form.txtNumberofPlayers.type(std::to_string(game.state.NumPlayers));
    pressNumberOfPlayers(fresh, silent);
  }
  if (game.state.UserTurn > 0) {
    fresh.form.txtUsersTurn.type(std::to_string(game.state.UserTurn));
    pressUsersTurn(fresh, silent);
  }
  game.state = std::move(fresh.state);
  game.form = std::move(fresh.form);
}

}  // namespace tilvan
