// A small saved game that tests of bad game files change one thing of: a
// failed load must say one thing and leave the game as it was.
#pragma once

#include <nlohmann/json.hpp>

#include "moves/game_file.h"
#include "moves_fixture.h"

namespace tilvan {

// A game of a few turns, saved; the bad files are made from its text.
class BadGameFile : public test::MovesTest {
 protected:
  BadGameFile() : MovesTest({"cat", "cats", "at", "as", "zzz", "ta"}) {
    play("cat", 7, 6);
    play("s", 7, 9);
    pressPass(g.game, g.prompts);
    adjustScore(g.game, g.prompts, 0, 12);
    good = nlohmann::ordered_json::parse(gameFileText(g.game));
    lay("a", 8, 7);  // a move in progress, which a failed load keeps too
    stateBefore = s;
    formBefore = f;
  }
  // Opens `text` as a file; returns the one message, and checks the game
  // did not change.
  std::string openText(std::string_view text) {
    file.write(text);
    return openPath(file.path());
  }
  std::string openJson(const nlohmann::ordered_json& j) { return openText(j.dump(1)); }
  std::string openPath(const std::filesystem::path& path) {
    openGame(g.game, g.prompts, path);
    const test::Messages said = g.prompts.take();
    EXPECT_TRUE(s == stateBefore) << "the game changed";
    EXPECT_TRUE(f == formBefore) << "the window changed";
    EXPECT_EQ(said.size(), 1u);
    return said.empty() ? "" : said[0];
  }
  std::string prefix() const { return "Cannot open the game \"" + file.path().string() + "\": "; }

  test::TempFile file{"", "game.json"};
  nlohmann::ordered_json good;
  GameState stateBefore;
  Form formBefore;
};

}  // namespace tilvan
