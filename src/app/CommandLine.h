#pragma once

#include <QString>
#include <QStringList>

// What "--help" or "--version" prints, for the first of them among the
// arguments before a "--"; empty when neither is there, so every argument is a
// file name. Nothing else is an option: "--new.html" names a file.
QString CommandLineInfo(const QStringList &arguments, const QString &version);
// The file names among the arguments, made absolute against the current folder;
// the first "--" only ends the options and is dropped.
QStringList CommandLineFiles(const QStringList &arguments);
