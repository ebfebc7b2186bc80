#include "ui/settings.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>

namespace tilvan::ui {
namespace {

// Whether the settings file can be read and written: absent, or a regular
// file. Anything else there (a pipe, a device, a folder) could block or
// would be replaced; it is said on stderr once per run and left alone.
bool storeUsable() {
  const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       QStringLiteral("/tilvan/tilvan.conf");
  const QFileInfo info(file);
  if (!info.exists() || info.isFile()) return true;
  static bool said = false;
  if (!said)
    std::fprintf(stderr, "tilvan: %s is not a regular file: the default settings are used\n",
                 QFile::encodeName(file).constData());
  said = true;
  return false;
}

QSettings store() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tilvan"),
                   QStringLiteral("tilvan"));
}

// How each list is named in the file.
constexpr const char* kChoiceNames[] = {"word-game", "large", "other"};

}  // namespace

Settings Settings::load() {
  Settings out;
  if (!storeUsable()) return out;
  const QSettings s = store();
  const QString words = s.value(QStringLiteral("words/list")).toString();
  for (int k = 0; k < 3; ++k)
    if (words == QLatin1String(kChoiceNames[k])) out.words = WordsChoice(k);
  out.otherWordsFile = s.value(QStringLiteral("words/otherFile")).toString();
  if (out.words == WordsChoice::kOther && out.otherWordsFile.isEmpty())
    out.words = WordsChoice::kWordGame;
  const QString complete = s.value(QStringLiteral("search/complete")).toString();
  if (complete == QLatin1String("true") || complete == QLatin1String("false"))
    out.completeSearch = complete == QLatin1String("true");
  const QString value = s.value(QStringLiteral("search/rankByValue")).toString();
  if (value == QLatin1String("true") || value == QLatin1String("false"))
    out.rankByValue = value == QLatin1String("true");
  bool ok = false;
  const int zoom = s.value(QStringLiteral("window/zoom")).toInt(&ok);
  if (ok && zoom >= kZoomMin && zoom <= kZoomMax) out.zoomPercent = zoom;
  return out;
}

void Settings::save() const {
  if (!storeUsable()) return;
  QSettings s = store();
  s.setValue(QStringLiteral("words/list"), QLatin1String(kChoiceNames[int(words)]));
  s.setValue(QStringLiteral("words/otherFile"), otherWordsFile);
  s.setValue(QStringLiteral("search/complete"), completeSearch);
  s.setValue(QStringLiteral("search/rankByValue"), rankByValue);
  s.setValue(QStringLiteral("window/zoom"), zoomPercent);
  s.sync();
}

}  // namespace tilvan::ui
