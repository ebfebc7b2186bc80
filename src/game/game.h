// One running program: the game state, the mirror of the window and the word
// list it reads. Every user action is one handler (see handlers.h) that
// takes a Game and the Prompts through which it may talk to the user.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "game/form.h"
#include "game/game_state.h"
#include "words/word_list.h"

namespace tilvan {

class PlacementSearch;

struct Game {
  explicit Game(WordListCache& word_list) : words(word_list) {}

  GameState state;
  Form form = designForm();
  WordListCache& words;  // borrowed; must outlive the Game

  // The word finder's placement search (with its helper thread), made by
  // the first search of this game.
  std::shared_ptr<PlacementSearch> search;

  // Where the game is written after every change of its record, if anywhere
  // (see moves/game_file.h), and whether the last try failed (it is said
  // once, and tried again at the next change).
  std::optional<std::filesystem::path> autosavePath;
  bool autosaveFailing = false;
};

}  // namespace tilvan
