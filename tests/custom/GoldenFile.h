#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

// The golden files lie beside this header. __FILE__ may be relative to the
// build folder (compiler caches rewrite it), which is the test program's parent.
inline QString goldenPath(const QString &name)
{
    QString here = QStringLiteral(__FILE__);
    if (QFileInfo(here).isRelative())
        here = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).filePath(here);
    return QFileInfo(here).dir().filePath(QStringLiteral("golden/") + name);
}

inline QByteArray goldenBytes(const QString &name)
{
    QFile f(goldenPath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// On a mismatch the actual bytes go beside the golden file for review.
inline void writeActual(const QString &name, const QByteArray &bytes)
{
    QFile f(goldenPath(name + QStringLiteral(".actual")));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}
