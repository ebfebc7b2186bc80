#include "support/test_support.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

namespace tilvan::test {

TempFile::TempFile(std::string_view contents, std::string_view name) {
  std::string tmpl = (std::filesystem::temp_directory_path() / "tilvan-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  dir_ = tmpl;
  path_ = dir_ / std::string(name);
  write(contents);
}

TempFile::~TempFile() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

void TempFile::write(std::string_view contents) const {
  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

std::string lines(const std::vector<std::string>& words) {
  std::string out;
  for (const auto& w : words) out += w + "\n";
  return out;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

StartedGame::StartedGame(std::string_view wordListText)
    : words(wordListText), cache(words.path()), game(cache) {
  startUp(game, prompts);
  prompts.take();
}

StartedGame::StartedGame(const std::vector<std::string>& list) : StartedGame(lines(list)) {}

void StartedGame::setPlayers(int players, int userTurn) {
  game.form.txtNumberofPlayers.type(std::to_string(players));
  pressNumberOfPlayers(game, prompts);
  game.form.txtUsersTurn.type(std::to_string(userTurn));
  pressUsersTurn(game, prompts);
}

}  // namespace tilvan::test
