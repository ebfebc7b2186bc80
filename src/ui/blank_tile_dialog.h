// frmBlankTile: the modal dialog that asks which letter a blank stands for.
// It knows nothing of the board; its only result is the typed text.
#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;
class QLabel;

namespace tilvan::ui {

class TileWidget;

class frmBlankTile : public QDialog {
  Q_OBJECT
 public:
  explicit frmBlankTile(QWidget* parent = nullptr);

  // Shows the dialog modally. Returns the text typed when "Use" was pressed,
  // nothing when the dialog was closed without it (close control or Esc).
  std::optional<std::string> ask();

  QLineEdit* txtBlankTileLetter = nullptr;
  QPushButton* cmdUseTile = nullptr;
  QLabel* lblBlankTile = nullptr;
  std::array<TileWidget*, 26> imgChooseTile{};
};

}  // namespace tilvan::ui
