#include "support/game_gen.h"

#include <algorithm>

#include "board/typing.h"
#include "finder/complete_search.h"
#include "game/layout.h"

namespace tilvan::test {
namespace {

int below(std::mt19937& rng, int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

// The tiles not on the board, shuffled.
std::string bagOf(const Game& game, std::mt19937& rng) {
  std::string bag;
  for (int l = 0; l < kLetters; ++l)
    bag += std::string(std::stoi(game.form.lbTile[l]), letterChar(l));
  std::shuffle(bag.begin(), bag.end(), rng);
  return bag;
}

// An end of the game: one player went out, the others hold a tile or two.
void endTheGame(StartedGame& g, std::mt19937& rng, GeneratedGame& out) {
  const std::string bag = bagOf(g.game, rng);
  std::vector<std::string> racks(g.game.state.NumPlayers);
  std::size_t used = 0;
  for (std::size_t p = 1; p < racks.size() && used < bag.size(); ++p) {
    racks[p] = bag.substr(used, 1 + below(rng, 2));
    used += racks[p].size();
  }
  std::string line = "endgame ";
  for (std::size_t p = 0; p < racks.size(); ++p) line += (p ? "/" : "") + racks[p];
  endGame(g.game, g.prompts, racks);
  out.script += line + "\n";
  ++out.ends;
}

}  // namespace

// Lays result r tile by tile from the stacks and presses USE; writes the
// same as `blank` and `place` lines.
void layAndUse(StartedGame& g, const CompleteResult& r, std::string& script) {
  const Candidate& c = r.cand;
  const std::string& word = c.Words[0].Text;
  for (int j = 0; j < static_cast<int>(word.size()); ++j) {
    const int i = c.Words[0].Start + j;
    const int h = r.down ? transposeIndex(i) : i;
    if (g.game.state.Committed.atH(h).occupied) continue;
    const bool blank = c.TilesUsed[j] == '_';
    const int letter = blank ? kBlank : word[j] - 'a';
    const int n = topOfStack(g.game, letter);
    if (blank) {
      g.prompts.blankAnswers.push_back(std::string(1, word[j]));
      script += "blank " + std::string(1, word[j]) + "\n";
    }
    const int row = h / kSide, col = h % kSide;
    script +=
        "place " + std::to_string(n) + " " + std::to_string(row) + " " + std::to_string(col) + "\n";
    dropTile(g.game, g.prompts, n, 290 + 270 * col, 290 + 270 * row);
  }
  pressUse(g.game, g.prompts);
  script += "use\n";
}

GeneratedGame playGeneratedGame(StartedGame& g, const WordList& list, std::mt19937& rng,
                                const GameMix& mix) {
  GeneratedGame out;
  const auto dump = [&] {
    if (mix.dumps) out.script += "dump\n";
  };
  for (int step = 0; step < mix.steps && !gameEnded(g.game.state.Turns); ++step) {
    const int roll = mix.extras ? below(rng, 20) : below(rng, 20) < 2 ? 13 : 0;
    const int turns = static_cast<int>(g.game.state.Turns.size());
    if (roll == 12 && turns > 0) {
      const int turn = below(rng, turns), score = below(rng, 60) - 10;
      adjustScore(g.game, g.prompts, turn, score);
      out.script += "adjust " + std::to_string(turn + 1) + " " + std::to_string(score) + "\n";
      ++out.corrections;
      continue;
    }
    if (roll == 13) {
      pressPass(g.game, g.prompts);
      out.script += "pass\n";
      dump();
      ++out.passes;
      continue;
    }
    if ((roll == 14 || roll == 15) && turns > 0) {
      pressClearLastMove(g.game, g.prompts);
      out.script += "clear\n";
      ++out.takeBacks;
      continue;
    }
    if ((roll == 16 || roll == 17) && !g.game.state.TakenBack.empty()) {
      pressRedo(g.game, g.prompts);
      out.script += "redo\n";
      ++out.redos;
      continue;
    }
    const std::string rack = bagOf(g.game, rng).substr(0, kMoveSlots);
    const auto results = completeSearch(list, g.game.state, rack, 3);
    if (results.empty()) break;
    layAndUse(g, results[below(rng, static_cast<int>(results.size()))], out.script);
    dump();
    ++out.moves;
  }
  if (mix.extras && below(rng, 4) == 0 && !gameEnded(g.game.state.Turns)) endTheGame(g, rng, out);
  for (const Turn& t : g.game.state.Turns)
    out.words.insert(out.words.end(), t.words.begin(), t.words.end());
  for (const Turn& t : g.game.state.TakenBack)
    out.words.insert(out.words.end(), t.words.begin(), t.words.end());
  std::sort(out.words.begin(), out.words.end());
  out.words.erase(std::unique(out.words.begin(), out.words.end()), out.words.end());
  return out;
}

}  // namespace tilvan::test
