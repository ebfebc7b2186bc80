// frmAbout: the modeless About box with the title, version, description, a
// link to the manual that ships with the program and the system information
// button. The program has no web page or mail address of its own, so the
// second link (lblSmtp) stays hidden.
#pragma once

#include <QDialog>

class QLabel;
class QUrl;
class QPushButton;

namespace tilvan {
class Prompts;
}

namespace tilvan::ui {

class LinkLabel;

// The program's manual as a local file: the README installed beside the
// program (<prefix>/share/doc/tilvan/README.md), or the copy in the build
// tree's bin/; empty when neither exists.
QUrl manualUrl();

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
  void buildTexts(const QString& appTitle);
  void buildDisclaimerAndButtons();
  Prompts& prompts_;
};

}  // namespace tilvan::ui
