#include "ui/system_info.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace tilvan::ui {

QString systemInfoStorePath() {
  const QString fromEnv = qEnvironmentVariable("TILVAN_SYSINFO_INI");
  if (!fromEnv.isEmpty()) return fromEnv;
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
      .filePath(QStringLiteral("tilvan/sysinfo.ini"));
}

std::optional<QString> readStoreString(const QString& storePath, const QString& group,
                                       const QString& key) {
  if (!QFileInfo(storePath).isFile()) return std::nullopt;
  QSettings store(storePath, QSettings::IniFormat);
  if (store.status() != QSettings::NoError) return std::nullopt;
  store.beginGroup(group);
  const QVariant value = store.value(key);
  store.endGroup();
  // An INI value with commas reads as a list: not a string value.
  if (value.typeId() != QMetaType::QString) return std::nullopt;
  QString text = value.toString();
  if (text.endsWith(QChar(0))) text.chop(1);
  return text;
}

std::optional<QString> systemInfoProgram(const QString& storePath) {
  if (auto path = readStoreString(storePath, QStringLiteral("MSINFO"), QStringLiteral("PATH")))
    return path;
  if (auto folder = readStoreString(storePath, QStringLiteral("SharedToolsLocation"),
                                    QStringLiteral("MSINFO"))) {
    const QString program = QDir(*folder).filePath(QString::fromLatin1(kSysInfoProgram));
    if (QFileInfo(program).isFile()) return program;
  }
  return std::nullopt;
}

bool isRunnableProgram(const QString& path) {
  const QFileInfo info(path);
  return info.isAbsolute() && info.isFile() && info.isExecutable();
}

bool startSystemInfo(const QString& storePath) {
  // Only the program at that very path: never one looked up through $PATH
  // or relative to the current folder.
  const auto program = systemInfoProgram(storePath);
  return program && isRunnableProgram(*program) && QProcess::startDetached(*program, {});
}

}  // namespace tilvan::ui
