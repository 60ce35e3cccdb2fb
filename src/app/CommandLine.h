#pragma once

#include <QString>
#include <QStringList>

// What "--help" or "--version" prints, for the first of them among the
// arguments; empty when neither is there, so every argument is a file name.
QString CommandLineInfo(const QStringList &arguments, const QString &version);
