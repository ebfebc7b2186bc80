// Looking a word up in the word list in use (challenges at the table, and
// the words of the move in progress).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "game/game.h"

namespace tilvan {

// Every record of one version of the word list, for exact look-ups. Built
// once per version (WordList::derived) and living as long as it.
class WordSet {
 public:
  explicit WordSet(const WordList& list);
  bool contains(std::string_view word) const { return words_.count(word) > 0; }

 private:
  std::unordered_set<std::string_view> words_;  // views into the list's records
};

// The word list in use, or nothing when it cannot be read.
std::shared_ptr<const WordList> wordListInUse(const Game& game);

// Whether `word` is a record of the word list in use: exact and
// case-sensitive, as CHECK WORDS matches. Nothing when the list cannot be
// read: no answer at all, rather than "not in the list".
std::optional<bool> lookUpWord(Game& game, const std::string& word);

}  // namespace tilvan
