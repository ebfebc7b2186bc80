// Plain-text views of what the window shows, one character per square.
// Used by tilvan-cli's state dump and by tests.
#pragma once

#include <array>
#include <string>

#include "game/board.h"
#include "game/form.h"
#include "game/layout.h"

namespace tilvan {

using Grid = std::array<std::string, kSide>;  // 15 rows of 15 characters

// The committed board: '.' empty, 'a'..'z', 'A'..'Z' for a blank laid as
// that letter.
Grid committedView(const Board& board);
// The main board: the letter of each visible tile picture lying exactly on a
// square (upper case for a blank-as-letter picture, '?' for an unnamed blank,
// '*' when two pictures lie on one square), '.' otherwise.
Grid mainBoardView(const Form& form);
// The lower board: the lower-case letter of each visible preview picture
// lying exactly on a square ('*' for two), '.' otherwise.
Grid previewView(const Form& form);
// The tiles that the shown result would lay on the lower board: the letter
// of each visible preview picture marked new (upper case for a blank laid as
// that letter), '.' elsewhere.
Grid previewNewView(const Form& form);
// How many visible tile pictures lie exactly at each letter's home place.
std::array<int, kLetters> homeStacks(const Form& form);

}  // namespace tilvan
