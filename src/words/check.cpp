// "CHECK WORDS": marks the words of the last committed move that the word
// list lacks.
#include <algorithm>

#include "game/handlers.h"

namespace tilvan {

void pressCheckWords(Game& game, Prompts& prompts) {
  GameState& s = game.state;
  const auto list = game.words.get();
  if (!list.ok()) {
    prompts.message(list.error().message());
    return;
  }
  const WordList& words = *list.value();
  const int count = std::clamp(s.WordCount, 0, kWordLabels);
  // One pass over the list in file order; exact, case-sensitive matches.
  for (std::size_t r = 0; r < words.size(); ++r) {
    const std::string_view record = words[r];
    for (int w = 0; w < count; ++w)
      if (record == s.FormedWords[w]) s.WordFound[w] = true;
  }
  for (int w = 0; w < count; ++w)
    game.form.lblCheckWords[w] = s.WordFound[w] ? "" : "Not A Word";
}

}  // namespace tilvan
