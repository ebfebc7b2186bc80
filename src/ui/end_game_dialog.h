// "End game": asks for the tiles left on each player's rack.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QLineEdit;

namespace tilvan::ui {

class EndGameDialog : public QDialog {
  Q_OBJECT
 public:
  EndGameDialog(int players, QWidget* parent = nullptr);
  // The texts typed, player 1 first, lower case.
  std::vector<std::string> racks() const;

  std::vector<QLineEdit*> txtRackLeft;
};

}  // namespace tilvan::ui
