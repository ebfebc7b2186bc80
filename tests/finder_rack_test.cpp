// Racks holding characters that are no tiles (capitals, bytes of 128 and
// more, punctuation) against lists holding such records: only a..z are tiles
// and '_' a blank that stands for one of them, in either search.
#include <gtest/gtest.h>

#include "cli/find.h"
#include "finder/find_words.h"
#include "support/position_gen.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

std::string tilesOf(std::string_view rack) {
  std::string out;
  for (char c : rack)
    if ((c >= 'a' && c <= 'z') || c == '_') out += c;
  return out;
}

// The result slots of one search with the rack box holding `rack` as it is
// (the box itself lowers typed capitals; `find --rack` does not), as
// `find --json` prints them, and what the search said.
std::string results(test::StartedGame& g, std::string_view rack, bool complete) {
  g.game.form.txtRack.Text = std::string(rack.substr(0, kMoveSlots));
  g.game.form.chkComplete = complete;
  pressFindWords(g.game, g.prompts);
  return cli::resultsJson(g.game) + testing::PrintToString(g.prompts.take());
}

// Every word of every kept candidate is a..z, and every tile laid a letter
// or a blank.
void expectOnlyTiles(const FinderState& f, std::string_view rack) {
  for (const CandidateSet* set : {&f.V, &f.H}) {
    for (const Candidate& c : set->Cands) {
      for (const FormedWord& w : c.Words)
        EXPECT_EQ(w.Text, tilesOf(w.Text)) << "rack \"" << rack << "\"";
      EXPECT_EQ(c.TilesUsed.find_first_not_of("abcdefghijklmnopqrstuvwxyz_"), std::string::npos)
          << "rack \"" << rack << "\"";
    }
  }
}

TEST(FinderRack, OddRacksFindWhatTheirTilesFindOnGeneratedPositions) {
  // Capitals, the characters either side of a..z and A..Z, bytes over 127.
  constexpr char kOdd[] = "ABZ@[`{|~-. \xe9\xff\x01";
  int withResults = 0;
  for (int listNo = 0; listNo < 6; ++listNo) {
    test::PositionGen gen(0xAC0 + listNo);
    const std::string text = gen.wordListText(gen.uniform(200, 1500)) + "C@T\nc@t\n\xe9t\nAT\n";
    test::StartedGame g(text);
    const std::vector<std::string> words = test::plainWords(text);
    for (int b = 0; b < 25; ++b) {
      const Grid rows = b % 5 == 0 ? test::emptyRows() : gen.board(words, gen.uniform(1, 20));
      test::setBoard(g.game.state, rows);
      std::string rack = gen.rack(gen.uniform(1, 7), gen.uniform(0, 1));
      for (char& c : rack)
        if (gen.uniform(0, 2) == 0) c = kOdd[gen.uniform(0, sizeof kOdd - 2)];
      const bool complete = b % 2 == 1;
      const std::string odd = results(g, rack, complete);
      expectOnlyTiles(g.game.state.Finder, rack);
      EXPECT_EQ(odd, results(g, tilesOf(rack), complete))
          << "rack \"" << rack << "\"";
      withResults += !odd.starts_with("{\"results\":[]}");
    }
  }
  EXPECT_GT(withResults, 30);
}

}  // namespace
}  // namespace tilvan
