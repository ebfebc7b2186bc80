// The score sheet: every turn of the game's record with its player, words,
// position and score, and a column per player with their running total (the
// user's column tinted). The Score column can be edited: a corrected score
// goes to the core's adjustScore, is marked, and the totals follow. Once the
// game has ended, a last row gives the final scores and the winner.
#pragma once

#include <QDialog>
#include <functional>

#include "game/game.h"
#include "game/prompts.h"
#include "game/standings.h"

class QTableWidget;

namespace tilvan::ui {

class ScoreSheet : public QDialog {
  Q_OBJECT
 public:
  // `game` is read to fill the sheet; `run` plays a handler as an event of
  // the main window (so that the window shows its effect).
  using Run = std::function<void(const std::function<void(Game&, Prompts&)>&)>;
  ScoreSheet(const Game& game, Run run, QWidget* parent = nullptr);

  // Fills the sheet again from the game's record.
  void refresh();

  QTableWidget* table;

 private:
  void scoreEdited(int row, int column);
  void fillHeader(int players);
  void fillFinalRow(int row, const Standings& ending, int players);

  const Game& game_;
  Run run_;
  bool filling_ = false;
};

// "8G" for a word across from row 8, column G; "G8" for one down.
QString positionName(const Turn& turn);

}  // namespace tilvan::ui
