#include "ui/blank_tile_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/geometry.h"
#include "ui/widgets.h"

namespace tilvan::ui {

frmBlankTile::frmBlankTile(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmBlankTile"));
  setWindowTitle(QStringLiteral("Blank Tile"));
  setModal(true);
  setFont(windowFont());
  setFixedSize(px(3375), px(2175));

  // The letters as a legend: "a".."i", "j".."r", "s".."z" in three rows.
  for (int i = 0; i < 26; ++i) {
    int left, top;
    if (i < 9)
      left = 120 + 360 * i, top = 120;
    else if (i < 18)
      left = 120 + 360 * (i - 9), top = 480;
    else
      left = 300 + 360 * (i - 18), top = 840;
    auto* tile = new TileWidget(i, i, false, this);
    tile->setObjectName(QStringLiteral("imgChooseTile(%1)").arg(i));
    tile->move(px(left), px(top));
    imgChooseTile[i] = tile;
  }

  lblBlankTile = new QLabel(QStringLiteral("Choose Letter To Be Used For Blank Tile"), this);
  lblBlankTile->setObjectName(QStringLiteral("lblBlankTile"));
  lblBlankTile->setWordWrap(true);
  lblBlankTile->setGeometry(twipsRect(360, 1200, 2055, 375));

  txtBlankTileLetter = new QLineEdit(this);
  txtBlankTileLetter->setObjectName(QStringLiteral("txtBlankTileLetter"));
  txtBlankTileLetter->setMaxLength(1);
  txtBlankTileLetter->setGeometry(twipsRect(360, 1680, 2055, 285));

  cmdUseTile = new WrapButton(QStringLiteral("Use"), this);
  cmdUseTile->setObjectName(QStringLiteral("cmdUseTile"));
  cmdUseTile->setGeometry(twipsRect(2640, 1320, 615, 615));
  cmdUseTile->setDefault(true);
  connect(cmdUseTile, &QPushButton::clicked, this, &QDialog::accept);

  setTabOrder(txtBlankTileLetter, cmdUseTile);
  txtBlankTileLetter->setFocus();
}

std::optional<std::string> frmBlankTile::ask() {
  txtBlankTileLetter->clear();
  txtBlankTileLetter->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return txtBlankTileLetter->text().toLatin1().toStdString();
}

}  // namespace tilvan::ui
