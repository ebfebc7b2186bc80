#include "ui/window_prompts.h"

#include <QMessageBox>

#include "ui/blank_tile_dialog.h"

namespace tilvan::ui {

QWidget* WindowPrompts::parentForDialog() const {
  return owner_ && owner_->isVisible() ? owner_.data() : nullptr;
}

void WindowPrompts::message(std::string_view text) {
  QMessageBox box(parentForDialog());
  box.setObjectName(QStringLiteral("message"));
  box.setWindowTitle(QString::fromLatin1(kAppTitle.data(), qsizetype(kAppTitle.size())));
  box.setText(QString::fromLatin1(text.data(), qsizetype(text.size())));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(QMessageBox::NoIcon);
  box.setStandardButtons(QMessageBox::Ok);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  box.exec();
}

bool WindowPrompts::confirm(std::string_view question) { return ask(question, false); }

bool WindowPrompts::confirmYesFirst(std::string_view question) { return ask(question, true); }

bool WindowPrompts::ask(std::string_view question, bool yesFirst) {
  QMessageBox box(parentForDialog());
  box.setObjectName(QStringLiteral("question"));
  box.setWindowTitle(QString::fromLatin1(kAppTitle.data(), qsizetype(kAppTitle.size())));
  box.setText(QString::fromLatin1(question.data(), qsizetype(question.size())));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(QMessageBox::NoIcon);
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(yesFirst ? QMessageBox::Yes : QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> WindowPrompts::askBlankLetter() {
  frmBlankTile dialog(parentForDialog());
  return dialog.ask();
}

}  // namespace tilvan::ui
