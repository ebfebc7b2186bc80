// The dialogs: message boxes, the blank tile dialog and the About box with
// its links and the system information button.
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

#include "ui/about_box.h"
#include "ui/blank_tile_dialog.h"
#include "ui/system_info.h"
#include "ui/window_prompts.h"
#include "ui_test_support.h"

using namespace tilvan;
using namespace tilvan::ui;
using namespace tilvan::ui::test;

// Receives the URLs that the desktop would open.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

class TestDialogs : public QObject {
  Q_OBJECT

  static int pix(int twips) { return qRound(twips / 15.0); }

  // An executable shell script that touches `marker` when it runs.
  static QString markerProgram(const QString& path, const QString& marker) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(("#!/bin/sh\ntouch '" + marker + "'\n").toUtf8());
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return path;
  }

 private slots:
  void messageBoxesArePlainModalAndOkOnly() {
    WindowPrompts prompts;
    ModalAnswerer answer;
    QString title, text;
    bool plain = false;
    answer.then([&](QWidget* dialog) {
      auto* box = qobject_cast<QMessageBox*>(dialog);
      QVERIFY(box);
      title = box->windowTitle();
      text = box->text();
      plain = box->icon() == QMessageBox::NoIcon && box->buttons().size() == 1 &&
              box->standardButtons() == QMessageBox::Ok && box->isModal();
      QTest::keyClick(box, Qt::Key_Return);
    });
    prompts.message("You can't moved previously played Tiles.");
    QCOMPARE(answer.answered, 1);
    QCOMPARE(title, QString("TILVAN"));
    QCOMPARE(text, QString("You can't moved previously played Tiles."));
    QVERIFY(plain);
  }

  void startUpMessageComesBeforeTheWindow() {
    WordFile words("cat\n");
    WordListCache cache(words.fsPath());
    ModalAnswerer answer;
    bool windowVisibleDuringMessage = true;
    QString text;
    answer.then([&](QWidget* dialog) {
      text = qobject_cast<QMessageBox*>(dialog)->text();
      windowVisibleDuringMessage = false;
      for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<Form1*>(top) && top->isVisible()) windowVisibleDuringMessage = true;
      qobject_cast<QMessageBox*>(dialog)->button(QMessageBox::Ok)->click();
    });
    Form1 w(cache);  // real dialogs
    QCOMPARE(text,
             QString("You Must Set the Number of Players and Your Turn Number Before Playing"));
    QVERIFY(!windowVisibleDuringMessage);
  }

  void blankTileDialog() {
    frmBlankTile dialog;
    QCOMPARE(dialog.windowTitle(), QString("Blank Tile"));
    QCOMPARE(dialog.size(), QSize(pix(3375), pix(2175)));
    QCOMPARE(dialog.lblBlankTile->text(), QString("Choose Letter To Be Used For Blank Tile"));
    QCOMPARE(dialog.cmdUseTile->text(), QString("Use"));
    QCOMPARE(dialog.txtBlankTileLetter->maxLength(), 1);
    // The legend: "a".."i", "j".."r" and "s".."z" on three rows.
    QCOMPARE(dialog.imgChooseTile[0]->pos(), QPoint(pix(120), pix(120)));
    QCOMPARE(dialog.imgChooseTile[9]->pos(), QPoint(pix(120), pix(480)));
    QCOMPARE(dialog.imgChooseTile[18]->pos(), QPoint(pix(300), pix(840)));
    QCOMPARE(dialog.imgChooseTile[25]->pos(), QPoint(pix(300 + 360 * 7), pix(840)));

    ModalAnswerer answer;
    // Typed and "Use" pressed: the text, as typed; the box starts empty and
    // has the focus.
    answer.then([](QWidget* d) {
      auto* dlg = qobject_cast<frmBlankTile*>(d);
      QVERIFY(dlg->txtBlankTileLetter->text().isEmpty());
      QCOMPARE(QApplication::focusWidget(), dlg->txtBlankTileLetter);
      QTest::keyClicks(dlg->txtBlankTileLetter, "Qx");
      QTest::mouseClick(dlg->cmdUseTile, Qt::LeftButton);
    });
    QCOMPARE(dialog.ask(), std::optional<std::string>("Q"));
    // Enter presses "Use", also with nothing typed.
    answer.then([](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); });
    QCOMPARE(dialog.ask(), std::optional<std::string>(""));
    // Closed (Esc, or its close control): nothing.
    answer.then([](QWidget* d) {
      QTest::keyClicks(qobject_cast<frmBlankTile*>(d)->txtBlankTileLetter, "e");
      QTest::keyClick(d, Qt::Key_Escape);
    });
    QCOMPARE(dialog.ask(), std::nullopt);
    answer.then([](QWidget* d) { d->close(); });
    QCOMPARE(dialog.ask(), std::nullopt);
  }

  void blankDroppedInTheWindowAsksTheDialog() {
    WordFile words("cat\n");
    WordListCache cache(words.fsPath());
    ModalAnswerer answer;
    auto ok = [](QWidget* d) { qobject_cast<QMessageBox*>(d)->button(QMessageBox::Ok)->click(); };
    answer.then(ok);  // start-up
    Form1 w(cache);
    w.show();
    setPlayers(w, 2, 2);
    answer.then([](QWidget* d) {
      auto* dlg = qobject_cast<frmBlankTile*>(d);
      QVERIFY(dlg);
      QTest::keyClicks(dlg->txtBlankTileLetter, "z");
      QTest::keyClick(dlg->txtBlankTileLetter, Qt::Key_Return);
    });
    dragTileTo(w, 98, squarePoint(7, 7));
    QCOMPARE(answer.answered, 2);
    QVERIFY(w.imgTile[100 + 25]->isVisible());
    QVERIFY(!w.imgTile[98]->isVisible());
  }

  void aboutBoxShowsTheProgram() {
    RecordingPrompts prompts;
    frmAbout about(prompts);
    QCOMPARE(about.windowTitle(), QString("About TILVAN"));
    QCOMPARE(about.size(), QSize(pix(4605), pix(3555)));
    QVERIFY(!about.isModal());
    QCOMPARE(about.lblTitle->text(), QString("TILVAN"));
    QCOMPARE(about.lblVersion->text(), QString("Version 1.0.0"));
    QCOMPARE(about.lblDescription->text(),
             QString("This Awesome Program Will Help you in finding high scoring words that can "
                     "be placed on the tilvane board from your rack of letters."));
    QVERIFY(!about.lblDisclaimer->text().isEmpty());
    QCOMPARE(about.cmdOK->text(), QString("OK"));
    QCOMPARE(about.cmdSysInfo->text(), QString("&System Info..."));
    QCOMPARE(about.lblWww->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QVERIFY(about.lblSmtp->font().underline());

    // The link leads to the manual that ships with the program, a local
    // file; there is no mail address to link to.
    QVERIFY(!about.lblSmtp->isVisibleTo(&about));
    const QUrl manual = manualUrl();
    QVERIFY(manual.isLocalFile());
    QVERIFY(QFileInfo(manual.toLocalFile()).isFile());
    QVERIFY(about.lblWww->isVisibleTo(&about));
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    QTest::mouseClick(about.lblWww, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(catcher.opened, QList<QUrl>({manual}));
  }

  void aboutBoxClosesOnOkEnterAndEsc() {
    RecordingPrompts prompts;
    for (auto key : {Qt::Key_Return, Qt::Key_Escape}) {
      frmAbout about(prompts);
      about.show();
      about.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&about));
      QTest::keyClick(&about, key);
      QVERIFY(!about.isVisible());
    }
    frmAbout about(prompts);
    about.show();
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    QVERIFY(!about.isVisible());
  }

  void systemInformationProgram() {
    QTemporaryDir dir;
    const QString ini = dir.filePath("sysinfo.ini");
    qputenv("TILVAN_SYSINFO_INI", ini.toLocal8Bit());
    QCOMPARE(systemInfoStorePath(), ini);
    RecordingPrompts prompts;
    frmAbout about(prompts);
    const std::vector<std::string> unavailable{"System Information Is Unavailable At This Time"};
    auto write = [&](const QString& group, const QString& key, const QVariant& value) {
      QFile::remove(ini);
      QSettings store(ini, QSettings::IniFormat);
      store.setValue(group + "/" + key, value);
    };
    // Presses the button; returns what it said.
    auto press = [&] {
      QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
      return prompts.take();
    };

    // No store at all, then a store without either value.
    QCOMPARE(press(), unavailable);
    write("Other", "PATH", "/bin/true");
    QCOMPARE(systemInfoProgram(ini), std::nullopt);

    // The second value naming a folder without the program.
    write("SharedToolsLocation", "MSINFO", dir.path());
    QCOMPARE(press(), unavailable);

    // The second value naming a folder that holds it: it is started.
    const QString marker2 = dir.filePath("second-ran");
    markerProgram(dir.filePath(kSysInfoProgram), marker2);
    QCOMPARE(systemInfoProgram(ini), std::optional<QString>(dir.filePath(kSysInfoProgram)));
    QVERIFY(press().empty());
    QTRY_VERIFY(QFile::exists(marker2));

    // The first value wins, and is started without a shell: the path is one
    // argument-less program even with spaces in its name.
    const QString marker1 = dir.filePath("first-ran");
    const QString first = markerProgram(dir.filePath("sys info"), marker1);
    {
      QSettings store(ini, QSettings::IniFormat);
      store.setValue("MSINFO/PATH", first);
    }
    QCOMPARE(systemInfoProgram(ini), std::optional<QString>(first));
    QVERIFY(press().empty());
    QTRY_VERIFY(QFile::exists(marker1));

    // A first value that names nothing runnable: the message, no fallback.
    write("MSINFO", "PATH", dir.filePath("missing"));
    QCOMPARE(press(), unavailable);

    // Only an absolute path to an executable file is started: never a name
    // looked up through $PATH, a path relative to the current folder, a
    // file that cannot be run or a folder.
    const QString binDir = dir.filePath("bin");
    QVERIFY(QDir().mkpath(binDir));
    const QString marker3 = dir.filePath("looked-up");
    markerProgram(QDir(binDir).filePath("tilvan-sysinfo"), marker3);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", binDir.toLocal8Bit() + ":" + oldPath);
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QFile plain(dir.filePath("plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    for (const QString& value : {QString("tilvan-sysinfo"), QString("bin/tilvan-sysinfo"),
                                 QString("./bin/tilvan-sysinfo"), dir.filePath("plain"), binDir}) {
      write("MSINFO", "PATH", value);
      QVERIFY(!isRunnableProgram(value));
      QCOMPARE(press(), unavailable);
    }
    QDir::setCurrent(oldCwd);
    qputenv("PATH", oldPath);
    QVERIFY(isRunnableProgram(QDir(binDir).filePath("tilvan-sysinfo")));
    QTest::qWait(300);
    QVERIFY(!QFile::exists(marker3));

    // A value that is not a single string gives no path.
    write("MSINFO", "PATH", QStringList{"/bin/true", "x"});
    QCOMPARE(readStoreString(ini, "MSINFO", "PATH"), std::nullopt);
    qunsetenv("TILVAN_SYSINFO_INI");
  }
};

QTEST_MAIN(TestDialogs)
#include "dialogs_test.moc"
