// The candidate preview: a result slot shown on the lower board, its new
// tiles as preview pictures over the mirror of the committed tiles, and its
// words listed in the word labels.
#pragma once

#include <string>
#include <string_view>

#include "game/form.h"
#include "game/game.h"
#include "game/game_state.h"

namespace tilvan {

// Sends every preview picture back to its hidden parking place.
void parkPreview(Form& form);

// Mirrors the committed tiles on the lower board, each with the preview
// picture of its tile (previewPictureOfTile).
void redrawCommitted(const GameState& state, Form& form);

// The preview picture (0..150) that shows letter `letter` at 1-based position
// `position` of `word`: the lowest tile of the letter that the committed board
// does not hold, moved on by the earlier occurrences of the letter in the
// word; the letter's first spare picture when the block has no such tile left
// (its second spare when the first blank already lies on the board as that
// letter).
int previewPictureFor(const GameState& state, int letter, std::string_view word, int position);

// The picture that the preview lays for that letter on the lower board as
// `form` shows it: previewPictureFor's choice unless that picture is already
// in view (the mirror of a committed tile, or an earlier letter of the same
// placement), else the lowest picture of the letter that the board does not
// hold and that is not in view, else a spare of the letter not in view.
// Moving a picture in view would take its letter off the square it shows.
int unusedPreviewPicture(const GameState& state, const Form& form, int letter,
                         std::string_view word, int position);

// Lists the words of candidate `cand` of one set (upper case, main word
// first) and lays preview pictures for its new tiles. A candidate number out
// of range shows nothing.
void showPlacement(const GameState& state, Form& form, bool down, int cand);

// The committed board changed (a move committed or taken back): the last
// search's results, their scores, the words listed and the preview no
// longer fit it. Empties the result slots and their captions and shows the
// mirror of the committed board alone, which every result button then shows.
void clearResults(Game& game);

// Shows result slot k (0..4) on top of the lower board as it stands: the V
// candidate when the V set holds the slot, then the H candidate when the H
// set does.
void showSlotPlacements(const GameState& state, Form& form, int k);

}  // namespace tilvan
