// Generated positions for the word finder's tests and benchmarks: word lists
// with the awkward records a real file may hold, boards built by playing
// words onto them, and racks.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/views.h"

namespace tilvan::test {

// Lays rows (as a board file: '.', 'a'..'z', 'A'..'Z' for a blank) on the
// committed board as if they had been committed, premiums used up.
// MoveNumber is 1 unless the board is empty.
void setBoard(GameState& state, const Grid& rows);
// An empty board of 15 rows of dots.
Grid emptyRows();
// Writes `letters` into rows from (row, col), across or down (board file
// characters: upper case for a blank).
void put(Grid& rows, int row, int col, std::string_view letters, bool down = false);

class PositionGen {
 public:
  explicit PositionGen(std::uint64_t seed) : rng_(seed) {}

  // A word list file's text of about `words` records: mostly short lower-case
  // words, with duplicates next to each other and apart, capitals, commas
  // and quoted fields, bytes outside a..z, '_', words longer than 15 letters,
  // one-letter words, empty lines and CR LF line ends.
  std::string wordListText(int words);

  // A board made by laying up to `moves` words of `words` (lower-case a..z
  // records), each through a letter already there, never more tiles of a
  // letter than the set holds; some tiles are blanks. Some moves are single
  // stray tiles, so any pattern of letters can occur.
  Grid board(const std::vector<std::string>& words, int moves);

  // Lays up to `runs` runs of one to three letters that end on one of the
  // last three squares of a row or column, on empty squares only, never
  // more tiles of a letter than the set holds.
  void layNearLineEnds(Grid& rows, int runs);

  // Up to `count` words that a rack can lay through board letters near the
  // end of a line: each spans squares of a row or column up to one of its
  // last four, with the board letters there in place and letters on the
  // empty squares, often copies of a board letter further on (so that a
  // board letter need not be the first of its letter in the word).
  struct LineEndWord {
    std::string word;
    std::string tiles;  // the letters on its empty squares
  };
  std::vector<LineEndWord> lineEndWords(const Grid& rows, int count);

  // A rack of `tiles` characters with `blanks` of them '_'; with `odd`, some
  // characters may be capitals or other bytes.
  std::string rack(int tiles, int blanks, bool odd = false);

  int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  std::mt19937_64& rng() { return rng_; }

 private:
  char letter();
  std::string word(int minLen, int maxLen);
  std::mt19937_64 rng_;
};

// The records of a word list text that consist of a..z only.
std::vector<std::string> plainWords(const std::string& listText);

}  // namespace tilvan::test
