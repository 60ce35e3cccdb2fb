#pragma once

// For the benchmarks: a home of their own with the shipped colour rules and
// nothing of the user's own settings or data files, and a main that runs them in Qt.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

// Runs the registered benchmarks in a QApplication, on the offscreen platform
// unless the caller names another (an X display shows what is timed).
inline int runWithQt(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench
