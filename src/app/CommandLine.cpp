#include "app/CommandLine.h"

#include <QDir>
#include <QFileInfo>

QString CommandLineInfo(const QStringList &arguments, const QString &version)
{
    // Only the exact long options: anything else may be a file the user wants opened.
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("--version"))
            return QStringLiteral(
                       "Tagloom %1\n"
                       "Copyright (C) 2026 The Tagloom developers\n"
                       "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
                       "This is free software: you are free to change and redistribute it.\n"
                       "There is NO WARRANTY, to the extent permitted by law.\n")
                .arg(version);
        if (argument == QLatin1String("--help"))
            return QStringLiteral(
                "Usage: tagloom [FILE]...\n"
                "Edit hand-written HTML pages.\n"
                "\n"
                "Each FILE that exists is opened: as a document when its name contains \".htm\" or \".xht\",\n"
                "as a project when it contains \".tlp\" (letter case does not matter).\n"
                "Other arguments are ignored.\n"
                "\n"
                "      --help     show this help and exit\n"
                "      --version  show the version and exit\n"
                "      --         the arguments after it are all file names\n"
                "\n"
                "Settings are kept in ~/.config/Tagloom/Tagloom.conf. The colour rules and the\n"
                "other data files of an installed program are kept in ~/.local/share/Tagloom,\n"
                "copied there from the shipped ones on first run; TAGLOOM_DATA_FOLDER names\n"
                "another folder.\n");
    }
    return {};
}

QStringList CommandLineFiles(const QStringList &arguments)
{
    QStringList files;
    bool optionsEnded = false;
    for (const QString &argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (argument.isEmpty())
            continue;
        files.append(QFileInfo(argument).absoluteFilePath());
    }
    return files;
}
