// A plain mirror of the main window's controls that carry state: captions,
// picture positions and visibility, and text boxes. The handlers change it;
// the window paints it. Positions are twips in the window's client area.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "game/layout.h"

namespace tilvan {

inline constexpr int kWordLabels = 11;  // lblWords and lblCheckWords 0..10
inline constexpr int kResultSlots = 5;  // the result buttons "1".."5" and their score labels

struct Picture {
  int Left = 0;
  int Top = 0;
  bool Visible = false;
  // Preview pictures only: a tile that the shown placement would lay, and a
  // blank laid as the letter the picture shows.
  bool New = false;
  bool Blank = false;
  bool operator==(const Picture&) const = default;
};

// Lower case of a text (ISO-8859-1 letters).
std::string lowerCase(std::string_view text);

// A one-line text box with a maximum length in characters. Texts are bytes,
// one character each (ISO-8859-1), as the word list is read.
struct TextBox {
  std::string Text;
  std::size_t MaxLength = 0;  // 0: no limit
  bool LowerCase = false;     // capitals typed into the box become small letters

  // What the user types replaces the text; the box keeps only as many
  // characters as its maximum length allows.
  void type(std::string_view text) {
    Text.assign(MaxLength && text.size() > MaxLength ? text.substr(0, MaxLength) : text);
    if (LowerCase) Text = lowerCase(Text);
  }
  bool operator==(const TextBox&) const = default;
};

// The typing cursor on the main board: the square the next typed letter
// goes to (0-based) and the direction it moves on in.
struct Cursor {
  int Row = 0;
  int Col = 0;
  bool Down = false;  // false: across a row; true: down a column
  bool Visible = false;
  bool operator==(const Cursor&) const = default;
};

struct Form {
  std::array<std::string, kLetters> lbTile;            // letters left, by letter index
  std::array<std::string, kResultSlots> lblWord;       // score of result slot k
  std::array<std::string, kWordLabels> lblWords;       // words of a move or preview
  std::array<std::string, kWordLabels> lblCheckWords;  // "Not A Word" marks
  std::array<Picture, kTilePictures> imgTile;          // tiles on the main board and the pool
  std::array<Picture, kPreviewPictures> imgTile1;      // preview pictures on the lower board
  std::array<bool, kPlayers> lblPlayer{};              // visibility of the player numbers
  std::array<std::string, kPlayers> lblPlayersPoints;  // each player's total, beside the number
  std::array<bool, kPlayers> shpUser{};                // visibility of the user marks
  std::array<bool, kPlayers> linPlayer{};              // visibility of the turn marks
  TextBox txtNumberofPlayers{"4", 1};
  TextBox txtUsersTurn{"2", 1};
  TextBox txtRack{"", 7, true};  // the rack: lower case, "_" a blank
  bool chkComplete =
      false;      // "Complete search": every legal placement instead of the classic search
  bool chkValue = false;  // "Rank by value": the complete search ranks by points plus leave
  // Score label k's tooltip: the points, the tiles kept and the value of a
  // result ranked by value; empty otherwise.
  std::array<std::string, kResultSlots> lblWordTip;
  Cursor cursor;  // where typed letters go on the main board

  bool operator==(const Form&) const = default;
};

// The window as designed, before start-up runs.
Form designForm();

// Upper case of a word as the window shows it (ISO-8859-1 letters).
std::string upperCase(std::string_view word);

// Letters-left captions are read back as a number, changed and written again.
void addToCaption(std::string& caption, int delta);

}  // namespace tilvan
