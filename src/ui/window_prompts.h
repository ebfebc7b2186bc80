// The core's Prompts shown as real dialogs: message boxes (modal, OK only,
// no icon, the application's title) and the blank tile dialog.
#pragma once

#include <QPointer>
#include <QWidget>

#include "game/prompts.h"

namespace tilvan::ui {

class WindowPrompts : public Prompts {
 public:
  // Dialogs are centred on `owner` while it is visible, else on the screen.
  explicit WindowPrompts(QWidget* owner = nullptr) : owner_(owner) {}
  void setOwner(QWidget* owner) { owner_ = owner; }

  void message(std::string_view text) override;
  std::optional<std::string> askBlankLetter() override;
  // A question box with Yes and No (No when it is closed).
  bool confirm(std::string_view question) override;
  // The same with Yes as the default button.
  bool confirmYesFirst(std::string_view question) override;

 private:
  QWidget* parentForDialog() const;
  bool ask(std::string_view question, bool yesFirst);
  QPointer<QWidget> owner_;
};

}  // namespace tilvan::ui
