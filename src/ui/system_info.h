// Starting the system information program. The settings store (an INI file)
// takes the place of the system registry: two string values name the program.
//
//   [MSINFO]
//   PATH=/full/path/of/the/program          ; tried first
//   [SharedToolsLocation]
//   MSINFO=/folder/holding/MSINFO32.EXE     ; tried second
//
// The store is the file named by the environment variable
// TILVAN_SYSINFO_INI, else sysinfo.ini in the user's configuration folder
// for "tilvan".
#pragma once

#include <QString>
#include <optional>

namespace tilvan::ui {

inline constexpr char kSysInfoUnavailable[] = "System Information Is Unavailable At This Time";
inline constexpr char kSysInfoProgram[] = "MSINFO32.EXE";

// Where the settings store is read from.
QString systemInfoStorePath();

// A string value of the store, as the registry read gives it: found only when
// the key holds a single string (a list or an empty key gives nothing).
std::optional<QString> readStoreString(const QString& storePath, const QString& group,
                                       const QString& key);

// The program that the store names: the first value when present, else the
// second value's folder joined with MSINFO32.EXE when that file exists.
std::optional<QString> systemInfoProgram(const QString& storePath);

// Whether `path` is an absolute path to an existing executable file.
bool isRunnableProgram(const QString& path);

// Starts the named program by its path, without a shell and without
// arguments; returns false (the caller shows kSysInfoUnavailable) when none
// is named, the name is not an absolute path to an executable file
// (isRunnableProgram), or it fails to start.
bool startSystemInfo(const QString& storePath);

}  // namespace tilvan::ui
