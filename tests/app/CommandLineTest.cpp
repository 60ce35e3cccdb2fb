#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {
struct Case
{
    QStringList arguments;
    const char *startsWith;  // empty: the arguments are all file names
};
}  // namespace

TEST(CommandLineTest, OnlyTheExactLongOptionsAreAnswered)
{
    const Case cases[] = {
        {{}, ""},
        {{"page.html", "site.tlp"}, ""},
        {{"--version"}, "Tagloom 1.5\n"},
        {{"--help"}, "Usage: tagloom [FILE]..."},
        {{"page.html", "--version"}, "Tagloom 1.5\n"},
        // The first option decides, as in GNU programs.
        {{"--help", "--version"}, "Usage: tagloom"},
        {{"--version", "--help"}, "Tagloom 1.5\n"},
        // Anything else may be a file the user wants opened.
        {{"-v"}, ""},
        {{"-h"}, ""},
        {{"--Version"}, ""},
        {{"--version=1"}, ""},
        {{"./--help"}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const QString info = CommandLineInfo(c.arguments, "1.5");
        if (*c.startsWith == 0)
            EXPECT_TRUE(info.isEmpty()) << info.toStdString();
        else
            EXPECT_TRUE(info.startsWith(QString::fromUtf8(c.startsWith))) << info.toStdString();
    }
}

TEST(CommandLineTest, VersionNamesTheLicence)
{
    EXPECT_TRUE(CommandLineInfo({"--version"}, "1.5").contains("GPL-3.0-or-later"));
}
