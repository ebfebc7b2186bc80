#include "ui/lookup_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tilvan::ui {

LookUpBox::LookUpBox(std::function<std::optional<bool>(const std::string&)> lookUp,
                     std::function<QString()> listName, QWidget* parent)
    : QDialog(parent), lookUp_(std::move(lookUp)), listName_(std::move(listName)) {
  setObjectName(QStringLiteral("frmLookUp"));
  setWindowTitle(QStringLiteral("Look Up a Word"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Word:"), this));
  txtWord = new QLineEdit(this);
  txtWord->setObjectName(QStringLiteral("txtLookUp"));
  txtWord->setMaxLength(15);
  layout->addWidget(txtWord);
  lblAnswer = new QLabel(this);
  lblAnswer->setObjectName(QStringLiteral("lblLookUpAnswer"));
  lblAnswer->setMinimumWidth(320);
  lblAnswer->setWordWrap(true);
  layout->addWidget(lblAnswer);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(txtWord, &QLineEdit::textChanged, this, &LookUpBox::answer);
  // Enter keeps the box open for the next word.
  connect(txtWord, &QLineEdit::returnPressed, txtWord, &QLineEdit::selectAll);
}

void LookUpBox::answer() {
  const QString word = txtWord->text().trimmed();
  if (word.isEmpty()) return lblAnswer->clear();
  // The list holds words in small letters; a capital typed means the same.
  const std::optional<bool> found = lookUp_(word.toLower().toLatin1().toStdString());
  const QString text = !found  ? QStringLiteral("%1 cannot be looked up: the list cannot be read")
                       : *found ? QStringLiteral("%1 is in the list")
                                : QStringLiteral("%1 is not in the list");
  lblAnswer->setText(text.arg(word.toUpper()) + QStringLiteral(" (%1).").arg(listName_()));
  lblAnswer->setStyleSheet(found.value_or(false)
                               ? QStringLiteral("color: #1b6b1f; font-weight: bold;")
                               : QStringLiteral("color: #b01010; font-weight: bold;"));
}

}  // namespace tilvan::ui
