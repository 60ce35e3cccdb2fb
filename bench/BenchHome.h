#pragma once

// For the benchmarks: a home of their own with the shipped colour rules and
// nothing of the user's own settings or data files, and a main that runs them in Qt.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

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
// `atStart` runs once the application is there; `atEnd` lets go of windows
// before it goes.
inline int runWithQt(int argc, char **argv, const std::function<void()> &atStart = {},
                     const std::function<void()> &atEnd = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (atStart)
        atStart();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (atEnd)
        atEnd();
    return 0;
}

// runWithQt in a home of their own (useOwnHome), which `home` names while they run.
inline int runInOwnHome(int argc, char **argv, const QTemporaryDir *&home, const std::function<void()> &atStart = {},
                        const std::function<void()> &atEnd = {})
{
    std::unique_ptr<QTemporaryDir> dir;
    return runWithQt(
        argc, argv,
        [&] {
            dir = std::make_unique<QTemporaryDir>();
            home = dir.get();
            useOwnHome(*dir);
            if (atStart)
                atStart();
        },
        [&] {
            if (atEnd)
                atEnd();
            home = nullptr;
            dir.reset();
        });
}

}  // namespace bench
