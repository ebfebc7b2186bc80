// Helpers shared by the core tests: a recording Prompts, temporary files
// and a started game over a given word list.
#pragma once

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "game/handlers.h"
#include "game/prompts.h"

namespace tilvan::test {

// Records every message; answers blank tile dialogs from a queue (nothing
// queued: the dialog is closed).
class RecordingPrompts : public Prompts {
 public:
  void message(std::string_view text) override { messages.emplace_back(text); }
  std::optional<std::string> askBlankLetter() override {
    ++blankDialogs;
    if (blankAnswers.empty()) return std::nullopt;
    auto answer = blankAnswers.front();
    blankAnswers.pop_front();
    return answer;
  }
  // Records the question; answers from `confirmAnswers`, yes when none is queued.
  bool confirm(std::string_view question) override {
    questions.emplace_back(question);
    if (confirmAnswers.empty()) return true;
    const bool yes = confirmAnswers.front();
    confirmAnswers.pop_front();
    return yes;
  }
  // The messages recorded since the last call, which forgets them.
  std::vector<std::string> take() { return std::exchange(messages, {}); }

  std::vector<std::string> messages;
  std::deque<std::optional<std::string>> blankAnswers;
  std::vector<std::string> questions;
  std::deque<bool> confirmAnswers;
  int blankDialogs = 0;
};

// A file in a fresh temporary directory, removed with the object.
class TempFile {
 public:
  explicit TempFile(std::string_view contents, std::string_view name = "words.txt");
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::filesystem::path& path() const { return path_; }
  void write(std::string_view contents) const;

 private:
  std::filesystem::path dir_, path_;
};

// A program started over a word list given as text (one word per line
// unless the text says otherwise), with the start-up message taken.
struct StartedGame {
  explicit StartedGame(std::string_view wordListText = "");
  explicit StartedGame(const std::vector<std::string>& words);

  TempFile words;
  WordListCache cache;
  Game game;
  RecordingPrompts prompts;

  // Sets players and the user's turn as a user would.
  void setPlayers(int players, int userTurn);
};

// Joins words with "\n", each line ended.
std::string lines(const std::vector<std::string>& words);

// The bytes of a file ("" when it cannot be read).
std::string readFile(const std::filesystem::path& path);

}  // namespace tilvan::test
