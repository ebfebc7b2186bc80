// "End game": asks for the tiles left on each player's rack.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QLineEdit;

namespace tilvan::ui {

class EndGameDialog : public QDialog {
  Q_OBJECT
 public:
  // Ends the game with the racks typed, player 1 first; returns -1 when it
  // ended, else the box (0-based) whose rack is wrong, or the number of
  // players when no one box is.
  using Check = std::function<int(const std::vector<std::string>& racks)>;
  EndGameDialog(int players, Check check = {}, QWidget* parent = nullptr);
  // The texts typed, player 1 first, lower case.
  std::vector<std::string> racks() const;
  // OK: the dialog closes only once the racks end the game; otherwise it
  // stays with what was typed, the wrong box marked and given the focus.
  void accept() override;

  std::vector<QLineEdit*> txtRackLeft;

 private:
  Check check_;
};

}  // namespace tilvan::ui
