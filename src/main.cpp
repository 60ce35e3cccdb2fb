#include "app/CommandLine.h"
#include "app/Startup.h"

#include <QApplication>
#include <cstdio>

#ifndef TAGLOOM_VERSION
#define TAGLOOM_VERSION "unknown"
#endif

int main(int argc, char **argv)
{
    // Answered before any window system is needed, so they work on a bare console too.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString info = CommandLineInfo(arguments, QStringLiteral(TAGLOOM_VERSION));
    if (!info.isEmpty()) {
        std::fputs(info.toLocal8Bit().constData(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(TAGLOOM_VERSION));
    return RunTagloom(app);
}
