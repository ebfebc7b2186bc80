#include "words/lookup.h"

namespace tilvan {

WordSet::WordSet(const WordList& list) {
  words_.reserve(list.size());
  for (std::size_t r = 0; r < list.size(); ++r) words_.insert(list[r]);
}

std::shared_ptr<const WordList> wordListInUse(const Game& game) {
  auto list = game.words.get();
  return list.ok() ? list.value() : nullptr;
}

std::optional<bool> lookUpWord(Game& game, const std::string& word) {
  const auto list = wordListInUse(game);
  if (!list) return std::nullopt;
  return list->derived<WordSet>().contains(word);
}

}  // namespace tilvan
