#include "ui/end_game_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "game/rules.h"

namespace tilvan::ui {

EndGameDialog::EndGameDialog(int players, Check check, QWidget* parent)
    : QDialog(parent), check_(std::move(check)) {
  setObjectName(QStringLiteral("frmEndGame"));
  setWindowTitle(QStringLiteral("End game"));
  auto* form = new QFormLayout(this);
  form->addRow(new QLabel(QStringLiteral("Tiles left on each rack (_ for a blank; empty for the "
                                         "player who went out):"),
                          this));
  for (int p = 0; p < players; ++p) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("txtRackLeft(%1)").arg(p));
    box->setMaxLength(kMoveSlots);
    txtRackLeft.push_back(box);
    form->addRow(QStringLiteral("Player %1:").arg(p + 1), box);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

void EndGameDialog::accept() {
  const int wrong = check_ ? check_(racks()) : -1;
  for (int p = 0; p < int(txtRackLeft.size()); ++p) {
    txtRackLeft[std::size_t(p)]->setStyleSheet(
        p == wrong ? QStringLiteral("QLineEdit { border: 2px solid #c01010; background: #ffe4e4; }")
                   : QString());
    txtRackLeft[std::size_t(p)]->setToolTip(
        p == wrong ? QStringLiteral("These tiles cannot be left on this rack") : QString());
  }
  if (wrong < 0) return QDialog::accept();
  if (wrong < int(txtRackLeft.size())) {
    txtRackLeft[std::size_t(wrong)]->setFocus();
    txtRackLeft[std::size_t(wrong)]->selectAll();
  }
}

std::vector<std::string> EndGameDialog::racks() const {
  std::vector<std::string> out;
  for (const QLineEdit* box : txtRackLeft) out.push_back(box->text().toLower().toStdString());
  return out;
}

}  // namespace tilvan::ui
