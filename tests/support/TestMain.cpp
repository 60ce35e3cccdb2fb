#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every test program runs headless with its settings and data folder in a
// temporary place, never the user's own.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath("data").toLocal8Bit());
    qputenv("TAGLOOM_DATA_FOLDER", QDir(home.path()).filePath("tagloom").toLocal8Bit());
    QDir(home.path()).mkpath("tagloom");
    // A fresh install has the shipped rules beside the program; so do the tests.
    QFile::copy(QStringLiteral(TAGLOOM_SHIPPED_DATA "/Tagloom.colors"),
                QDir(home.path()).filePath("tagloom/Tagloom.colors"));
    QFile::copy(QStringLiteral(TAGLOOM_SHIPPED_DATA "/markup-names.txt"),
                QDir(home.path()).filePath("tagloom/markup-names.txt"));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString());
    QApplication::setApplicationName(QStringLiteral("Tagloom"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
