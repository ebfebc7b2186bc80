// The only way from the core to the user. The window shows real dialogs,
// the command-line replay answers from its script, tests record.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tilvan {

class Prompts {
 public:
  virtual ~Prompts() = default;
  // A modal message box with an OK button, no icon and the application's
  // title; returns when the user has closed it.
  virtual void message(std::string_view text) = 0;
  // The modal blank tile dialog. Returns the text typed when "Use" was
  // pressed, or nothing when the dialog was closed with its close control.
  virtual std::optional<std::string> askBlankLetter() = 0;
  // A question with the answers Yes and No; true for Yes. Where nobody can
  // be asked, the answer is Yes.
  virtual bool confirm(std::string_view question) {
    (void)question;
    return true;
  }
  // The same, for a question where Yes keeps what is at stake: Yes is the
  // answer that Enter gives.
  virtual bool confirmYesFirst(std::string_view question) { return confirm(question); }
  // A line that explains the message just given (why a move was refused),
  // for a status line; where there is none it is one more message.
  virtual void status(std::string_view text) { message(text); }
};

// The title of every message box and of the About box.
inline constexpr std::string_view kAppTitle = "TILVAN";

}  // namespace tilvan
