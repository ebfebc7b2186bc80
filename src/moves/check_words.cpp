// "CHECK WORDS": marks the words that the word list lacks: those of the move
// in progress when tiles are laid, else those of the last committed move.
#include <algorithm>

#include "game/handlers.h"
#include "moves/pending.h"

namespace tilvan {
namespace {

constexpr std::string_view kAllFound = "All words are in the list";

// Lists the words of the move in progress in the word labels, each marked
// when the list lacks it; a move USE would refuse gets its reason instead.
void checkMoveInProgress(Game& game, Prompts& prompts, const PendingMove& move) {
  if (!move.legal) return prompts.message(move.reason);
  Form& f = game.form;
  for (auto& label : f.lblWords) label.clear();
  for (auto& label : f.lblCheckWords) label.clear();
  bool all = true;
  for (std::size_t w = 0; w < move.words.size() && w < static_cast<std::size_t>(kWordLabels); ++w) {
    f.lblWords[w] = upperCase(move.words[w].text);
    f.lblCheckWords[w] = move.words[w].found ? "" : "Not A Word";
    all = all && move.words[w].found;
  }
  game.state.Finder.ResultWordsShown = false;  // the labels now list a move's words
  if (all) prompts.message(kAllFound);
}

}  // namespace

void pressCheckWords(Game& game, Prompts& prompts) {
  GameState& s = game.state;
  const auto list = game.words.get();
  if (!list.ok()) {
    prompts.message(list.error().message());
    return;
  }
  if (const auto pending = pendingMove(game)) return checkMoveInProgress(game, prompts, *pending);
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
  if (count > 0 && std::all_of(s.WordFound.begin(), s.WordFound.begin() + count,
                               [](bool found) { return found; }))
    prompts.message(kAllFound);
}

}  // namespace tilvan
