// New Game, saving and opening a game file.
#include "game/handlers.h"
#include "board/preview.h"
#include "moves/game_file.h"

namespace tilvan {

bool gameInProgress(const GameState& s) {
  return !s.Turns.empty() || !s.TakenBack.empty() || s.MoveTileCount > 0 ||
         s.PlacedCount > s.LockedCount;
}

void pressNewGame(Game& game, Prompts& prompts) {
  const bool ended = gameEnded(game.state.Turns);
  if (gameInProgress(game.state) &&
      !prompts.confirm(ended ? "Start a new game?"
                             : "Start a new game? The game in progress will be given up."))
    return;
  startAgain(game);
  autosave(game, prompts);
}

bool saveGame(Game& game, Prompts& prompts, const std::filesystem::path& path) {
  const auto why = writeFileAtomically(path, gameFileText(game));
  if (why) prompts.message("Cannot save the game to \"" + path.string() + "\": " + *why);
  return !why;
}

bool openGame(Game& game, Prompts& prompts, const std::filesystem::path& path) {
  const auto fail = [&](const std::string& why) {
    prompts.message("Cannot open the game \"" + path.string() + "\": " + why);
    return false;
  };
  const auto text = readFileBytes(path, kMaxGameFileBytes);
  if (!text.ok()) return fail(text.error().reason);
  const auto saved = parseGameFile(text.value());
  if (!saved.ok()) return fail(saved.error().reason);
  if (auto why = restoreGame(game, saved.value())) return fail(*why);
  clearResults(game);  // the lower board mirrors the board, as during play
  autosave(game, prompts);
  return true;
}

}  // namespace tilvan
