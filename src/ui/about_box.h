// frmAbout: the modeless About box with the title, version, description,
// two links and the system information button.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tilvan {
class Prompts;
}

namespace tilvan::ui {

class LinkLabel;

// Addresses shown in the links.
inline constexpr char kWebPage[] = "https://tilvan.example.org";
inline constexpr char kMailAddress[] = "tilvan@example.org";

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  // `prompts` (borrowed, must outlive the box) shows the box's one message.
  explicit frmAbout(Prompts& prompts, QWidget* parent = nullptr);

  QLabel* lblTitle = nullptr;
  LinkLabel* lblWww = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDescription = nullptr;
  LinkLabel* lblSmtp = nullptr;
  QLabel* lblDisclaimer = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSysInfo = nullptr;

  // "&System Info...": starts the system information program or says that
  // it is unavailable.
  void pressSysInfo();

 private:
  Prompts& prompts_;
};

}  // namespace tilvan::ui
