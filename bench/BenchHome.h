#pragma once

// For the benchmarks that build the main window: a home of their own with the
// shipped colour rules, and nothing of the user's own settings or data files.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace bench {

inline void useOwnHome(const QTemporaryDir &dir)
{
    qputenv("TAGLOOM_DATA_FOLDER", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("share")).toLocal8Bit());
    QDir().mkpath(dir.filePath(QStringLiteral("data")));
    QFile::copy(QStringLiteral(TAGLOOM_SHIPPED_DATA "/Tagloom.colors"),
                dir.filePath(QStringLiteral("data/Tagloom.colors")));
}

}  // namespace bench
