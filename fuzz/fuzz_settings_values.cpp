// Settings as a hand-edited settings file gives them: the integer and boolean
// text rules, the font text with its colour, and a whole file read into the
// settings, written back and read again to the same numbers and switches.
#include "platform/Settings.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Fonts need the application object; nothing is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

namespace {
// The numbers and switches; texts go through QSettings' own quoting.
bool sameSettings(const Settings &a, const Settings &b)
{
    return a.ViewerType == b.ViewerType && a.InsertBROnEnter == b.InsertBROnEnter
           && a.InsertStructureOnNew == b.InsertStructureOnNew && a.ShowStatusBar == b.ShowStatusBar
           && a.ShowSplash == b.ShowSplash && a.SplashSeconds == b.SplashSeconds
           && a.ProjectPanelAlignment == b.ProjectPanelAlignment && a.ProjectVisible == b.ProjectVisible
           && a.ColorTags == b.ColorTags && a.EditorFontSize == b.EditorFontSize;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);

    qint64 value = 0;
    if (SettingsStore::parseInteger(text, &value)) {
        if (value < INT32_MIN || value > INT32_MAX)
            std::abort();
        qint64 again = 0;
        if (!SettingsStore::parseInteger(QString::number(value), &again) || again != value)
            std::abort();
    }
    QFont font;
    ParseFontText(text, font);

    // The settings file itself; small inputs only, QSettings writes a real file.
    if (size > 64 * 1024)
        return 0;
    static QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.conf")), out = dir.filePath(QStringLiteral("out.conf"));
    QFile::remove(in);
    QFile::remove(out);
    {
        QFile f(in);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return 0;
    }
    Settings read;
    LoadSettings(SettingsStore(in), read);
    {
        SettingsStore written(out);
        SaveSettings(written, read);
    }
    Settings back;
    LoadSettings(SettingsStore(out), back);
    if (!sameSettings(read, back))
        std::abort();
    return 0;
}
