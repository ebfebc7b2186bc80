// "Look Up a Word": a box where a word is typed for a challenge at the
// table; the answer, "in the list" or "not in the list" with the list's
// name, shows as the word is typed.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;

namespace tilvan::ui {

class LookUpBox : public QDialog {
  Q_OBJECT
 public:
  // `lookUp` answers whether a word (lower case) is in the list in use,
  // nothing when the list cannot be read; `listName` names that list.
  LookUpBox(std::function<std::optional<bool>(const std::string&)> lookUp,
            std::function<QString()> listName, QWidget* parent = nullptr);

  QLineEdit* txtWord;
  QLabel* lblAnswer;

  // Answers the word typed (again when the list in use has changed).
  void answer();

 private:
  std::function<std::optional<bool>(const std::string&)> lookUp_;
  std::function<QString()> listName_;
};

}  // namespace tilvan::ui
