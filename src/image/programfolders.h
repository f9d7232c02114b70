#pragma once

#include <QString>

namespace kv {

// Every program of the suite (the window, kvprog-cli, kvsim) goes by kvprog's name and
// version, so that QStandardPaths and QSettings give all three the same folders: the user's
// settings, the read's scratch file and the settings file "Sfc.ini" are shared.
void useProgramIdentity();

// What --version prints: "kvsim 3.0.0".
QString versionLine(const QString& program);

// The settings file "Sfc.ini" that holds the model bands: beside the program when one is
// there (a build tree, a portable copy); else in the user's configuration folder, where it
// is created from the installed default (share/kvprog/Sfc.ini) on first use, since an
// installed program's own folder is not writable.
QString settingsFile();
// The same lookup with its three places given.
QString settingsFile(const QString& programDir, const QString& configDir,
                     const QString& packagedDefault);

}  // namespace kv
