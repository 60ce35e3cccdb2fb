#include "platform/FileAsk.h"

#include "platform/Prompts.h"

#include <QFileInfo>

namespace {

QString &lastFolder()
{
    static QString folder;
    return folder;
}

}  // namespace

QStringList OpenDialogFilters()
{
#ifdef Q_OS_WIN
    const QString executables = QStringLiteral("Exectables (*.exe)");
    const QString all = QStringLiteral("All (*.*)");
#else
    // Programs have no extension here, and "*.*" would hide every file without one.
    const QString executables = QStringLiteral("Exectables (*)");
    const QString all = QStringLiteral("All (*)");
#endif
    return {
        QStringLiteral("HTMLs (*.html *.htm)"),
        QStringLiteral("Pictures (*.GIF *.JPG *.JPEG)"),
        executables,
        all,
        QStringLiteral("Maps (*.map)"),
        QStringLiteral("Java Classes (*.class)"),
        QStringLiteral("Projects (*.tlP)"),
    };
}

QString AskFileName(QWidget *parent, int filterKind)
{
    Prompts::FileRequest request;
    request.caption = QStringLiteral("Open/Save");
    request.folder = lastFolder();
    request.filters = OpenDialogFilters();
    request.filterIndex = filterKind >= 1 && filterKind <= request.filters.size() ? filterKind - 1 : -1;
    request.save = false;
    const Prompts::FileAnswer answer = Prompts::instance().askFile(parent, request);
    if (answer.fileName.isEmpty())
        return {};
    lastFolder() = answer.folder.isEmpty() ? QFileInfo(answer.fileName).absolutePath() : answer.folder;
    return answer.fileName;
}

void ResetAskFileNameFolder()
{
    lastFolder().clear();
}

QString FileMessageText(int number, const QString &name)
{
    QString text;
    switch (number) {
    case NotAValidProjectFile:
        text = QStringLiteral("%s\r\nis not a valid project file");
        break;
    case FileNotFound:
        text = QStringLiteral("%s\r\nnot found");
        break;
    case MaximumPrivateTags:
        text = QStringLiteral("Maximum 20 private tags");
        break;
    default:
        return {};
    }
    // Replaced once, so a "%s" inside the name stays as it is.
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at >= 0)
        text.replace(at, 2, name);
    return text;
}

void ShowFileMessage(int number, const QString &name, QWidget *parent)
{
    const QString text = FileMessageText(number, name);
    if (text.isEmpty())
        return;
    Prompts::instance().message(parent, QStringLiteral("Error"), text, QMessageBox::Critical, QMessageBox::Ok);
}
