// Paths between the core (std::filesystem) and Qt (QString, in the file
// system's own encoding).
#pragma once

#include <QFile>
#include <QString>
#include <filesystem>

namespace tilvan::ui {

inline QString fromPath(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

inline std::filesystem::path toPath(const QString& s) { return QFile::encodeName(s).toStdString(); }

}  // namespace tilvan::ui
