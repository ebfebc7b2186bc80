#include "ui/about_box.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "game/prompts.h"
#include "ui/geometry.h"
#include "ui/system_info.h"
#include "ui/widgets.h"

namespace tilvan::ui {
namespace {

QLabel* label(QWidget* parent, const char* name, const QRect& place) {
  auto* l = new QLabel(parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(place);
  return l;
}

}  // namespace

QUrl manualUrl() {
  const QDir dir(QCoreApplication::applicationDirPath());
  for (const QString& path : {dir.filePath(QStringLiteral("../share/doc/tilvan/README.md")),
                              dir.filePath(QStringLiteral("README.md"))})
    if (QFileInfo(path).isFile()) return QUrl::fromLocalFile(QFileInfo(path).canonicalFilePath());
  return {};
}

frmAbout::frmAbout(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
  setObjectName(QStringLiteral("frmAbout"));
  const QString appTitle = QString::fromLatin1(kAppTitle.data(), qsizetype(kAppTitle.size()));
  // "About " and the application's title: with the title "TILVAN" this is
  // "About TILVAN", not the name twice.
  setWindowTitle(QStringLiteral("About ") + appTitle);
  setModal(false);
  setFont(windowFont());
  setFixedSize(px(4605), px(3555));
  buildTexts(appTitle);

  new LineWidget(105, 2460, 4560, 2460, Qt::white, 2, this);
  new LineWidget(120, 2520, 4590, 2520, QColor(0x80, 0x80, 0x80), 1, this);
  buildDisclaimerAndButtons();
}

void frmAbout::buildTexts(const QString& appTitle) {
  lblTitle = label(this, "lblTitle", twipsRect(120, 240, 3885, 240));
  lblTitle->setText(appTitle);
  QFont titleFont = lblTitle->font();
  titleFont.setBold(true);
  lblTitle->setFont(titleFont);

  lblWww = new LinkLabel(this);
  lblWww->setObjectName(QStringLiteral("lblWww"));
  lblWww->setGeometry(twipsRect(120, 600, 3165, 255));
  const QUrl manual = manualUrl();
  lblWww->setText(QStringLiteral("Read the manual (README)"));
  lblWww->setToolTip(manual.toLocalFile());
  lblWww->setVisible(!manual.isEmpty());
  connect(lblWww, &LinkLabel::clicked, this, [manual] { QDesktopServices::openUrl(manual); });

  lblVersion = label(this, "lblVersion", twipsRect(120, 960, 3885, 225));
  lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                          .arg(TILVAN_VERSION_MAJOR)
                          .arg(TILVAN_VERSION_MINOR)
                          .arg(TILVAN_VERSION_PATCH));

  lblDescription = label(this, "lblDescription", twipsRect(120, 1320, 3045, 810));
  lblDescription->setWordWrap(true);
  lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblDescription->setText(QStringLiteral(
      "This Awesome Program Will Help you in finding high scoring words that can be placed on "
      "the tilvane board from your rack of letters."));

  lblSmtp = new LinkLabel(this);
  lblSmtp->setObjectName(QStringLiteral("lblSmtp"));
  lblSmtp->setGeometry(twipsRect(120, 2160, 2535, 255));
  lblSmtp->hide();
}

void frmAbout::buildDisclaimerAndButtons() {
  lblDisclaimer = label(this, "lblDisclaimer", twipsRect(120, 2520, 2790, 825));
  lblDisclaimer->setWordWrap(true);
  lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QFont small = lblDisclaimer->font();
  small.setPixelSize(9);
  lblDisclaimer->setFont(small);
  lblDisclaimer->setText(QStringLiteral(
      "Warning: the author takes no responsibility for the use of this program or for any "
      "damage that it may cause."));

  cmdOK = new WrapButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setGeometry(twipsRect(3240, 2640, 1260, 345));
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);

  cmdSysInfo = new WrapButton(QStringLiteral("&System Info..."), this);
  cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  cmdSysInfo->setGeometry(twipsRect(3240, 3075, 1245, 345));
  cmdSysInfo->setAutoDefault(false);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::pressSysInfo);

  setTabOrder(cmdOK, cmdSysInfo);
  cmdOK->setFocus();
}

void frmAbout::pressSysInfo() {
  if (!startSystemInfo(systemInfoStorePath())) prompts_.message(kSysInfoUnavailable);
}

}  // namespace tilvan::ui
